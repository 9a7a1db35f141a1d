#include "tools/screenshots/promptshots.h"

#include "settings/parserxml.h"
#include "settings/qmefolders.h"
#include "uikit/qpromptdialog.h"

#include <QApplication>
#include <QPainter>
#include <QTextStream>
#include <QTranslator>

// On a high-DPI screen the shot and its backdrop keep every pixel.
QImage onBackdrop(const QImage& shot, int mode) {
    const qreal ratio = shot.devicePixelRatio();
    QImage out(shot.size() + QSize(48, 48) * ratio, QImage::Format_ARGB32_Premultiplied);
    out.setDevicePixelRatio(ratio);
    out.fill(mode == 2 ? QColor(92, 96, 110) : QColor(200, 204, 214));
    QPainter painter(&out);
    painter.drawImage(24, 24, shot);
    return out;
}

QImage grabShown(QWidget& widget) {
    widget.show();
    QApplication::processEvents();
    return widget.grab().toImage();
}

bool saveShot(const QImage& image, const QDir& folder, const QString& name) {
    const bool ok = image.save(folder.filePath(name + ".png"));
    if (!ok)
        QTextStream(stderr) << QCoreApplication::applicationName() << ": cannot write " << name
                            << "\n";
    return ok;
}

bool saveTextPrompts(const QList<TextPrompt>& prompts, int mode, const QString& suffix,
                     const QDir& out) {
    bool saved = true;
    for (const TextPrompt& c : prompts) {
        QPromptDialog prompt(nullptr, c.text, QCoreApplication::translate("QObject", "Prompt"),
                             c.icon, c.buttons);
        prompt.FitMessage(c.width);
        saved &= saveShot(onBackdrop(grabShown(prompt), mode), out,
                          QStringLiteral("prompt_%1_%2").arg(c.name, suffix));
    }
    return saved;
}

bool inEachLanguage(const std::function<bool(const QString& language)>& shoot) {
    ParserXML::WriteValue("UI_Mode", "UI_Mode_Value", "1");
    bool ok = true;
    for (const char* language : {"de", "fr", "zh_CN", "ja"}) {
        QTranslator translator;
        if (!translator.load(QMEFolders::applicationFolder("/Language/talix_") + language))
            continue;
        QCoreApplication::installTranslator(&translator);
        ok &= shoot(QString::fromLatin1(language));
        QCoreApplication::removeTranslator(&translator);
    }
    return ok;
}
