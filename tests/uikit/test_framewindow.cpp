#include "settings/parserxml.h"
#include "settings/qmeappinfo.h"
#include "settings/qmefolders.h"
#include "testenv.h"
#include "uikit/qdialogcolseanimation.h"
#include "uikit/qmebasebutton.h"
#include "uikit/qmedialog.h"
#include "uikit/qmeinitmainwindow.h"

#include <QCloseEvent>
#include <QDir>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QScreen>
#include <QTranslator>

namespace {

void saveStrip(const QString& path, int frameWidth, int height) {
    QImage image(frameWidth * 4, height, QImage::Format_ARGB32);
    image.fill(Qt::gray);
    QVERIFY(image.save(path));
}

class FrameWindow final : public QMEInitMainWindow {
public:
    int closeEvents = 0;
    bool refuseClose = false;
    QStringList calls;

    FrameWindow() {
        auto* central = new QWidget(this);
        central->setObjectName("centralWidget");
        setCentralWidget(central);
        InitFrame();
    }
    void InitAppInfo() override {
        calls << "InitAppInfo";
        QMEAppInfo::instance().productName = "TALIX";
    }
    void InitExtra() override { calls << "InitExtra"; }
    QMargins FrameMargins() override { return QMargins(8, 8, 8, 8); }
    void InitReserved() override { calls << "InitReserved"; }
    void SetWindowSize() override { calls << "SetWindowSize"; }
    void BeforeConnections() override {
        calls << "BeforeConnections";
        QMEInitMainWindow::BeforeConnections();
    }
    void InitConnections() override {
        calls << "InitConnections";
        QMEInitMainWindow::InitConnections();
    }
    void AfterConnections() override { calls << "AfterConnections"; }
    void InitLanguage() override {
        calls << "InitLanguage";
        QMEInitMainWindow::InitLanguage();
    }
    void RetranslateFrame() override {
        calls << "RetranslateFrame";
        QMEInitMainWindow::RetranslateFrame();
    }

protected:
    void closeEvent(QCloseEvent* event) override {
        ++closeEvents;
        if (refuseClose)
            event->ignore();
        else
            QMEInitMainWindow::closeEvent(event);
    }
};

void sendMouse(QWidget* w, QEvent::Type type, const QPoint& local, Qt::MouseButton button,
               Qt::MouseButtons buttons) {
    const QPoint global = w->mapToGlobal(local);
    QMouseEvent event(type, local, local, global, button, buttons, Qt::NoModifier);
    QCoreApplication::sendEvent(w, &event);
}

// Presses at `from` (window-local) and drags by `delta` in global coordinates.
void drag(QWidget* w, const QPoint& from, const QPoint& delta) {
    const QPoint global = w->mapToGlobal(from);
    QMouseEvent press(QEvent::MouseButtonPress, from, from, global, Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(w, &press);
    QMouseEvent move(QEvent::MouseMove, from + delta, from + delta, global + delta, Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(w, &move);
    QMouseEvent release(QEvent::MouseButtonRelease, from + delta, from + delta, global + delta,
                        Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(w, &release);
}

} // namespace

class TestFrameWindow final : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;

    QString path(const QString& name) const { return m_dir.filePath(name); }

    void theme(FrameWindow& w, bool resizable) const {
        QVERIFY(w.SetBackgroundImage(path("background.png"), resizable));
        QVERIFY(w.CloseButton()->SetButtonImage(path("btn_close.png")));
        QVERIFY(w.MinimizeButton()->SetButtonImage(path("btn_min.png")));
        QVERIFY(w.MaximizeButton()->SetButtonImage(path("btn_max.png")));
        QVERIFY(w.RestoreButton()->SetButtonImage(path("btn_restore.png")));
        w.LayoutTitleBar();
    }

private slots:
    void initTestCase() {
        QVERIFY(m_dir.isValid());
        QImage background(300, 240, QImage::Format_ARGB32);
        background.fill(Qt::darkGray);
        QVERIFY(background.save(path("background.png")));
        saveStrip(path("btn_close.png"), 40, 30);
        saveStrip(path("btn_min.png"), 30, 30);
        saveStrip(path("btn_max.png"), 32, 30);
        saveStrip(path("btn_restore.png"), 32, 30);
    }

    void initFrameRunsInOrder() const {
        FrameWindow w;
        QCOMPARE(w.calls, QStringList({"InitAppInfo", "InitExtra", "SetWindowSize",
                                       "BeforeConnections", "InitConnections", "AfterConnections",
                                       "InitLanguage", "RetranslateFrame"}));
        QVERIFY(w.windowFlags() & Qt::FramelessWindowHint);
        QVERIFY(w.testAttribute(Qt::WA_TranslucentBackground));
        QVERIFY(w.hasMouseTracking());
        QVERIFY(w.centralWidget()->hasMouseTracking());
        QCOMPARE(w.windowTitle(), QString("TALIX"));
        QCOMPARE(w.TitleBandHeight(), 8 + 48);
        QCOMPARE(w.Insets(), QMargins(8, 8, 8, 8));
        QCOMPARE(w.font().pixelSize(), 15);
        QCOMPARE(w.CloseButton()->toolTip(), QString("Close"));
        QCOMPARE(w.RestoreButton()->toolTip(), QString("Restore File"));
        QVERIFY(w.RestoreButton()->isHidden());
    }

    void backgroundSetsSizeAndSlices() const {
        FrameWindow w;
        theme(w, false);
        QCOMPARE(w.size(), QSize(300, 240));
        QCOMPARE(w.SliceSizes(), QMargins(100, 80, 100, 80));
        QCOMPARE(w.ResizeDirections(), 0);
        QVERIFY(w.SetBackgroundImage(path("background.png"), true));
        QCOMPARE(w.minimumSize(), QSize(300, 240));
        QCOMPARE(w.ResizeDirections(), 3);
        QVERIFY(!w.SetBackgroundImage(path("absent.png"), true));
        QCOMPARE(w.size(), QSize(300, 240));
    }

    void titleButtonsLayout() const {
        FrameWindow w;
        theme(w, false);
        QCOMPARE(w.CloseButton()->geometry(), QRect(300 - 8 - 40, 8, 40, 30));
        QCOMPARE(w.MaximizeButton()->pos(), QPoint(252 - 32, 8));
        QCOMPARE(w.MinimizeButton()->pos(), QPoint(220 - 30, 8));
        w.MaximizeButton()->hide();
        w.RestoreButton()->hide();
        w.LayoutTitleBar();
        QCOMPARE(w.MinimizeButton()->pos(), QPoint(252 - 30, 8));
    }

    void dragOnlyWithinTitleBand_data() const {
        QTest::addColumn<QPoint>("press");
        QTest::addColumn<bool>("moves");
        QTest::newRow("in title band") << QPoint(150, 30) << true;
        QTest::newRow("last row of the band") << QPoint(150, 55) << true;
        QTest::newRow("just below the band") << QPoint(150, 56) << false;
        QTest::newRow("middle of the window") << QPoint(150, 150) << false;
    }

    void dragOnlyWithinTitleBand() const {
        QFETCH(QPoint, press);
        QFETCH(bool, moves);
        FrameWindow w;
        theme(w, false);
        w.move(200, 150);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        const QPoint before = w.pos();
        drag(&w, press, QPoint(37, 21));
        QCOMPARE(w.pos(), moves ? before + QPoint(37, 21) : before);
    }

    void moveWithoutButtonEndsTheDrag_data() const {
        QTest::addColumn<bool>("resizable");
        QTest::addColumn<QPoint>("press");
        QTest::newRow("title drag") << false << QPoint(150, 30);
        QTest::newRow("edge resize") << true << QPoint(290, 120);
    }

    void moveWithoutButtonEndsTheDrag() const {
        QFETCH(bool, resizable);
        QFETCH(QPoint, press);
        FrameWindow w;
        theme(w, resizable);
        w.move(200, 150);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        const QRect before = w.geometry();
        // A prompt opened mid-drag took the release: the next move comes without the button.
        sendMouse(&w, QEvent::MouseButtonPress, press, Qt::LeftButton, Qt::LeftButton);
        sendMouse(&w, QEvent::MouseMove, press + QPoint(30, 20), Qt::NoButton, Qt::NoButton);
        QCOMPARE(w.geometry(), before);
        sendMouse(&w, QEvent::MouseMove, press + QPoint(60, 40), Qt::NoButton, Qt::NoButton);
        QCOMPARE(w.geometry(), before);
    }

    void refusedCloseCanBeRepeated() const {
        FrameWindow w;
        theme(w, false);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        w.refuseClose = true;
        w.OnClose();
        QTRY_VERIFY_WITH_TIMEOUT(!w.IsClosing(), 5000);
        QVERIFY(w.isVisible());
        QCOMPARE(w.windowOpacity(), 1.0);
        w.refuseClose = false;
        QSignalSpy finished(w.CloseAnimation(), &QDialogColseAnimation::emitFinished);
        QTest::mouseClick(w.CloseButton(), Qt::LeftButton);
        QVERIFY(finished.wait(5000));
        QVERIFY(!w.isVisible());
    }

    void resizeCursorOnlyWhenResizable() const {
        FrameWindow w;
        theme(w, false);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        sendMouse(&w, QEvent::MouseMove, QPoint(9, 120), Qt::NoButton, Qt::NoButton);
        QCOMPARE(w.HitZone(), 0);
        QVERIFY(!w.testAttribute(Qt::WA_SetCursor));

        QVERIFY(w.SetBackgroundImage(path("background.png"), true));
        sendMouse(&w, QEvent::MouseMove, QPoint(9, 120), Qt::NoButton, Qt::NoButton);
        QCOMPARE(w.HitZone(), 1);
        QCOMPARE(w.cursor().shape(), Qt::SplitHCursor);
        sendMouse(&w, QEvent::MouseMove, QPoint(290, 230), Qt::NoButton, Qt::NoButton);
        QCOMPARE(w.cursor().shape(), Qt::SizeFDiagCursor);
        // Over a control the cursor is plain, even at the edge.
        sendMouse(&w, QEvent::MouseMove, w.CloseButton()->geometry().topRight(), Qt::NoButton,
                  Qt::NoButton);
        QCOMPARE(w.HitZone(), 0);
    }

    void resizableDialogDropsCursorOverControls() const {
        QMEDialog dialog;
        dialog.resize(200, 120);
        dialog.SetResizeDirections(3);
        QVERIFY(dialog.testAttribute(Qt::WA_Hover));
        auto* control = new QWidget(&dialog);
        control->setGeometry(0, 40, 30, 30);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        sendMouse(&dialog, QEvent::MouseMove, QPoint(1, 20), Qt::NoButton, Qt::NoButton);
        QCOMPARE(dialog.HitZone(), 1);
        QCOMPARE(dialog.cursor().shape(), Qt::SplitHCursor);
        QHoverEvent hover(QEvent::HoverMove, QPointF(2, 50), QPointF(1, 20));
        QCoreApplication::sendEvent(&dialog, &hover);
        QCOMPARE(dialog.HitZone(), 0);
        QCOMPARE(dialog.cursor().shape(), Qt::ArrowCursor);
    }

    void resizeByDraggingAnEdge() const {
        FrameWindow w;
        theme(w, true);
        w.move(100, 100);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        sendMouse(&w, QEvent::MouseMove, QPoint(290, 120), Qt::NoButton, Qt::NoButton);
        QCOMPARE(w.HitZone(), 5);
        drag(&w, QPoint(290, 120), QPoint(50, 0));
        QCOMPARE(w.geometry(), QRect(100, 100, 350, 240));
        drag(&w, QPoint(340, 120), QPoint(-200, 0));
        QCOMPARE(w.width(), 300);
    }

    void maximiseThenRestoreReturnsExactRect() const {
        FrameWindow w;
        theme(w, true);
        w.setGeometry(123, 77, 333, 251);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        const QRect before = w.geometry();
        w.OnMaxSize();
        QVERIFY(w.IsMaximised());
        const QRect available = QGuiApplication::primaryScreen()->availableGeometry();
        QCOMPARE(w.geometry(), QRect(available.x() - 8, available.y() - 8, available.width() + 16,
                                     available.height() + 16));
        QVERIFY(w.MaximizeButton()->isHidden());
        QVERIFY(!w.RestoreButton()->isHidden());
        QCOMPARE(w.RestoreButton()->pos(), QPoint(w.width() - 8 - 40 - 32, 8));
        w.OnRestoreSize();
        QVERIFY(!w.IsMaximised());
        QCOMPARE(w.geometry(), before);
        QVERIFY(!w.MaximizeButton()->isHidden());
        QVERIFY(w.RestoreButton()->isHidden());
    }

    void doubleClickTogglesOnlyWhenResizable() const {
        FrameWindow w;
        theme(w, false);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        sendMouse(&w, QEvent::MouseButtonDblClick, QPoint(150, 30), Qt::LeftButton, Qt::LeftButton);
        QVERIFY(!w.IsMaximised());
        QVERIFY(!w.MaximizeButton()->isHidden());
        w.SetResizeDirections(3);
        sendMouse(&w, QEvent::MouseButtonDblClick, QPoint(150, 30), Qt::LeftButton, Qt::LeftButton);
        QVERIFY(w.IsMaximised());
        // The title-bar buttons follow a double click as they follow the buttons themselves.
        QVERIFY(w.MaximizeButton()->isHidden());
        QVERIFY(!w.RestoreButton()->isHidden());
        QCOMPARE(w.CloseButton()->pos(), QPoint(w.width() - 8 - 40, 8));
        QCOMPARE(w.RestoreButton()->pos(), QPoint(w.width() - 8 - 40 - 32, 8));
        sendMouse(&w, QEvent::MouseButtonDblClick, QPoint(150, 30), Qt::LeftButton, Qt::LeftButton);
        QVERIFY(!w.IsMaximised());
        QVERIFY(!w.MaximizeButton()->isHidden());
        QVERIFY(w.RestoreButton()->isHidden());
    }

    void secondCloseDuringFadeDoesNothing() const {
        FrameWindow w;
        theme(w, false);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QSignalSpy finished(w.CloseAnimation(), &QDialogColseAnimation::emitFinished);
        QTest::mouseClick(w.CloseButton(), Qt::LeftButton);
        QVERIFY(w.IsClosing());
        QVERIFY(w.isVisible());
        QTest::qWait(100);
        QVERIFY(w.windowOpacity() < 1.0);
        QTest::mouseClick(w.CloseButton(), Qt::LeftButton);
        w.OnClose();
        QVERIFY(finished.wait(2000));
        QVERIFY(!w.isVisible());
        QTest::qWait(500);
        QCOMPARE(finished.count(), 1);
        QCOMPARE(w.closeEvents, 1);
    }

    void longTitleIsElided() const {
        FrameWindow w;
        theme(w, false);
        w.SetTitleText("Short");
        QCOMPARE(w.DisplayedTitle(), QString("Short"));
        const QString longTitle = QString("A very long window title ").repeated(10);
        w.SetTitleText(longTitle);
        const QString shown = w.DisplayedTitle();
        QVERIFY(shown.endsWith(QChar(0x2026)));
        QVERIFY(shown.size() < longTitle.size());
        QVERIFY(QFontMetrics(w.font()).horizontalAdvance(shown) <= w.TitleTextRect().width());
        QCOMPARE(w.TitleTextRect(), QRect(8 + 35, 8 + 5, 300 - 8 - 43, 20));
    }

    void translatorLoadsAndRetranslates() const {
        FrameWindow w;
        QTranslator* before = w.Translator();
        QVERIFY(!w.LoadTranslator(path("missing.qm")));
        QCOMPARE(w.Translator(), before);
        QVERIFY(w.LoadTranslator(TALIX_TEST_QM));
        QVERIFY(w.Translator());
        QCOMPARE(w.CloseButton()->toolTip(), QString("Schliessen"));
        QCOMPARE(w.MinimizeButton()->toolTip(), QString("Minimieren"));
        QCOMPARE(w.MaximizeButton()->toolTip(), QString("Maximize"));

        // A file that does not load leaves an empty translator: built-in texts again.
        QFile junk(path("junk.qm"));
        QVERIFY(junk.open(QIODevice::WriteOnly));
        junk.write("not a translation");
        junk.close();
        QVERIFY(w.LoadTranslator(path("junk.qm")));
        QVERIFY(w.Translator() != nullptr);
        QCOMPARE(w.CloseButton()->toolTip(), QString("Close"));
    }

    void applyThemeLoadsFromTheLookFolder() const {
        const QString dark = QMEFolders::imageFolder(2);
        QDir(QMEFolders::applicationFolder("/image")).removeRecursively();
        QVERIFY(QDir().mkpath(dark));
        QImage background(420, 300, QImage::Format_ARGB32);
        background.fill(Qt::black);
        QVERIFY(background.save(dark + "/background.png"));
        QImage logo(90, 24, QImage::Format_ARGB32);
        logo.fill(Qt::white);
        QVERIFY(logo.save(dark + "/logo.png"));
        saveStrip(dark + "/btn_close.png", 36, 28);
        saveStrip(dark + "/btn_min.png", 26, 28);
        saveStrip(dark + "/btn_max.png", 27, 28);
        // No restore image in this look: the button keeps what it had.

        FrameWindow w;
        theme(w, false);
        w.ApplyTheme(2);
        QCOMPARE(w.size(), QSize(420, 300));
        QCOMPARE(w.BackgroundImage().pixelColor(0, 0), QColor(Qt::black));
        QCOMPARE(w.LogoTargetRect(), QRect(8 + 37, 8 + 16, 90, 24));
        QCOMPARE(w.CloseButton()->size(), QSize(36, 28));
        QCOMPARE(w.MinimizeButton()->size(), QSize(26, 28));
        QCOMPARE(w.MaximizeButton()->size(), QSize(27, 28));
        QCOMPARE(w.RestoreButton()->size(), QSize(32, 30));
        QCOMPARE(w.CloseButton()->pos(), QPoint(420 - 8 - 36, 8));
        QCOMPARE(QMEInitMainWindow::ImageNames(),
                 QStringList({"/background.png", "/logo.png", "/btn_close.png", "/btn_min.png",
                              "/btn_max.png", "/btn_restore.png"}));

        // A look without images leaves everything as it was.
        w.ApplyTheme(1);
        QCOMPARE(w.size(), QSize(420, 300));
        QCOMPARE(w.CloseButton()->size(), QSize(36, 28));
        QVERIFY(QDir(QMEFolders::applicationFolder("/image")).removeRecursively());
    }

    void initLanguageUsesSettingsAndList() const {
        const QString folder = QMEFolders::applicationFolder("/Language");
        QDir(folder).removeRecursively();
        QVERIFY(QDir().mkpath(folder));
        QFile::copy(TALIX_TEST_QM, folder + "/test_de.qm");
        QFile list(folder + "/Language.xml");
        QVERIFY(list.open(QIODevice::WriteOnly));
        list.write("<Languages><l Language_Name=\"English\" Language_File=\"none.qm\" "
                   "Language_Type=\"English\"/><l Language_Name=\"Deutsch\" "
                   "Language_File=\"test_de.qm\" Language_Type=\"German\"/></Languages>");
        list.close();

        ParserXML::WriteValue("Language_item", "Language_Name", "Deutsch");
        {
            FrameWindow w;
            QCOMPARE(ParserXML::LanguageType(), 2);
            QCOMPARE(w.CloseButton()->toolTip(), QString("Schliessen"));
            ParserXML::WriteValue("Language_item", "Language_Name", "Unknown");
            w.LangugeChangeSet(true);
            QCOMPARE(ParserXML::LanguageType(), 0);
            QCOMPARE(w.CloseButton()->toolTip(), QString("Close"));
        }
        QVERIFY(QDir(folder).removeRecursively());
    }
};

TALIX_WIDGET_TEST_MAIN(TestFrameWindow)
#include "test_framewindow.moc"
