#include "tools/screenshots/updaterscreenshots.h"

#include "settings/parserxml.h"
#include "tests/updater/firmwareimagebuilder.h"
#include "updater/image/firmwarefolder.h"
#include "updater/mainwindow.h"
#include "updater/qmeupdatewritethread.h"

#include <QDir>
#include <QFile>

namespace {

struct UpdaterCase {
    const char* name;
    bool started;
    // The device type of the one image in the folder; none when empty.
    QByteArray image;
    // The messages the upload would have sent, the last one shown.
    QList<QPair<int, float>> messages;
    // A setting of the pedal, in its boot loader, that keeps it from being used: the window
    // probes it. None: no pedal is probed.
    QByteArray refusal = QByteArray();
};

const QList<UpdaterCase>& cases() {
    using T = QMEUpdateWriteThread;
    static const QList<UpdaterCase> all = {
        {"ready", false, "TAL_IX", {}},
        {"noimage", false, "", {}},
        {"noimage_otherpedal", false, "TAL_X2", {}},
        {"progress", true, "TAL_IX", {{T::MsgProgress, 9}, {T::MsgProgress, 46}}},
        {"finished", true, "TAL_IX", {{T::MsgProgress, 99}, {T::MsgProgress, 100}}},
        {"failed_noanswer", true, "TAL_IX", {{T::MsgProgress, 2}, {T::MsgHandshakeFailed, 4}}},
        {"failed_refused", true, "TAL_IX", {{T::MsgProgress, 5}, {T::MsgStartRejected, 9}}},
        {"failed_stopped", true, "TAL_IX", {{T::MsgProgress, 42}, {T::MsgBlockFailed, 42}}},
        {"failed_finish", true, "TAL_IX", {{T::MsgProgress, 99}, {T::MsgFinishRefused, 99}}},
        {"unusable_noaccess", false, "TAL_IX", {}, "TALIX_VP_OPEN_DENIED=1"},
        {"unusable_held", false, "TAL_IX", {}, "TALIX_VP_CLAIM_BUSY=1"},
        {"unusable_driver", false, "TAL_IX", {}, "TALIX_VP_KERNEL_DRIVER=stuck"},
    };
    return all;
}

// The tool's own "Firmware" folder holds one image, or none, as the case needs.
void prepareFolder(const QByteArray& deviceType) {
    const QString folder = FirmwareFolder::Path();
    QDir(folder).removeRecursively();
    FirmwareFolder::Ensure(folder);
    if (!deviceType.isEmpty()) {
        FirmwareImageBuilder image;
        image.deviceType = deviceType;
        image.sections.append({FirmwareImageBuilder::pattern(4 * 512, 1), 0xA2, 0xA3, 0, 0});
        image.write(folder + "TALIX_V1.3.0.zv");
    }
}

bool shoot(const UpdaterCase& c, int mode, const QString& name, const SaveShot& save) {
    prepareFolder(c.image);
    // Without a refusal no pedal is probed: the window looks for the image as it does for a pedal
    // in its boot loader, the button only notes the chosen image, and the messages are the
    // upload's as the window receives them.
    const QList<QByteArray> refusal = c.refusal.split('=');
    const QByteArray setting = refusal.value(0);
    if (!setting.isEmpty()) {
        qputenv("TALIX_VP_RUN_MODE", "B");
        qputenv(setting.constData(), refusal.value(1));
    }
    MainWindow window;
    if (setting.isEmpty()) {
        window.ChooseImage();
    } else {
        window.Probe();
        qunsetenv(setting.constData());
        qunsetenv("TALIX_VP_RUN_MODE");
    }
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
    // Every line in each translated language, to check that it fits its band.
    ParserXML::WriteValue("UI_Mode", "UI_Mode_Value", "1");
    for (const char* language : {"Chinese", "German", "French", "Japanese"}) {
        ParserXML::WriteValue("Language_item", "Language_Name", language);
        for (const UpdaterCase& c : cases())
            ok &= shoot(c, 1,
                        QStringLiteral("updater_%1_%2").arg(c.name, QString(language).toLower()),
                        save);
    }
    ParserXML::WriteValue("Language_item", "Language_Name", "English");
    QDir(FirmwareFolder::Path()).removeRecursively();
    return ok;
}
