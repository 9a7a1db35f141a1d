// Checks the program folder laid out by the build: the skin images of both looks, the cabinet
// pictures, the language list and the compiled translations.
#include "settings/parserxml.h"
#include "uikit/qappupdatedialog.h"
#include "uikit/qmeimageloader.h"
#include "uikit/qmeinitmainwindow.h"
#include "uikit/qpromptdialog.h"

#include <QDir>
#include <QDirIterator>
#include <QDomDocument>
#include <QFile>
#include <QFont>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTranslator>
#include <QtTest>

namespace {

const QString kProgramDir = QStringLiteral(TALIX_PROGRAM_DIR);
const QString kSourceDir = QStringLiteral(TALIX_SOURCE_DIR);
const QStringList kLooks{"light", "dark"};
const QStringList kCodeFolders{"uikit", "editor", "files", "updater"};

constexpr int kPresetButtons = 14;
constexpr int kFactoryCabinets = 11;

// Image names of a look and the frame count the code cuts them into.
struct ThemeImage {
    const char* name;
    int frames;
    QSize frameSize; // invalid: the size is the skin's choice
};

const ThemeImage kImageFolder[] = {
    {"background.png", 1, QSize(1296, 736)}, // the editor's fixed window size
    {"logo.png", 1, {}},
    {"btn_close.png", 4, {}},
    {"btn_min.png", 4, {}},
    {"btn_max.png", 4, {}},
    {"btn_restore.png", 4, {}},
    {"btn_update.png", 4, {}},
    {"btn_update2.png", 4, {}},
    {"btn_reset.png", 4, {}},
    {"btn_set.png", 4, {}},
    {"btn_save.png", 4, {}},
    {"btn_darkmode.png", 4, {}},
    {"btn_lightmode.png", 4, {}},
    {"btn_backup.png", 4, {}},
    {"btn_rebackup.png", 4, {}},
    {"btn_cabinet_add.png", 4, {}},
    {"btn_cabinet_delete.png", 4, {}},
    {"btn_opendir.png", 4, {}},
    {"btn_refresh.png", 4, {}},
    {"btn_common.png", 4, {}},
    {"btn_common_close.png", 4, {}},
    {"button_on.png", 1, {}},
    {"button_off.png", 1, {}},
    {"connected_bg.png", 1, {}},
    {"app_plot.png", 1, {}},
    {"cabab_bg.png", 1, {}},
    {"circle_slider_bg.png", 1, {}},
    {"circle_slider_point.png", 1, {}},
    {"input_bg.png", 1, {}},
    {"mode_aleft_selectbg.png", 1, {}},
    {"mode_bright_selectbg.png", 1, {}},
    {"mode_arrow.png", 1, {}},
    {"common_bg.png", 1, QSize(470, 288)},        // the updater's fixed window size
    {"update_pro_bottom.png", 1, QSize(341, 21)}, // the updater's progress bar
    {"update_pro_up.png", 1, QSize(341, 21)},
};

const ThemeImage kPicFolder[] = {
    {"bg_msg.png", 1, {}},  {"btn_close.png", 4, {}}, {"btn_common.png", 4, {}},
    {"warning.png", 1, {}}, {"success.png", 1, {}},   {"error.png", 1, {}},
    {"help.png", 1, {}},
};

QImage frameOf(const QImage& strip, int frame) {
    const int w = strip.width() / 4;
    return strip.copy(frame * w, 0, w, strip.height());
}

QString programPath(const QString& relative) {
    return kProgramDir + QLatin1Char('/') + relative;
}

// Every image path literal in the programs' sources, with its "%n" placeholders.
QStringList imageLiterals() {
    QStringList found;
    const QRegularExpression literal(QStringLiteral("\"(/[A-Za-z0-9_%/]*\\.png)\""));
    for (const QString& folder : kCodeFolders) {
        QDirIterator it(kSourceDir + QLatin1Char('/') + folder, {"*.cpp", "*.h"}, QDir::Files,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) {
            QFile file(it.next());
            if (!file.open(QIODevice::ReadOnly))
                continue;
            auto matches = literal.globalMatch(QString::fromUtf8(file.readAll()));
            while (matches.hasNext()) {
                const QString path = matches.next().captured(1);
                if (!found.contains(path))
                    found.append(path);
            }
        }
    }
    return found;
}

// The sources of the translation catalogue: every text of the English file, by context.
QMultiMap<QString, QString> catalogue() {
    QMultiMap<QString, QString> texts;
    QFile file(kSourceDir + "/assets/translations/talix_en.ts");
    QDomDocument doc;
    if (!file.open(QIODevice::ReadOnly) || !doc.setContent(&file))
        return texts;
    for (QDomElement context = doc.documentElement().firstChildElement("context");
         !context.isNull(); context = context.nextSiblingElement("context")) {
        const QString name = context.firstChildElement("name").text();
        for (QDomElement message = context.firstChildElement("message"); !message.isNull();
             message = message.nextSiblingElement("message"))
            texts.insert(name, message.firstChildElement("source").text());
    }
    return texts;
}

} // namespace

