// The updater's window on the virtual pedal in its boot loader: the image it chooses, what the
// pedal receives, the figures it shows, and the line it shows for each kind of failure.
#include "settings/qmeappinfo.h"
#include "tests/uikit/contrast.h"
#include "tests/uikit/testenv.h"
#include "tests/updater/firmwareimagebuilder.h"
#include "uikit/qmebasebutton.h"
#include "uikit/qmebaseprogress.h"
#include "uikit/qpromptdialog.h"
#include "updater/image/firmwarefolder.h"
#include "updater/mainwindow.h"
#include "updater/qmeupdatewritethread.h"
#include "virtualpedal/virtualpedal.h"

#include <QDir>
#include <QLabel>

namespace {

using Env = QList<QPair<QByteArray, QByteArray>>;

// Pedal variables for one window; the pedal reads them when the window's link starts libusb.
class PedalEnv final {
public:
    explicit PedalEnv(const Env& env) : m_env(env) {
        m_env.prepend({"TALIX_VP_RUN_MODE", "B"});
        for (const auto& entry : m_env)
            qputenv(entry.first.constData(), entry.second);
    }
    ~PedalEnv() {
        for (const auto& entry : m_env)
            qunsetenv(entry.first.constData());
    }

private:
    Env m_env;
};

// An image the size of the demo image: 64 blocks, so the first blocks show 11 percent.
FirmwareImageBuilder demoSizedImage(int seed) {
    FirmwareImageBuilder image;
    FirmwareImageBuilder::Section first;
    first.data = FirmwareImageBuilder::pattern(40 * 512, seed);
    FirmwareImageBuilder::Section second;
    second.data = FirmwareImageBuilder::pattern(24 * 512, seed + 1);
    second.sectorAddrStart = 0x0100;
    image.sections = {first, second};
    return image;
}

FirmwareImageBuilder smallImage() {
    FirmwareImageBuilder image;
    FirmwareImageBuilder::Section section;
    section.data = FirmwareImageBuilder::pattern(8 * 512, 7);
    image.sections = {section};
    return image;
}

} // namespace

class TestUpdaterWindow final : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void failures_data();
    void failures();
    void unusablePedalKeepsWindow_data();
    void unusablePedalKeepsWindow();
    void imageChosenBeforeStart();
    void closeAsksWhileWriting();
    void contrast();
    // Last: a completed upload asks the application to quit.
    void uploadsNewestImage();

private:
    QString firmwareFolder() const { return QCoreApplication::applicationDirPath() + "/Firmware"; }
    template <typename T> static T* child(MainWindow& window, const char* name) {
        T* widget = window.findChild<T*>(name);
        if (!widget)
            qFatal("no %s in the window", name);
        return widget;
    }
};

void TestUpdaterWindow::init() {
    QDir(firmwareFolder()).removeRecursively();
    QDir(FirmwareFolder::UserPath()).removeRecursively();
}

void TestUpdaterWindow::cleanup() {
    QPromptDialog::SetAnswerHook(nullptr);
    init();
}

void TestUpdaterWindow::failures_data() {
    QTest::addColumn<Env>("env");
    QTest::addColumn<QString>("figure"); // the percentage label at the end
    QTest::addColumn<QString>("line");

    QTest::newRow("no answer") << Env{{"TALIX_VP_HANDSHAKE_TYPE", "OTHER"}} << "4.00%"
                               << "The pedal did not answer. Check the USB cable, unplug the "
                                  "pedal and plug it in again, then start the updater again.";
    QTest::newRow("start refused") << Env{{"TALIX_VP_BOOT_REJECT_START", "1"}} << "9.00%"
                                   << "The pedal refused to begin the update. Unplug the pedal "
                                      "and plug it in again, then start the updater again.";
    // The third of eight blocks is refused: 3 * 90 / 8 + 9.
    QTest::newRow("block refused") << Env{{"TALIX_VP_BOOT_REFUSE_BLOCK", "2"}} << "42.00%"
                                   << "The pedal stopped taking the firmware. Unplug the pedal "
                                      "and plug it in again, then start the updater again to "
                                      "repeat the update.";
    QTest::newRow("finish refused")
        << Env{{"TALIX_VP_BOOT_REFUSE_FINISH", "1"}} << "99.00%"
        << "The pedal did not accept the new firmware. Unplug it, plug it in again and run the "
           "update again.";
}

