#include "tools/screenshots/updaterscreenshots.h"

#include "settings/parserxml.h"
#include "updater/firmwarefolder.h"
#include "updater/mainwindow.h"
#include "updater/qmeupdatewritethread.h"

#include <QDir>
#include <QFile>

namespace {

struct UpdaterCase {
    const char* name;
    bool started;
    bool imagePresent;
    // The messages the upload would have sent, the last one shown.
    QList<QPair<int, float>> messages;
};

const QList<UpdaterCase>& cases() {
    using T = QMEUpdateWriteThread;
    static const QList<UpdaterCase> all = {
        {"ready", false, true, {}},
        {"progress", true, true, {{T::MsgProgress, 9}, {T::MsgProgress, 46}}},
        {"finished", true, true, {{T::MsgProgress, 99}, {T::MsgProgress, 100}}},
        {"failed_nofile", true, false, {{T::MsgProgress, 0}, {T::MsgImageFailed, 2}}},
        {"failed_damaged", true, true, {{T::MsgProgress, 0}, {T::MsgImageFailed, 2}}},
        {"failed_otherpedal", true, true, {{T::MsgProgress, 2}, {T::MsgImageFailed, 3}}},
        {"failed_noanswer", true, true, {{T::MsgProgress, 2}, {T::MsgHandshakeFailed, 4}}},
        {"failed_refused", true, true, {{T::MsgProgress, 5}, {T::MsgStartRejected, 9}}},
        {"failed_stopped", true, true, {{T::MsgProgress, 42}, {T::MsgBlockFailed, 42}}},
    };
    return all;
}

// The tool's own "Firmware" folder holds one image, or none, as the case needs.
void prepareFolder(bool imagePresent) {
    const QString folder = FirmwareFolder::Path();
    QDir(folder).removeRecursively();
    FirmwareFolder::Ensure(folder);
    if (imagePresent) {
        QFile image(folder + "TALIX_V1.3.0.zv");
        image.open(QIODevice::WriteOnly);
    }
}

bool shoot(const UpdaterCase& c, int mode, const QString& name, const SaveShot& save) {
    prepareFolder(c.imagePresent);
    // No pedal is probed: the button only notes the chosen image, and the messages are the
    // upload's as the window receives them.
    MainWindow window;
    if (c.started)
        QMetaObject::invokeMethod(&window, "onUpdate");
    for (const auto& message : c.messages)
        QMetaObject::invokeMethod(&window, "updateMsg", Q_ARG(int, message.first),
                                  Q_ARG(float, message.second));
    return save(window, mode, name);
}

} // namespace

bool SaveUpdaterScreenshots(const SaveShot& save) {
    bool ok = true;
    ParserXML::WriteValue("Language_item", "Language_Name", "English");
    for (int mode : {1, 2}) {
        ParserXML::WriteValue("UI_Mode", "UI_Mode_Value", QString::number(mode));
        const QString look = mode == 1 ? "light" : "dark";
        for (const UpdaterCase& c : cases())
            ok &= shoot(c, mode, QStringLiteral("updater_%1_%2").arg(c.name, look), save);
    }
    // Every failure line in each translated language, to check that it fits its band.
    ParserXML::WriteValue("UI_Mode", "UI_Mode_Value", "1");
    for (const char* language : {"Chinese", "German", "French", "Japanese"}) {
        ParserXML::WriteValue("Language_item", "Language_Name", language);
        for (const UpdaterCase& c : cases()) {
            if (QByteArray(c.name).startsWith("failed"))
                ok &= shoot(
                    c, 1, QStringLiteral("updater_%1_%2").arg(c.name, QString(language).toLower()),
                    save);
        }
    }
    ParserXML::WriteValue("Language_item", "Language_Name", "English");
    QDir(FirmwareFolder::Path()).removeRecursively();
    return ok;
}
