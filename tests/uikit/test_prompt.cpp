#include "settings/parserxml.h"
#include "settings/qmeappinfo.h"
#include "settings/qmefolders.h"
#include "testenv.h"
#include "uikit/qmebasebutton.h"
#include "uikit/qmewidget.h"
#include "uikit/qpromptdialog.h"
#include "uikit/qpromptlayout.h"

#include <QDir>
#include <QLabel>
#include <QTimer>
#include <functional>

namespace {

void saveImage(const QString& path, const QSize& size) {
    QImage image(size, QImage::Format_ARGB32);
    image.fill(QColor(90, 90, 90));
    QVERIFY(image.save(path));
}

// Runs `action` on the prompt as soon as it shows; closes it after 5 s if it never comes.
void onPrompt(std::function<void(QPromptDialog*)> action) {
    auto* timer = new QTimer;
    auto* elapsed = new QElapsedTimer;
    elapsed->start();
    QObject::connect(timer, &QTimer::timeout, [timer, elapsed, action] {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            auto* prompt = qobject_cast<QPromptDialog*>(w);
            if (prompt && prompt->isVisible()) {
                timer->stop();
                timer->deleteLater();
                delete elapsed;
                action(prompt);
                return;
            }
        }
        if (elapsed->elapsed() > 5000) {
            timer->stop();
            timer->deleteLater();
            delete elapsed;
            if (QWidget* modal = QApplication::activeModalWidget())
                modal->close();
        }
    });
    timer->start(10);
}

} // namespace

class TestPrompt final : public QObject {
    Q_OBJECT

private:
    QString m_pic;

private slots:
    void initTestCase() {
        // The prompt loads its images from the light "pic" theme folder beside this program.
        m_pic = QMEFolders::picFolder(1);
        // Left over only by an interrupted run.
        QDir(QMEFolders::applicationFolder("/pic")).removeRecursively();
        QVERIFY(QDir().mkpath(m_pic));
        saveImage(m_pic + "/bg_msg.png", QSize(60, 60));
        saveImage(m_pic + "/btn_close.png", QSize(80, 20));
        saveImage(m_pic + "/btn_common.png", QSize(360, 32));
        saveImage(m_pic + "/warning.png", QSize(48, 48));
        saveImage(m_pic + "/success.png", QSize(48, 48));
        saveImage(m_pic + "/error.png", QSize(48, 48));
        saveImage(m_pic + "/help.png", QSize(48, 48));
        ParserXML::WriteValue("UI_Mode", "UI_Mode_Value", "1");
    }

    void cleanupTestCase() { QDir(QMEFolders::applicationFolder("/pic")).removeRecursively(); }

    void results_data() const {
        QTest::addColumn<int>("buttons");
        QTest::addColumn<int>("clicked");
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<int>("result");
        QTest::addColumn<int>("defaultResult");
        QTest::newRow("Yes") << 4 << 0 << QStringList({"Yes", "No"}) << 0x4000 << 0;
        QTest::newRow("No") << 4 << 1 << QStringList({"Yes", "No"}) << 0x10000 << 0;
        QTest::newRow("OK") << 1 << 0 << QStringList({"OK"}) << 0x400 << 0;
        QTest::newRow("Cancel") << 2 << 0 << QStringList({"Cancel"}) << 0x400000 << 0;
        QTest::newRow("close with Yes/No")
            << 4 << -1 << QStringList({"Yes", "No"}) << 0x200000 << 0;
        QTest::newRow("close without buttons") << 3 << -1 << QStringList() << 0x200000 << 0;
        QTest::newRow("escape") << 1 << -2 << QStringList({"OK"}) << 0x200000 << 0;
        // Enter takes the first button, or the one the caller names; Escape never takes it.
        QTest::newRow("enter") << 4 << -3 << QStringList({"Yes", "No"}) << 0x4000 << 0;
        QTest::newRow("enter, No by default")
            << 4 << -3 << QStringList({"Yes", "No"}) << 0x10000 << 0x10000;
        QTest::newRow("escape, No by default")
            << 4 << -2 << QStringList({"Yes", "No"}) << 0x200000 << 0x10000;
        QTest::newRow("enter without buttons") << 3 << -3 << QStringList() << 0x200000 << 0;
    }