void TestUpdaterWindow::failures() {
    QFETCH(Env, env);
    QFETCH(QString, figure);
    QFETCH(QString, line);

    QVERIFY(QDir().mkpath(firmwareFolder()));
    QVERIFY(smallImage().write(firmwareFolder() + "/TALIX.zv"));
    PedalEnv pedal(env);
    MainWindow window;
    QCOMPARE(window.Probe(), 1);
    window.show();
    auto* button = child<QMEBaseButton>(window, "mbtnUpdate");
    auto* message = child<QLabel>(window, "mlblMessage");
    QVERIFY(message->isHidden());
    QCOMPARE(child<QLabel>(window, "mlblFile")->text(), QString("File: TALIX.zv"));

    // The handshake and block waits run to their bound, shortened from the updater's 5 s.
    window.UpdateThread()->setAnswerTimeout(1000);
    button->click();
    QTRY_VERIFY_WITH_TIMEOUT(child<QLabel>(window, "mlblReady")->text() == "Failed", 60000);
    QCOMPARE(message->text(), line);
    QCOMPARE(child<QLabel>(window, "mlblProgress")->text(), figure);
    QCOMPARE(child<QMEBaseProgress>(window, "mproUpdate")->value(), figure.chopped(1).toDouble());
    QVERIFY(child<QLabel>(window, "mlblUpdate")->isHidden());
    // The line stays inside the band above the bar.
    QVERIFY(message->heightForWidth(message->width()) <= message->height());
    QVERIFY(message->geometry().bottom() < child<QMEBaseProgress>(window, "mproUpdate")->y());
    QVERIFY(!button->isEnabled());
    QCOMPARE(button->text(), QString("Down"));
    QCOMPARE(virtualpedal::VirtualPedal::snapshot().runMode, 'B');
}

void TestUpdaterWindow::unusablePedalKeepsWindow_data() {
    QTest::addColumn<Env>("env");
    QTest::addColumn<QString>("line"); // how it begins; none for a hand-over to the editor
    QTest::newRow("no access") << Env{{"TALIX_VP_OPEN_DENIED", "1"}}
                               << "The pedal is plugged in, but this user may not open it. Install "
                                  "the TALIX package, then unplug the pedal, plug it in again and "
                                  "start the updater again. The pedal's device is /dev/bus/usb/";
    // Held for longer than the updater waits for a program that hands over.
    QTest::newRow("held by another program")
        << Env{{"TALIX_VP_CLAIM_BUSY", "1"}}
        << "Another program is using the pedal. Close other TALIX or TALIXUpdate windows (also "
           "those of other users on this computer), then start the updater again.";
    QTest::newRow("held by a driver")
        << Env{{"TALIX_VP_KERNEL_DRIVER", "stuck"}}
        << "A driver of the system holds the pedal and does not let it go. Unplug the pedal, plug "
           "it in again and start the updater again.";
    QTest::newRow("another device")
        << Env{{"TALIX_VP_DEVICE_TYPE", "OTHER"}}
        << "The device on USB 0483:5703 answered as \"OTHER\", not as a TALIX pedal.";
    QTest::newRow("no answer") << Env{{"TALIX_VP_SILENT_ON", "0x00"}}
                               << "The pedal did not answer. Check the USB cable";
    QTest::newRow("USB cannot start") << Env{{"TALIX_VP_INIT_FAIL", "1"}}
                                      << "USB is not available to TALIX here (LIBUSB_ERROR_OTHER).";
    QTest::newRow("absent") << Env{{"TALIX_VP_NO_DEVICE", "1"}} << QString();
}

