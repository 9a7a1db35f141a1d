// The updater's window on the virtual pedal in its boot loader: the image it chooses, what the
// pedal receives, the figures it shows, and the line it shows for each kind of failure.
#include "settings/qmeappinfo.h"
#include "tests/uikit/testenv.h"
#include "tests/updater/firmwareimagebuilder.h"
#include "uikit/qmebasebutton.h"
#include "uikit/qmebaseprogress.h"
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
}

void TestUpdaterWindow::cleanup() {
    QDir(firmwareFolder()).removeRecursively();
}

void TestUpdaterWindow::failures_data() {
    QTest::addColumn<Env>("env");
    QTest::addColumn<QString>("file"); // the image put in the folder; none when empty
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("figure"); // the percentage label at the end
    QTest::addColumn<QString>("line");

    QByteArray otherPedal = smallImage().build();
    otherPedal.replace(9, 7, QByteArray("TAL_X2\0", 7));
    QByteArray badMagic = smallImage().build();
    badMagic[0] = 'z';

    QTest::newRow("no folder") << Env{} << QString() << QByteArray() << "2.00%"
                               << "No firmware file (*.zv) is in the folder \"Firmware\" beside "
                                  "the updater. Copy the firmware file there, close this window "
                                  "and start the updater again.";
    QTest::newRow("damaged") << Env{} << "TALIX.zv" << badMagic << "2.00%"
                             << "The firmware file \"TALIX.zv\" cannot be read or is damaged. "
                                "Replace it with an intact copy, close this window and start the "
                                "updater again.";
    QTest::newRow("other pedal") << Env{} << "TALIX.zv" << otherPedal << "3.00%"
                                 << "The firmware file \"TALIX.zv\" is not made for this pedal. "
                                    "Put the firmware for TALIX in its place, close this window "
                                    "and start the updater again.";
    QTest::newRow("no answer") << Env{{"TALIX_VP_HANDSHAKE_TYPE", "OTHER"}} << "TALIX.zv"
                               << smallImage().build() << "4.00%"
                               << "The pedal did not answer. Check the USB cable, unplug the "
                                  "pedal and plug it in again, then start the updater again.";
    QTest::newRow("start refused")
        << Env{{"TALIX_VP_BOOT_REJECT_START", "1"}} << "TALIX.zv" << smallImage().build() << "9.00%"
        << "The pedal refused to begin the update. Unplug the pedal "
           "and plug it in again, then start the updater again.";
    // The third of eight blocks is refused: 3 * 90 / 8 + 9.
    QTest::newRow("block refused") << Env{{"TALIX_VP_BOOT_REFUSE_BLOCK", "2"}} << "TALIX.zv"
                                   << smallImage().build() << "42.00%"
                                   << "The pedal stopped taking the firmware. Unplug the pedal "
                                      "and plug it in again, then start the updater again to "
                                      "repeat the update.";
}

void TestUpdaterWindow::failures() {
    QFETCH(Env, env);
    QFETCH(QString, file);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, figure);
    QFETCH(QString, line);

    if (!file.isEmpty()) {
        QVERIFY(QDir().mkpath(firmwareFolder()));
        QFile out(firmwareFolder() + "/" + file);
        QVERIFY(out.open(QIODevice::WriteOnly) && out.write(bytes) == bytes.size());
    }
    PedalEnv pedal(env);
    MainWindow window;
    QCOMPARE(window.Probe(), 1);
    window.show();
    auto* button = child<QMEBaseButton>(window, "mbtnUpdate");
    auto* message = child<QLabel>(window, "mlblMessage");
    QVERIFY(message->isHidden());

    button->click();
    QVERIFY(QFileInfo(firmwareFolder()).isDir());
    // The handshake and block waits run their 5 s bound.
    QTRY_VERIFY_WITH_TIMEOUT(!message->isHidden(), 60000);
    QCOMPARE(message->text(), line);
    QCOMPARE(child<QLabel>(window, "mlblProgress")->text(), figure);
    QCOMPARE(child<QMEBaseProgress>(window, "mproUpdate")->value(), figure.chopped(1).toDouble());
    QCOMPARE(child<QLabel>(window, "mlblReady")->text(), QString("Failed"));
    QVERIFY(child<QLabel>(window, "mlblUpdate")->isHidden());
    // The line stays inside the band above the bar.
    QVERIFY(message->heightForWidth(message->width()) <= message->height());
    QVERIFY(message->geometry().bottom() < child<QMEBaseProgress>(window, "mproUpdate")->y());
    QVERIFY(!button->isEnabled());
    QCOMPARE(button->text(), QString("Down"));
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
    QCOMPARE(window.windowTitle(), QString("TALIX"));
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
    QCOMPARE(bar->Format(), QString());
    // Layout: the bar centred 20 pixels above the middle, the labels and button around it.
    QCOMPARE(bar->geometry(), QRect((470 - 341) / 2, (288 - 21) / 2 - 20, 341, 21));
    QCOMPARE(child<QLabel>(window, "mlblReady")->pos(), QPoint(bar->x() + 10, bar->y() + 45));
    QCOMPARE(percent->geometry().right(), bar->geometry().right() - 11);
    QCOMPARE(button->y(), bar->geometry().bottom() + 70);
    QCOMPARE(button->x(), (470 - button->width()) / 2);

    // Each label text as the window shows it, read after the window has taken the message.
    QStringList shown;
    connect(
        window.UpdateThread(), &QMEUpdateWriteThread::emitUpdateMsg, this,
        [&](int, float) { shown.append(percent->text()); }, Qt::QueuedConnection);

    virtualpedal::VirtualPedal::clearReceivedFrames();
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
    QVERIFY(child<QLabel>(window, "mlblMessage")->isHidden());

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