    void results() const {
        QFETCH(int, buttons);
        QFETCH(int, clicked);
        QFETCH(QStringList, texts);
        QFETCH(int, result);
        QFETCH(int, defaultResult);
        QStringList seen;
        onPrompt([&seen, clicked](QPromptDialog* prompt) {
            for (QMEBaseButton* b : prompt->ResultButtons())
                seen << b->text();
            if (clicked >= 0)
                QTest::mouseClick(prompt->ResultButtons().at(clicked), Qt::LeftButton);
            else if (clicked == -1)
                QTest::mouseClick(prompt->CloseButton(), Qt::LeftButton);
            else
                // Pressed where the keyboard starts: on the default button, or the close button.
                // The prompt's own focus child: on a loaded machine the prompt may not yet be
                // the active window.
                QTest::keyClick(prompt->focusWidget(),
                                clicked == -2 ? Qt::Key_Escape : Qt::Key_Return);
        });
        const int code = QPromptDialog::ShowPrompt(nullptr, "Save the preset?", 250, 80, "Save",
                                                   QPromptDialog::IconHelp, buttons, defaultResult);
        QCOMPARE(code, result);
        QCOMPARE(seen, texts);
    }

    void parentDeletedWhileRunning() const {
        // A list row rebuilt by a refresh deletes the prompt's parent under the modal loop.
        auto* parent = new QWidget;
        parent->show();
        onPrompt([parent](QPromptDialog*) { delete parent; });
        const int code =
            QPromptDialog::ShowPrompt(parent, "Delete the preset?", 250, 80, "Delete",
                                      QPromptDialog::IconHelp, QPromptDialog::ButtonsYesNo);
        QCOMPARE(code, int(QPromptDialog::ResultClose));
        QVERIFY(!QApplication::activeModalWidget());
    }

    void answerHook() const {
        QWidget parent;
        QStringList seen;
        QPromptDialog::SetAnswerHook([&seen, &parent](const QPromptDialog& prompt) {
            seen << (prompt.isVisible() ? "shown" : "hidden")
                 << (prompt.parentWidget() == &parent ? "parent" : "no parent") << prompt.Text()
                 << prompt.Title() << QString::number(prompt.IconKind())
                 << QString::number(prompt.ButtonSet());
            for (QMEBaseButton* b : prompt.ResultButtons())
                seen << b->text();
            return int(QPromptDialog::ResultNo);
        });
        const int code =
            QPromptDialog::ShowPrompt(&parent, "Overwrite?", 250, 80, "Save",
                                      QPromptDialog::IconWarning, QPromptDialog::ButtonsYesNo);
        QPromptDialog::SetAnswerHook(nullptr);
        QCOMPARE(code, int(QPromptDialog::ResultNo));
        QCOMPARE(seen,
                 QStringList({"hidden", "parent", "Overwrite?", "Save", "1", "4", "Yes", "No"}));
        QVERIFY(parent.findChildren<QPromptDialog*>().isEmpty());
        // Without a hook the prompt runs again.
        onPrompt([](QPromptDialog* prompt) {
            QTest::mouseClick(prompt->ResultButtons().at(0), Qt::LeftButton);
        });
        QCOMPARE(QPromptDialog::ShowPrompt(&parent, "Overwrite?", 250, 80, "Save", 1, 4),
                 int(QPromptDialog::ResultYes));
    }

    void iconKinds_data() const {
        QTest::addColumn<int>("kind");
        QTest::addColumn<bool>("shown");
        QTest::newRow("0") << 0 << false;
        QTest::newRow("warning") << 1 << true;
        QTest::newRow("2") << 2 << false;
        QTest::newRow("success") << 3 << true;
        QTest::newRow("error") << 4 << true;
        QTest::newRow("help") << 5 << true;
        QTest::newRow("6") << 6 << false;
        QTest::newRow("negative") << -1 << false;
    }

    void iconKinds() const {
        QFETCH(int, kind);
        QFETCH(bool, shown);
        QPromptDialog prompt(nullptr, "Text", "Title", kind, QPromptDialog::ButtonsOk);
        prompt.SetMessageSize(250, 80);
        QCOMPARE(prompt.IconShown(), shown);
        prompt.show();
        QCOMPARE(prompt.IconWidget()->isVisible(), shown);
        const QMEAppInfo& info = QMEAppInfo::instance();
        const int y0 = info.marginTop + info.titleHeight + 30;
        if (!shown) {
            QCOMPARE(prompt.MessageLabel()->pos(), QPoint(info.marginLeft + 60, y0));
            QCOMPARE(prompt.width(), info.marginLeft + info.marginRight + 250 + 120);
        } else {
            QCOMPARE(prompt.MessageLabel()->pos().x(), info.marginLeft + 48 + 75);
        }
    }