class TestAssets final : public QObject {
    Q_OBJECT

private slots:
    void themeImage_data() const;
    void themeImage() const;
    void looksDiffer_data() const;
    void looksDiffer() const;
    void presetButtons() const;
    void cabinetPictures() const;
    void highDensityVariants_data() const;
    void highDensityVariants() const;
    void codeImagePathsExist() const;
    void toolkitImages_data() const;
    void toolkitImages() const;
    void languageList() const;
    void translation_data() const;
    void translation() const;
    void buttonTextsFit_data() const;
    void buttonTextsFit() const;
};

void TestAssets::themeImage_data() const {
    QTest::addColumn<QString>("path");
    QTest::addColumn<int>("frames");
    QTest::addColumn<QSize>("frameSize");
    for (const QString& look : kLooks) {
        for (const ThemeImage& image : kImageFolder) {
            const QString path = QStringLiteral("image/%1/%2").arg(look, image.name);
            QTest::newRow(qPrintable(path)) << path << image.frames << image.frameSize;
        }
        for (const ThemeImage& image : kPicFolder) {
            const QString path = QStringLiteral("pic/%1/%2").arg(look, image.name);
            QTest::newRow(qPrintable(path)) << path << image.frames << image.frameSize;
        }
    }
}

void TestAssets::themeImage() const {
    QFETCH(QString, path);
    QFETCH(int, frames);
    QFETCH(QSize, frameSize);
    const QImage image(programPath(path));
    QVERIFY2(!image.isNull(), qPrintable("missing or unreadable: " + path));
    QCOMPARE(image.width() % frames, 0);
    const QSize frame(image.width() / frames, image.height());
    if (frameSize.isValid())
        QCOMPARE(frame, frameSize);
    if (frames == 4) {
        // Each state must be recognisable: no two frames of a button alike.
        for (int a = 0; a < 4; ++a)
            for (int b = a + 1; b < 4; ++b)
                QVERIFY2(frameOf(image, a) != frameOf(image, b),
                         qPrintable(QStringLiteral("frames %1 and %2 alike").arg(a).arg(b)));
    }
}

void TestAssets::looksDiffer_data() const {
    QTest::addColumn<QString>("name");
    // Window backgrounds and controls carry the look; the prompt signs are the same in both.
    for (const char* name :
         {"image/%1/background.png", "image/%1/common_bg.png", "image/%1/btn_common.png",
          "image/%1/cabab_bg.png", "image/%1/circle_slider_bg.png", "image/%1/btns/btn_1.png",
          "pic/%1/bg_msg.png", "pic/%1/btn_common.png"})
        QTest::newRow(name) << QString::fromLatin1(name);
}

void TestAssets::looksDiffer() const {
    QFETCH(QString, name);
    const QImage light(programPath(name.arg("light")));
    const QImage dark(programPath(name.arg("dark")));
    QVERIFY(!light.isNull() && !dark.isNull());
    QCOMPARE(light.size(), dark.size());
    QVERIFY(light != dark);
}

void TestAssets::presetButtons() const {
    for (const QString& look : kLooks) {
        for (int n = 1; n <= kPresetButtons; ++n) {
            const QString path = QStringLiteral("image/%1/btns/btn_%2.png").arg(look).arg(n);
            const QImage strip(programPath(path));
            QVERIFY2(!strip.isNull(), qPrintable("missing: " + path));
            // Four frames of the 62 x 54 preset button.
            QCOMPARE(strip.size(), QSize(4 * 62, 54));
        }
    }
}