void TestUpdaterWindow::unusablePedalKeepsWindow() {
    QFETCH(Env, env);
    QFETCH(QString, line);
    PedalEnv pedal(env);
    MainWindow window;
    QCOMPARE(window.Probe(), 0);
    QCOMPARE(window.PedalUnusable(), !line.isEmpty());
    if (line.isEmpty())
        return;
    window.show();
    auto* message = child<QLabel>(window, "mlblMessage");
    QVERIFY2(message->text().startsWith(line), qPrintable(message->text()));
    QVERIFY(message->isVisible());
    QVERIFY(message->heightForWidth(message->width()) <= message->height());
    QVERIFY(!child<QMEBaseButton>(window, "mbtnUpdate")->isEnabled());
}

void TestUpdaterWindow::imageChosenBeforeStart() {
    // Only an image for another pedal, beside the program: nothing is written, and the window
    // says where to put the right one and why this one was passed over.
    FirmwareImageBuilder other = smallImage();
    other.deviceType = "TAL_X2";
    QVERIFY(QDir().mkpath(firmwareFolder()));
    QVERIFY(other.write(firmwareFolder() + "/z.zv"));
    PedalEnv pedal(Env{});
    MainWindow window;
    QCOMPARE(window.Probe(), 1);
    window.show();
    auto* button = child<QMEBaseButton>(window, "mbtnUpdate");
    auto* message = child<QLabel>(window, "mlblMessage");
    const QString missing =
        "No usable firmware file (*.zv) was found. Put the firmware file into the folder \"" +
        QDir::cleanPath(FirmwareFolder::UserPath()) +
        "\". Then press Start.\nThe firmware file \"z.zv\" is made for another pedal.";
    QCOMPARE(message->text(), missing);
    QVERIFY(message->heightForWidth(message->width()) <= message->height());
    QVERIFY(child<QLabel>(window, "mlblUpdate")->isHidden());
    QVERIFY(child<QLabel>(window, "mlblFile")->text().isEmpty());
    // The folder named is there to put the file in.
    QVERIFY(QFileInfo(FirmwareFolder::UserPath()).isDir());

    virtualpedal::VirtualPedal::clearReceivedFrames();
    button->click();
    QCOMPARE(message->text(), missing);
    QVERIFY(button->isEnabled());
    QCOMPARE(button->text(), QString("Start"));

    // The user copies the image into the folder named and presses Start again.
    QVERIFY(smallImage().write(FirmwareFolder::UserPath() + "a.zv"));
    button->click();
    QCOMPARE(child<QLabel>(window, "mlblFile")->text(), QString("File: a.zv"));
    QCOMPARE(button->text(), QString("Down"));
    QTRY_COMPARE_WITH_TIMEOUT(int(virtualpedal::VirtualPedal::snapshot().bootBlocks.size()), 8,
                              30000);
    // Nothing reached the pedal on the first press: its first frame is the upload's handshake.
    QVERIFY(!virtualpedal::VirtualPedal::receivedFrames().empty());
    QCOMPARE(virtualpedal::VirtualPedal::receivedFrames().front(),
             virtualpedal::VirtualPedal::frame(0x00, {0x00}));
    window.UpdateThread()->stopWorker();
}