    void sizeAndLayoutOnFirstShow() const {
        QPromptDialog prompt(nullptr, "Import failed", "Import", QPromptDialog::IconWarning,
                             QPromptDialog::ButtonsYesNo);
        prompt.SetMessageSize(250, 80);
        prompt.show();
        // Margins 8, title 48, message 250 x 80, icon 48 x 48, buttons 90 x 32, close 20 x 20.
        QCOMPARE(prompt.size(), QSize(16 + 48 + 250 + 135, 16 + 48 + 60 + 80 + 32));
        QCOMPARE(prompt.CloseButton()->pos(), QPoint(449 - 20 - 8 - 15, 8 + 15 - 2));
        QCOMPARE(prompt.IconWidget()->pos(), QPoint(68, 86 + 16));
        QCOMPARE(prompt.MessageLabel()->geometry(), QRect(131, 81, 250, 80));
        QCOMPARE(prompt.ResultButtons().at(0)->geometry(), QRect(119, 176, 90, 32));
        QCOMPARE(prompt.ResultButtons().at(1)->geometry(), QRect(239, 176, 90, 32));
        QCOMPARE(prompt.TitleText(), QString("Import"));
        QCOMPARE(prompt.font().pixelSize(), 18);
        QCOMPARE(prompt.MessageLabel()->font().pixelSize(), 16);
        QCOMPARE(prompt.TitleBandHeight(), 56);
    }

    void layoutFormulas_data() const {
        QTest::addColumn<bool>("icon");
        QTest::addColumn<QSize>("message");
        QTest::addColumn<int>("buttons");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QPoint>("iconAt");
        QTest::addColumn<QPoint>("messageAt");
        QTest::addColumn<QPoint>("firstButton");
        // Margins 8/8/8/8, title 48, icon 64 x 64, buttons 100 x 30, close 24 x 24.
        QTest::newRow("icon shorter than message")
            << true << QSize(300, 100) << 1 << QSize(16 + 64 + 300 + 135, 16 + 48 + 60 + 100 + 30)
            << QPoint(68, 86 + 18) << QPoint(8 + 64 + 75, 81)
            << QPoint(8 + (515 - 100 - 16) / 2, 254 - 8 - 30 - 20);
        QTest::newRow("icon taller than message")
            << true << QSize(200, 20) << 2 << QSize(16 + 64 + 200 + 135, 16 + 48 + 60 + 64 + 30)
            << QPoint(68, 86) << QPoint(147, 86 + 22 - 5)
            << QPoint(8 + (415 - 230 - 16) / 2, 218 - 8 - 30 - 20);
        QTest::newRow("no icon, no buttons")
            << false << QSize(200, 80) << 0 << QSize(16 + 200 + 120, 16 + 48 + 60 + 80) << QPoint()
            << QPoint(68, 86) << QPoint();
    }

    void layoutFormulas() const {
        QFETCH(bool, icon);
        QFETCH(QSize, message);
        QFETCH(int, buttons);
        QFETCH(QSize, size);
        QFETCH(QPoint, iconAt);
        QFETCH(QPoint, messageAt);
        QFETCH(QPoint, firstButton);
        QPromptLayout::Input in;
        in.margins = QMargins(8, 8, 8, 8);
        in.titleHeight = 48;
        in.message = message;
        in.icon = QSize(64, 64);
        in.iconShown = icon;
        in.button = QSize(100, 30);
        in.buttonCount = buttons;
        in.close = QSize(24, 24);
        const QPromptLayout out = QPromptLayout::Compute(in);
        QCOMPARE(out.size, size);
        QCOMPARE(out.close, QPoint(size.width() - 24 - 8 - 15, 8 + 13 - 2));
        if (icon)
            QCOMPARE(out.icon, iconAt);
        QCOMPARE(out.message, messageAt);
        QCOMPARE(out.buttons.size(), buttons);
        if (buttons > 0)
            QCOMPARE(out.buttons.first(), firstButton);
        if (buttons == 2)
            QCOMPARE(out.buttons.at(1), firstButton + QPoint(130, 0));
        if (buttons > 0) {
            // The row is centred on the panel between the margins.
            const int rowEnd = out.buttons.last().x() + 100;
            QVERIFY(qAbs((out.buttons.first().x() - 8) - (size.width() - 8 - rowEnd)) <= 1);
        }
    }

    void placement_data() const {
        QTest::addColumn<QRect>("around");
        QTest::addColumn<QPoint>("at");
        QTest::newRow("centred") << QRect(300, 200, 800, 600) << QPoint(500, 350);
        QTest::newRow("top-left corner parent") << QRect(0, 0, 300, 200) << QPoint(50, 50);
        QTest::newRow("exactly zero") << QRect(0, 0, 400, 300) << QPoint(50, 50);
        QTest::newRow("only x clamped") << QRect(-100, 100, 400, 600) << QPoint(50, 250);
    }