void TestAssets::cabinetPictures() const {
    QList<QImage> pictures;
    for (int slot = 0; slot <= kFactoryCabinets; ++slot) {
        const QString path = slot < kFactoryCabinets
                                 ? QStringLiteral("image/sound/sound%1.png").arg(slot)
                                 : QStringLiteral("image/sound/soundir.png");
        const QImage picture(programPath(path));
        QVERIFY2(!picture.isNull(), qPrintable("missing: " + path));
        // The picture panel of a cabinet is 284 x 208.
        QCOMPARE(picture.size(), QSize(284, 208));
        for (const QImage& other : qAsConst(pictures))
            QVERIFY2(other != picture, qPrintable(path + " repeats an earlier picture"));
        pictures.append(picture);
    }
    QVERIFY(!QFile::exists(programPath("image/sound/sound11.png")));
}

void TestAssets::highDensityVariants_data() const {
    QTest::addColumn<bool>("drawAgain");
    QTest::newRow("program folder") << false;
    // The skin tool run into a folder whose name holds ".png", as a build folder may.
    QTest::newRow("folder named like an image") << true;
}

void TestAssets::highDensityVariants() const {
    QFETCH(bool, drawAgain);
    QTemporaryDir parent;
    QString root = kProgramDir;
    if (drawAgain) {
        QVERIFY(parent.isValid());
        root = parent.filePath("skins.png");
        QProcess tool;
        tool.start(QString::fromUtf8(TALIX_SKINGEN), {root, "--scales", "1,2"});
        QVERIFY(tool.waitForFinished(240000));
        QCOMPARE(tool.exitCode(), 0);
        // Nothing lands beside the folder.
        QCOMPARE(QDir(parent.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
                 QStringList("skins.png"));
    }
    QDirIterator it(root + "/image", {"*.png"}, QDir::Files, QDirIterator::Subdirectories);
    int checked = 0;
    while (it.hasNext()) {
        const QString path = it.next();
        if (QFileInfo(path).fileName().contains("@2x"))
            continue;
        const QImage normal(path);
        const QImage twice(QMEImageLoader::TwinPath(path));
        QVERIFY2(!twice.isNull(), qPrintable("no high-density variant of " + path));
        QCOMPARE(twice.size(), normal.size() * 2);
        ++checked;
    }
    QVERIFY(checked > 0);
}

void TestAssets::codeImagePathsExist() const {
    const QStringList literals = imageLiterals();
    for (const QString& literal : literals) {
        QStringList candidates;
        if (literal.startsWith("/image/sound/")) {
            if (literal.contains("%1")) {
                for (int slot = 0; slot < kFactoryCabinets; ++slot)
                    candidates << literal.arg(slot);
            } else {
                candidates << literal;
            }
            for (const QString& path : qAsConst(candidates))
                QVERIFY2(QFile::exists(kProgramDir + path), qPrintable("missing: " + path));
            continue;
        }
        if (literal.contains(QRegularExpression(QStringLiteral("btns/btn_%\\d")))) {
            for (const QString& look : kLooks)
                for (int n = 1; n <= kPresetButtons; ++n)
                    candidates << QStringLiteral("/image/%1/btns/btn_%2.png").arg(look).arg(n);
            for (const QString& path : qAsConst(candidates))
                QVERIFY2(QFile::exists(kProgramDir + path), qPrintable("missing: " + path));
            continue;
        }
        QVERIFY2(!literal.contains('%'), qPrintable("unknown image pattern " + literal));
        // A theme image is looked up in one scheme ("/image" or "/pic") for the current look:
        // both looks of at least one scheme must hold it.
        bool found = false;
        for (const QString& scheme : {QStringLiteral("/image"), QStringLiteral("/pic")}) {
            bool inBoth = true;
            for (const QString& look : kLooks)
                inBoth = inBoth && QFile::exists(kProgramDir + scheme + '/' + look + literal);
            found = found || inBoth;
        }
        QVERIFY2(found, qPrintable("no image for " + literal + " in both looks"));
    }
}

void TestAssets::toolkitImages_data() const {
    QTest::addColumn<QString>("scheme");
    QTest::addColumn<QStringList>("names");
    QTest::newRow("frame") << "image" << QMEInitMainWindow::ImageNames();
    QTest::newRow("firmware dialog") << "image" << QAPPUpdateDialog::ImageNames();
    QTest::newRow("prompt") << "pic" << QPromptDialog::ImageNames();
}

void TestAssets::toolkitImages() const {
    QFETCH(QString, scheme);
    QFETCH(QStringList, names);
    QVERIFY(!names.isEmpty());
    for (const QString& look : kLooks) {
        for (const QString& name : names) {
            const QString path = scheme + '/' + look + name;
            QVERIFY2(!QImage(programPath(path)).isNull(), qPrintable("missing: " + path));
        }
    }
}

void TestAssets::languageList() const {
    const QString list = programPath("Language/Language.xml");
    QVERIFY(QFile::exists(list));
    const QStringList names = ParserXML::LanguageNames(list);
    QCOMPARE(names, QStringList({"English", "Chinese", "German", "French", "Japanese"}));
    for (int i = 0; i < names.size(); ++i) {
        const ParserXML::LanguageEntry entry = ParserXML::FindLanguage(list, names.at(i));
        // The types map one to one onto the language indexes 0 to 4.
        QCOMPARE(ParserXML::LanguageTypeOf(entry.type), i);
        QVERIFY2(QFile::exists(programPath("Language/" + entry.file)), qPrintable(entry.file));
    }
}

void TestAssets::translation_data() const {
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("close");
    QTest::newRow("English") << "English"
                             << "Close";
    QTest::newRow("Chinese") << "Chinese" << QString::fromUtf8("关闭");
    QTest::newRow("German") << "German" << QString::fromUtf8("Schließen");
    QTest::newRow("French") << "French"
                            << "Fermer";
    QTest::newRow("Japanese") << "Japanese" << QString::fromUtf8("閉じる");
}

void TestAssets::translation() const {
    QFETCH(QString, language);
    QFETCH(QString, close);
    const ParserXML::LanguageEntry entry =
        ParserXML::FindLanguage(programPath("Language/Language.xml"), language);
    QVERIFY(!entry.file.isEmpty());
    QTranslator translator;
    QVERIFY(translator.load(programPath("Language/" + entry.file)));
    QCOMPARE(translator.translate("QObject", "Close"), close);

    const QMultiMap<QString, QString> texts = catalogue();
    QVERIFY(!texts.isEmpty());
    const QRegularExpression placeholder(QStringLiteral("%\\d"));
    for (auto it = texts.cbegin(); it != texts.cend(); ++it) {
        const QString translated =
            translator.translate(qPrintable(it.key()), qPrintable(it.value()));
        QVERIFY2(!translated.isEmpty(), qPrintable(it.key() + ": " + it.value()));
        auto wanted = placeholder.globalMatch(it.value());
        while (wanted.hasNext()) {
            const QString marker = wanted.next().captured();
            QVERIFY2(translated.contains(marker), qPrintable(translated + " lacks " + marker));
        }
    }
}

void TestAssets::buttonTextsFit_data() const {
    QTest::addColumn<QString>("file");
    for (const char* file :
         {"talix_en.qm", "talix_zh_CN.qm", "talix_de.qm", "talix_fr.qm", "talix_ja.qm"})
        QTest::newRow(file) << QString::fromLatin1(file);
}

void TestAssets::buttonTextsFit() const {
    QFETCH(QString, file);
    QTranslator translator;
    QVERIFY(translator.load(programPath("Language/" + file)));
    const QImage strip(programPath("pic/light/btn_common.png"));
    QVERIFY(!strip.isNull());
    // Room left for the text inside the button's rounded border.
    const int room = strip.width() / 4 - 12;

    // Prompt and firmware-mismatch buttons use pixel size 16, the updater's button 18 bold.
    QFont prompt("Arial");
    prompt.setPixelSize(16);
    QFont updater("Arial");
    updater.setPixelSize(18);
    updater.setBold(true);
    const QList<QPair<const char*, QFont>> texts{{"OK", prompt},
                                                 {"Cancel", prompt},
                                                 {"Yes", prompt},
                                                 {"No", prompt},
                                                 {"Update firmware", prompt},
                                                 {"Continue using", prompt},
                                                 {"Start", updater},
                                                 {"Down", updater}};
    for (const auto& text : texts) {
        const QString shown = translator.translate("QObject", text.first);
        const int width = QFontMetrics(text.second).horizontalAdvance(shown);
        QVERIFY2(width <= room, qPrintable(QStringLiteral("\"%1\" is %2 pixels wide, room %3")
                                               .arg(shown)
                                               .arg(width)
                                               .arg(room)));
    }
}

QTEST_MAIN(TestAssets)
#include "test_assets.moc"