void TestUpdaterWindow::closeAsksWhileWriting() {
    // Slow blocks, so the close comes while they are written.
    QVERIFY(QDir().mkpath(firmwareFolder()));
    QVERIFY(smallImage().write(firmwareFolder() + "/a.zv"));
    PedalEnv pedal(Env{{"TALIX_VP_DELAY_MS", "0xA2:500"}});
    auto window = std::make_unique<MainWindow>();
    QCOMPARE(window->Probe(), 1);
    window->show();
    QApplication::setActiveWindow(window.get());
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
    QStringList asked;
    int reply = QPromptDialog::ResultNo;
    QPromptDialog::SetAnswerHook([&](const QPromptDialog& prompt) {
        asked << prompt.Text();
        // Enter must not close it: No is the button Enter takes.
        [&] { QCOMPARE(prompt.DefaultButton()->text(), QString("No")); }();
        return reply;
    });
    // The keyboard starts on Start; Tab walks to the close button and back.
    QStringList walked{QApplication::focusWidget()->objectName()};
    for (int i = 0; i < 2; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        walked << QApplication::focusWidget()->objectName();
    }
    QCOMPARE(walked, (QStringList{"mbtnUpdate", "mbtnClose", "mbtnUpdate"}));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QCOMPARE(child<QLabel>(*window, "mlblMessage")->text(),
             QString("Writing the firmware — keep the pedal plugged in and this window open."));

    // The window manager's close asks, as the title-bar button does; No keeps the upload going.
    const QString question = "The pedal is being updated. If you close now it stays in its "
                             "update mode until you run the update again. Close anyway?";
    window->close();
    QTRY_COMPARE(asked, QStringList{question});
    window->CloseButton()->click();
    QCOMPARE(asked, (QStringList{question, question}));
    QVERIFY(window->isVisible());
    QVERIFY(window->UpdateThread()->isWorkerRunning());

    reply = QPromptDialog::ResultYes;
    window->close();
    QTRY_VERIFY_WITH_TIMEOUT(!window->isVisible(), 5000);
    // The pedal waits in its boot loader for the next try, with part of the image.
    const virtualpedal::PedalState state = virtualpedal::VirtualPedal::snapshot();
    QCOMPARE(state.runMode, 'B');
    QVERIFY(state.bootBlocks.size() < 8);
}

// Every text of the window on the built skin, in both looks: 4.5:1, 3:1 from 18 pixels.
void TestUpdaterWindow::contrast() {
    MainWindow window;
    QList<Contrast::Item> items;
    for (int mode : {1, 2}) {
        window.ApplyTheme(mode);
        window.ChooseImage(); // there is no image: the line warns
        const QString skin = qEnvironmentVariable("TALIX_BUILD_DIR") + "/bin/image/" +
                             (mode == 1 ? "light/" : "dark/");
        const QColor body = Contrast::pixel(skin + "common_bg.png", 100, 150);
        items << Contrast::Item{"title",
                                window.palette().color(QPalette::WindowText),
                                {Contrast::pixel(skin + "common_bg.png", 100, 30)},
                                18};
        for (QLabel* label : window.findChildren<QLabel*>())
            items << Contrast::Item{label->objectName(),
                                    label->palette().color(QPalette::WindowText),
                                    {body},
                                    label->font().pixelSize()};
        auto* start = child<QMEBaseButton>(window, "mbtnUpdate");
        for (int state = 0; state < 3; ++state)
            items << Contrast::Item{
                "Start",
                start->Draw().TextColor(state),
                {Contrast::pixel(skin + "btn_common.png", 160 * state + 80, 8),
                 Contrast::pixel(skin + "btn_common.png", 160 * state + 80, 32)},
                18};
    }
    const QStringList failures = Contrast::failures(items);
    QVERIFY2(failures.isEmpty(), qPrintable(failures.join("\n")));
}