    void placement() const {
        QFETCH(QRect, around);
        QFETCH(QPoint, at);
        QCOMPARE(QPromptLayout::Placement(around, QSize(400, 300)), at);
    }

    void parentAtTopLeftPlacesAt50() const {
        QWidget parent;
        parent.setGeometry(0, 0, 200, 150);
        parent.show();
        QPromptDialog prompt(&parent, "Hello", "", 0, QPromptDialog::ButtonsOk);
        prompt.SetMessageSize(250, 80);
        prompt.show();
        QVERIFY(prompt.pos().x() >= 50);
        QVERIFY(prompt.pos().y() >= 50);
        QCOMPARE(prompt.pos(), QPoint(50, 50));
        QVERIFY(prompt.TitleText().isEmpty());
    }

    void secondShowNeitherResizesNorMoves() const {
        QPromptDialog prompt(nullptr, "Hello", "Title", 1, QPromptDialog::ButtonsOk);
        prompt.SetMessageSize(250, 80);
        prompt.show();
        const QSize first = prompt.size();
        prompt.hide();
        prompt.move(321, 123);
        prompt.resize(first + QSize(40, 30));
        prompt.show();
        QCOMPARE(prompt.pos(), QPoint(321, 123));
        QCOMPARE(prompt.size(), first + QSize(40, 30));
    }

    void staysOnTopWithParent() const {
        QWidget parent;
        parent.setWindowFlags(parent.windowFlags() | Qt::WindowStaysOnTopHint);
        QPromptDialog onTop(&parent, "x", "", 0, 1);
        QVERIFY(onTop.windowFlags() & Qt::WindowStaysOnTopHint);
        QWidget plain;
        QPromptDialog normal(&plain, "x", "", 0, 1);
        QVERIFY(!(normal.windowFlags() & Qt::WindowStaysOnTopHint));
        QVERIFY(normal.windowFlags() & Qt::FramelessWindowHint);
        QVERIFY(normal.testAttribute(Qt::WA_TranslucentBackground));
        QCOMPARE(normal.ResizeDirections(), 0);
    }

    void themeColours_data() const {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<QColor>("text");
        QTest::addColumn<QColor>("button");
        QTest::addColumn<QColor>("message");
        QTest::addColumn<QColor>("hover");
        QTest::addColumn<QColor>("pressed");
        // The message, hover and pressed colours moved only as far as their contrast needs.
        QTest::newRow("light") << "1" << QColor(123, 123, 123) << QColor(51, 51, 51)
                               << QColor(112, 112, 112) << QColor(98, 108, 164)
                               << QColor(77, 106, 176);
        QTest::newRow("dark") << "2" << QColor(255, 255, 255) << QColor(255, 255, 255)
                              << QColor(255, 255, 255) << QColor(173, 185, 255)
                              << QColor(129, 166, 255);
    }

    void themeColours() const {
        QFETCH(QString, mode);
        QFETCH(QColor, text);
        QFETCH(QColor, button);
        QFETCH(QColor, message);
        QFETCH(QColor, hover);
        QFETCH(QColor, pressed);
        ParserXML::WriteValue("UI_Mode", "UI_Mode_Value", mode);
        QPromptDialog prompt(nullptr, "x", "t", 0, QPromptDialog::ButtonsYesNo);
        ParserXML::WriteValue("UI_Mode", "UI_Mode_Value", "1");
        QCOMPARE(prompt.Mode(), mode.toInt());
        QCOMPARE(prompt.palette().color(QPalette::WindowText), text);
        QCOMPARE(prompt.MessageLabel()->palette().color(QPalette::WindowText), message);
        QMEBaseButtonDraw& draw = prompt.ResultButtons().at(0)->Draw();
        QCOMPARE(draw.TextColor(0), button);
        QCOMPARE(draw.TextColor(1), hover);
        QCOMPARE(draw.TextColor(2), pressed);
        QCOMPARE(draw.TextColor(3), QColor(255, 255, 255));
    }

    void imageNamesAreTheLoadedOnes() const {
        QCOMPARE(QPromptDialog::ImageNames(),
                 QStringList({"/btn_close.png", "/bg_msg.png", "/btn_common.png", "/warning.png",
                              "/success.png", "/error.png", "/help.png"}));
        QCOMPARE(QPromptDialog::IconImageName(4), QString("/error.png"));
        QVERIFY(QPromptDialog::IconImageName(2).isEmpty());
    }
};

TALIX_WIDGET_TEST_MAIN(TestPrompt)
#include "test_prompt.moc"