void TestUpdaterWindow::uploadsNewestImage() {
    // Case-sensitive order: "new.zv" sorts after "Old.zv"; "x.zv.bak" and the folder "zz.zv"
    // do not match.
    QVERIFY(QDir().mkpath(firmwareFolder() + "/zz.zv"));
    const FirmwareImageBuilder newest = demoSizedImage(1);
    QVERIFY(demoSizedImage(5).write(firmwareFolder() + "/Old.zv"));
    QVERIFY(newest.write(firmwareFolder() + "/new.zv"));
    QVERIFY(smallImage().write(firmwareFolder() + "/x.zv.bak"));

    PedalEnv pedal(Env{{"TALIX_VP_NEW_FIRMWARE", "V1.3.0"}});
    MainWindow window;
    QCOMPARE(window.ConnectResult(), -1);
    QCOMPARE(window.Probe(), 1);
    window.show();

    // The frame: fixed size, close button only, maker name as title text.
    QCOMPARE(window.size(), QSize(470, 288));
    QCOMPARE(window.windowTitle(), QString("TALIX Update"));
    QCOMPARE(window.TitleText(), QString("ZELVA"));
    QCOMPARE(window.TitleTextRect().topLeft(), QPoint(33, 20));
    QVERIFY(window.MinimizeButton()->isHidden() && window.MaximizeButton()->isHidden());
    QVERIFY(!window.CloseButton()->isHidden());
    auto* button = child<QMEBaseButton>(window, "mbtnUpdate");
    auto* bar = child<QMEBaseProgress>(window, "mproUpdate");
    auto* percent = child<QLabel>(window, "mlblProgress");
    QCOMPARE(button->text(), QString("Start"));
    QCOMPARE(child<QLabel>(window, "mlblUpdate")->text(), QString("Update"));
    QCOMPARE(child<QLabel>(window, "mlblReady")->text(), QString("Loading..."));
    QCOMPARE(percent->text(), QString("0.00%"));
    QCOMPARE(child<QLabel>(window, "mlblFile")->text(), QString("File: new.zv"));
    QCOMPARE(bar->Format(), QString());
    // Layout: the bar centred 20 pixels above the middle, the labels and button around it.
    QCOMPARE(bar->geometry(), QRect((470 - 341) / 2, (288 - 21) / 2 - 20, 341, 21));
    QCOMPARE(child<QLabel>(window, "mlblReady")->pos(), QPoint(bar->x() + 10, bar->y() + 45));
    QCOMPARE(percent->geometry().right(), bar->geometry().right() - 11);
    QCOMPARE(button->y(), bar->geometry().bottom() + 70);
    QCOMPARE(button->x(), (470 - button->width()) / 2);

    // Each label text as the window shows it, read after the window has taken the message, and
    // the line above the bar once the pedal took the whole image.
    QStringList shown;
    QString doneLine;
    auto* line = child<QLabel>(window, "mlblMessage");
    connect(
        window.UpdateThread(), &QMEUpdateWriteThread::emitUpdateMsg, this,
        [&](int type, float) {
            shown.append(percent->text());
            if (type == QMEUpdateWriteThread::MsgProgress && percent->text() == "100.00%")
                doneLine = line->isVisible() ? line->text() : QString();
        },
        Qt::QueuedConnection);

    virtualpedal::VirtualPedal::clearReceivedFrames();
    window.UpdateThread()->setCompletionPause(100);
    button->click();
    QVERIFY(!button->isEnabled());
    QCOMPARE(button->text(), QString("Down"));
    QTRY_VERIFY_WITH_TIMEOUT(shown.size() >= 2 && shown.last() == "100.00%" &&
                                 shown.at(shown.size() - 2) == "100.00%",
                             60000);

    // 0, 2, 5, 9, then the 64 blocks, 99, 100 (progress) and 100 (complete).
    QCOMPARE(shown.size(), 4 + 64 + 3);
    QCOMPARE(shown.mid(0, 7),
             QStringList({"0.00%", "2.00%", "5.00%", "9.00%", "11.00%", "11.00%", "13.00%"}));
    QCOMPARE(shown.at(shown.size() - 3), QString("99.00%"));
    QCOMPARE(bar->value(), 100.0);
    QCOMPARE(doneLine, QString("The pedal now runs the new firmware."));

    // The pedal holds the newest image and runs its new firmware.
    const virtualpedal::PedalState state = virtualpedal::VirtualPedal::snapshot();
    QCOMPARE(state.firmwareVersion, std::string("V1.3.0"));
    QCOMPARE(state.runMode, 'A');
    QCOMPARE(int(state.bootBlocks.size()), 64);
    for (int k = 0; k < 2; ++k) {
        const QByteArray& data = newest.sections.at(k).data;
        const quint16 first = quint16(newest.sections.at(k).sectorAddrStart);
        const int blocks = data.size() / 512;
        for (int i = 0; i < blocks; ++i) {
            const std::vector<std::uint8_t>& block = state.bootBlocks.at(quint16(first + i));
            QCOMPARE(QByteArray(reinterpret_cast<const char*>(block.data()), int(block.size())),
                     data.mid(i * 512, 512));
        }
    }
}

TALIX_WIDGET_TEST_MAIN(TestUpdaterWindow)
#include "test_updaterwindow.moc"
