#include "link/frame.h"
#include "link/qmebaselibusb.h"
#include "link/usbaccess.h"
#include "tests/link/pedalenv.h"
#include "tests/link/usbrecorder.h"
#include "virtualpedal/virtualpedal.h"

#include <QTemporaryDir>
#include <QtTest>

#include <cstring>
#include <memory>
#include <set>
#include <thread>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

using Bytes = std::vector<unsigned char>;
Q_DECLARE_METATYPE(Bytes)

namespace {

constexpr std::uint16_t vid = 0x0483;
constexpr std::uint16_t pid = 0x5703;
constexpr std::uint16_t release = 200;

using virtualpedal::VirtualPedal;

// A 64-byte identity answer packet as the handshake reads it.
Bytes identityPacket(const char* type, const char* runMode, std::size_t runModeBytes = 2) {
    Bytes payload(55, 0);
    std::memcpy(payload.data(), type, std::min<std::size_t>(std::strlen(type), 32));
    std::memcpy(payload.data() + 53, runMode, runModeBytes);
    Bytes frame = Frame::make(0x01, payload);
    Bytes packet(64, 0);
    packet[0] = static_cast<unsigned char>(frame.size());
    std::copy(frame.begin(), frame.end(), packet.begin() + 1);
    return packet;
}

// The frames with the given code that the pedal received.
std::vector<Bytes> receivedWithCode(unsigned char code) {
    std::vector<Bytes> found;
    for (const auto& f : VirtualPedal::receivedFrames())
        if (f.size() > 4 && f[4] == code)
            found.emplace_back(f.begin(), f.end());
    return found;
}

QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class TestQMEBaseLibusb final : public QObject {
    Q_OBJECT

private slots:
    void init() const { UsbRecorder::clear(); }

    void openResult_data() const {
        QTest::addColumn<QByteArray>("devices");
        QTest::addColumn<QByteArray>("runMode");
        QTest::addColumn<QByteArray>("bcd");
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("releaseNumber");
        QTest::addColumn<int>("result");
        QTest::newRow("running pedal")
            << QByteArray("pedal") << QByteArray("A") << QByteArray("0x0200") << 1 << 200 << 2;
        QTest::newRow("boot loader")
            << QByteArray("pedal") << QByteArray("B") << QByteArray("0x0200") << 1 << 200 << 1;
        QTest::newRow("release numbers not compared")
            << QByteArray("pedal") << QByteArray("A") << QByteArray("0x0107") << 1 << 200 << 2;
        QTest::newRow("bcdDevice 0")
            << QByteArray("pedal") << QByteArray("A") << QByteArray("0") << 1 << 200 << 0;
        QTest::newRow("release number 0")
            << QByteArray("pedal") << QByteArray("A") << QByteArray("0x0200") << 1 << 0 << 0;
        QTest::newRow("no transfer mode")
            << QByteArray("pedal") << QByteArray("A") << QByteArray("0x0200") << 0 << 200 << 0;
        QTest::newRow("another device type")
            << QByteArray("type=OTHER") << QByteArray("A") << QByteArray("0x0200") << 1 << 200 << 0;
        QTest::newRow("other ids only") << QByteArray("usb=1234:5678") << QByteArray("A")
                                        << QByteArray("0x0200") << 1 << 200 << 0;
        QTest::newRow("empty bus")
            << QByteArray("none") << QByteArray("A") << QByteArray("0x0200") << 1 << 200 << 0;
        QTest::newRow("other ids first") << QByteArray("usb=1234:5678,pedal") << QByteArray("A")
                                         << QByteArray("0x0200") << 1 << 200 << 2;
        QTest::newRow("another type first") << QByteArray("type=OTHER,pedal") << QByteArray("B")
                                            << QByteArray("0x0200") << 1 << 200 << 1;
    }
    void openResult() const {
        QFETCH(QByteArray, devices);
        QFETCH(QByteArray, runMode);
        QFETCH(QByteArray, bcd);
        QFETCH(int, mode);
        QFETCH(int, releaseNumber);
        QFETCH(int, result);
        PedalEnv env{
            {"TALIX_VP_DEVICES", devices}, {"TALIX_VP_RUN_MODE", runMode}, {"TALIX_VP_BCD", bcd}};
        QMEBaseLibusb link;
        link.setTransferMode(mode);
        QCOMPARE(
            link.openDevice(vid, pid, static_cast<std::uint16_t>(releaseNumber), "TAL_IX", true),
            result);
        QCOMPARE(link.isOpen(), result != 0);
        if (result != 0) {
            QCOMPARE(UsbRecorder::opens() - UsbRecorder::closes(), 1);
            QCOMPARE(link.getReleaseNumber(), std::uint16_t(releaseNumber));
            QCOMPARE(link.getVendorId(), vid);
            QCOMPARE(link.getProductId(), pid);
            QCOMPARE(QByteArray(link.getIdentity().deviceType), QByteArray("TAL_IX"));
            QCOMPARE(link.getIdentity().runMode[0], runMode[0]);
        } else {
            QCOMPARE(UsbRecorder::opens(), UsbRecorder::closes());
        }
    }

    // Why an open failed, for the programs to say it; another program holding the pedal shows as
    // a claim held in this process, or as the claim lock of the shared pedal's state file.
    void openFailureReasons_data() const {
        using F = QMEBaseLibusb::OpenFailure;
        QTest::addColumn<QByteArray>("setting");
        QTest::addColumn<QByteArray>("value");
        QTest::addColumn<QString>("holder"); // "", "link" or "process"
        QTest::addColumn<int>("failure");
        QTest::addColumn<QString>("detail"); // a pattern
        QTest::newRow("opened") << QByteArray() << QByteArray() << "" << int(F::None) << "^$";
        QTest::newRow("no device") << QByteArray("TALIX_VP_DEVICES") << QByteArray("none") << ""
                                   << int(F::NotFound) << "^$";
        QTest::newRow("other ids only")
            << QByteArray("TALIX_VP_DEVICES") << QByteArray("usb=1234:5678") << ""
            << int(F::NotFound) << "^$";
        QTest::newRow("another device type")
            << QByteArray("TALIX_VP_DEVICES") << QByteArray("type=OTHER") << ""
            << int(F::OtherDevice) << "^OTHER$";
        QTest::newRow("silent") << QByteArray("TALIX_VP_SILENT_ON") << QByteArray("0x00") << ""
                                << int(F::NoAnswer) << "^$";
        QTest::newRow("unplugged during the open")
            << QByteArray("TALIX_VP_UNPLUG_ON") << QByteArray("0x00") << "" << int(F::Gone) << "^$";
        QTest::newRow("driver stuck") << QByteArray("TALIX_VP_KERNEL_DRIVER") << QByteArray("stuck")
                                      << "" << int(F::DriverStuck) << "^$";
        QTest::newRow("held by another link")
            << QByteArray() << QByteArray() << "link" << int(F::Busy) << "^$";
        QTest::newRow("held by another process")
            << QByteArray() << QByteArray() << "process" << int(F::Busy) << "^$";
        QTest::newRow("no access") << QByteArray("TALIX_VP_OPEN_DENIED") << QByteArray("1") << ""
                                   << int(F::AccessDenied) << "^/dev/bus/usb/001/0\\d\\d$";
        QTest::newRow("claim refused")
            << QByteArray("TALIX_VP_CLAIM_BUSY") << QByteArray("1") << "" << int(F::Busy) << "^$";
        QTest::newRow("USB cannot start") << QByteArray("TALIX_VP_INIT_FAIL") << QByteArray("1")
                                          << "" << int(F::UsbUnavailable) << "^LIBUSB_ERROR_OTHER$";
    }

    void openFailureReasons() const {
        QFETCH(QByteArray, setting);
        QFETCH(QByteArray, value);
        QFETCH(QString, holder);
        QFETCH(int, failure);
        QFETCH(QString, detail);
        QTemporaryDir dir;
        const QByteArray state = QFile::encodeName(dir.filePath("pedal.state"));
        PedalEnv env{{"TALIX_VP_STATE", state}};
        if (!setting.isEmpty())
            qputenv(setting.constData(), value);
        QMEBaseLibusb other;
        other.setTransferMode(1);
        if (holder == "link")
            QCOMPARE(other.openDevice(vid, pid, release, "TAL_IX", true), 2);
        const int lock = ::open((state + ".claim").constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
        QVERIFY(lock >= 0);
        if (holder == "process")
            QCOMPARE(::flock(lock, LOCK_EX | LOCK_NB), 0);

        QMEBaseLibusb link;
        link.setTransferMode(1);
        QCOMPARE(link.openDevice(vid, pid, release, "TAL_IX", true),
                 failure == int(QMEBaseLibusb::OpenFailure::None) ? 2 : 0);
        QCOMPARE(int(link.lastOpenFailure()), failure);
        QVERIFY2(QRegularExpression(detail)
                     .match(QString::fromStdString(link.lastOpenDetail()))
                     .hasMatch(),
                 link.lastOpenDetail().c_str());
        // Without USB nothing else is asked of libusb.
        if (failure == int(QMEBaseLibusb::OpenFailure::UsbUnavailable))
            QCOMPARE(UsbRecorder::opens(), 0);
        ::close(lock);
        // Once the holder lets go, the pedal opens.
        other.closeDevice();
        if (!holder.isEmpty()) {
            QCOMPARE(link.openDevice(vid, pid, release, "TAL_IX", true), 2);
            QCOMPARE(link.lastOpenFailure(), QMEBaseLibusb::OpenFailure::None);
        }
    }

    // What a refused user reads besides the refusal: the device node, and that no udev rule
    // names the pedal where the system has rule folders and none does.
    void accessDetails_data() const {
        QTest::addColumn<QString>("node");
        QTest::addColumn<QString>("rules"); // a rule file's text; "-" for no rule folders
        QTest::addColumn<QString>("details");
        const QString node = "/dev/bus/usb/001/007";
        const QString nodeLine = "The pedal's device is " + node + ".";
        const QString noRule = "No udev rule for USB 0483:5703 is installed.";
        const QString pedalRule =
            "SUBSYSTEM==\"usb\", ATTR{idVendor}==\"0483\", ATTR{idProduct}==\"5703\", "
            "TAG+=\"uaccess\"\n";
        QTest::newRow("rule installed") << node << pedalRule << nodeLine;
        QTest::newRow("no rule") << node << "" << nodeLine + " " + noRule;
        QTest::newRow("rule commented out") << node << "# " + pedalRule << nodeLine + " " + noRule;
        QTest::newRow("another device's rule")
            << node << QString(pedalRule).replace("5703", "5740") << nodeLine + " " + noRule;
        QTest::newRow("no node, no rule") << ""
                                          << "" << noRule;
        QTest::newRow("a system without udev") << node << "-" << nodeLine;
    }
    void accessDetails() const {
        QFETCH(QString, node);
        QFETCH(QString, rules);
        QFETCH(QString, details);
        QTemporaryDir dir;
        QStringList folders;
        if (rules != "-") {
            folders << dir.filePath("etc") << dir.filePath("lib");
            QVERIFY(QDir().mkpath(folders[0]) && QDir().mkpath(folders[1]));
            QFile file(folders[1] + "/70-talix.rules");
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write(rules.toUtf8()) >= 0);
        }
        QCOMPARE(UsbAccess::AccessDetails(node, folders), details);
    }

    void nothingOpenedWithoutCandidate_data() const {
        QTest::addColumn<QByteArray>("bcd");
        QTest::addColumn<int>("releaseNumber");
        QTest::newRow("bcdDevice 0") << QByteArray("0") << 200;
        QTest::newRow("release number 0") << QByteArray("0x0200") << 0;
    }
    void nothingOpenedWithoutCandidate() const {
        QFETCH(QByteArray, bcd);
        QFETCH(int, releaseNumber);
        PedalEnv env{{"TALIX_VP_BCD", bcd}};
        QMEBaseLibusb link;
        link.setTransferMode(1);
        QCOMPARE(
            link.openDevice(vid, pid, static_cast<std::uint16_t>(releaseNumber), "TAL_IX", true),
            0);
        QCOMPARE(UsbRecorder::opens(), 0);
        QVERIFY(UsbRecorder::transfers().empty());
    }

    void pedalOfAnotherTypeIsClosedAndSkipped() const {
        QTemporaryDir dir;
        const QString log = dir.filePath("traffic.log");
        PedalEnv env{{"TALIX_VP_DEVICES", "type=OTHER,pedal"}, {"TALIX_VP_LOG", log.toUtf8()}};
        QMEBaseLibusb link;
        link.setTransferMode(1);
        QCOMPARE(link.openDevice(vid, pid, release, "TAL_IX", true), 2);
        QCOMPARE(UsbRecorder::opens(), 2);
        QCOMPARE(UsbRecorder::closes(), 1);
        QCOMPARE(UsbRecorder::claimedInterfaces(), (std::vector<int>{0, 0}));
        QCOMPARE(UsbRecorder::releasedInterfaces(), (std::vector<int>{0}));
        const QByteArray traffic = readFile(log);
        QVERIFY(traffic.contains("OUT@1 AA 55 01 00 00 C8 CF"));
        QVERIFY(traffic.contains("\nOUT AA 55 01 00 00 C8 CF") ||
                traffic.startsWith("OUT AA 55 01 00 00 C8 CF"));
        QVERIFY(traffic.indexOf("OUT@1 AA 55") < traffic.indexOf("OUT AA 55"));
    }

    void identityRequestIsOnePacket() const {
        PedalEnv env;
        QMEBaseLibusb link;
        link.setTransferMode(1);
        QCOMPARE(link.openDevice(vid, pid, release, "TAL_IX", true), 2);
        const auto out = UsbRecorder::outTransfers();
        QCOMPARE(out.size(), std::size_t(1));
        Bytes expected{0x07, 0xAA, 0x55, 0x01, 0x00, 0x00, 0xC8, 0xCF};
        expected.resize(64, 0x00);
        QCOMPARE(out[0].bytes, expected);
        QCOMPARE(out[0].endpoint, std::uint8_t(0x01));
        QCOMPARE(out[0].timeoutMs, 100u);
        // The 62-byte answer fits one packet; only that packet is read.
        const auto in = UsbRecorder::inTransfers();
        QCOMPARE(in.size(), std::size_t(1));
        QCOMPARE(in[0].endpoint, std::uint8_t(0x81));
        QCOMPARE(in[0].bytes.size(), std::size_t(64));
        QCOMPARE(in[0].timeoutMs, 100u);
        unsigned char buffer[64];
        QCOMPARE(link.readData(buffer, 10), 0);
    }

    void identityRecordFields() const {
        PedalEnv env{{"TALIX_VP_FIRMWARE", "V1.0.9"}};
        QMEBaseLibusb link;
        link.setTransferMode(1);
        QCOMPARE(link.openDevice(vid, pid, release, "TAL_IX", true), 2);
        const IdentityRecord id = link.getIdentity();
        QCOMPARE(QByteArray(id.deviceType), QByteArray("TAL_IX"));
        QCOMPARE(QByteArray(id.firmwareVersion, 7), QByteArray("V1.0.9\0", 7));
        QCOMPARE(QByteArray(id.infoText1, 7), QByteArray("VPEDAL\0", 7));
        QCOMPARE(QByteArray(id.infoText3, 7), QByteArray("R1\0\0\0\0\0", 7));
        QCOMPARE(QByteArray(id.runMode, 2), QByteArray("A\0", 2));
    }

    void silentPedalFailsAfterFiveReads() const {
        PedalEnv env{{"TALIX_VP_SILENT_ON", "0x00"}};
        QMEBaseLibusb link;
        link.setTransferMode(1);
        QCOMPARE(link.openDevice(vid, pid, release, "TAL_IX", true), 0);
        QVERIFY(!link.isOpen());
        const auto in = UsbRecorder::inTransfers();
        QCOMPARE(in.size(), std::size_t(5));
        for (const auto& t : in) {
            QCOMPARE(t.timeoutMs, 100u);
            QCOMPARE(t.result, int(LIBUSB_ERROR_TIMEOUT));
        }
        QCOMPARE(UsbRecorder::closes(), 1);
        QCOMPARE(receivedWithCode(0x00).size(), std::size_t(1));
    }

    void controlInterface_data() const {
        QTest::addColumn<int>("interfaces");
        QTest::addColumn<int>("claimed");
        QTest::newRow("1") << 1 << 0;
        QTest::newRow("2") << 2 << 0;
        QTest::newRow("3") << 3 << 0;
        QTest::newRow("4") << 4 << 3;
        QTest::newRow("8") << 8 << 3;
    }
    void controlInterface() const {
        QFETCH(int, interfaces);
        QFETCH(int, claimed);
        PedalEnv env{{"TALIX_VP_INTERFACES", QByteArray::number(interfaces)}};
        QMEBaseLibusb link;
        link.setTransferMode(1);
        QCOMPARE(link.openDevice(vid, pid, release, "TAL_IX", true), 2);
        QCOMPARE(link.getInterfaceCount(), interfaces);
        QCOMPARE(UsbRecorder::claimedInterfaces(), std::vector<int>{claimed});
        QCOMPARE(link.getInterruptInEndpoint(), std::uint8_t(0x81));
        QCOMPARE(link.getInterruptOutEndpoint(), std::uint8_t(0x01));
        QCOMPARE(link.getBulkInEndpoint(), std::uint8_t(0x82));
        QCOMPARE(link.getBulkOutEndpoint(), std::uint8_t(0x02));
        link.closeDevice();
        QVERIFY(!link.isOpen());
        QCOMPARE(UsbRecorder::releasedInterfaces(), std::vector<int>{claimed});
        QCOMPARE(UsbRecorder::closes(), 1);
        link.closeDevice();
        QCOMPARE(UsbRecorder::closes(), 1);
    }

    void kernelDriverOnControlInterface_data() const {
        QTest::addColumn<QByteArray>("driver");
        QTest::addColumn<int>("interfaces");
        QTest::addColumn<int>("result");
        QTest::addColumn<std::vector<int>>("claimed");
        QTest::newRow("detached, interface 0") << QByteArray("1") << 1 << 2 << std::vector<int>{0};
        QTest::newRow("detached, interface 3") << QByteArray("1") << 4 << 2 << std::vector<int>{3};
        QTest::newRow("detach refused") << QByteArray("stuck") << 1 << 0 << std::vector<int>{};
    }
    void kernelDriverOnControlInterface() const {
        QFETCH(QByteArray, driver);
        QFETCH(int, interfaces);
        QFETCH(int, result);
        QFETCH(std::vector<int>, claimed);
        PedalEnv env{{"TALIX_VP_KERNEL_DRIVER", driver},
                     {"TALIX_VP_INTERFACES", QByteArray::number(interfaces)}};
        QMEBaseLibusb link;
        link.setTransferMode(1);
        QCOMPARE(link.openDevice(vid, pid, release, "TAL_IX", true), result);
        QCOMPARE(link.isOpen(), result != 0);
        QCOMPARE(UsbRecorder::claimedInterfaces(), claimed);
        // A failed open closes what it opened.
        QCOMPARE(UsbRecorder::opens() - UsbRecorder::closes(), result != 0 ? 1 : 0);
        // Closing gives the interface back to the kernel's driver.
        link.closeDevice();
        libusb_device_handle* probe = libusb_open_device_with_vid_pid(nullptr, vid, pid);
        QVERIFY(probe);
        QCOMPARE(libusb_kernel_driver_active(probe, interfaces >= 4 ? 3 : 0), 1);
        libusb_close(probe);
    }

    void framesInPackets_data() const {
        QTest::addColumn<int>("frameSize");
        for (int size : {7, 62, 63, 64, 126, 127, 522})
            QTest::newRow(qPrintable(QString::number(size))) << size;
    }
    void framesInPackets() const {
        QFETCH(int, frameSize);
        PedalEnv env;
        QMEBaseLibusb link;
        link.setTransferMode(1);
        QCOMPARE(link.openDevice(vid, pid, release, "TAL_IX", true), 2);
        UsbRecorder::clear();
        Bytes params(static_cast<std::size_t>(frameSize - 7));
        for (std::size_t i = 0; i < params.size(); ++i)
            params[i] = static_cast<unsigned char>(i * 3 + 1);
        Bytes frame = Frame::make(0x77, params);
        QCOMPARE(int(frame.size()), frameSize);
        std::fill(frame.end() - 2, frame.end(), 0);
        QVERIFY(link.sendFrame(frame, 500));
        QVERIFY(Frame::check(frame));

        const auto out = UsbRecorder::outTransfers();
        QCOMPARE(int(out.size()), (frameSize + 62) / 63);
        Bytes joined;
        for (std::size_t p = 0; p < out.size(); ++p) {
            const Bytes& packet = out[p].bytes;
            QCOMPARE(packet.size(), std::size_t(64));
            const int count = std::min(63, frameSize - int(p) * 63);
            QCOMPARE(int(packet[0]), count);
            joined.insert(joined.end(), packet.begin() + 1, packet.begin() + 1 + count);
            QVERIFY(std::all_of(packet.begin() + 1 + count, packet.end(),
                                [](unsigned char b) { return b == 0; }));
            QCOMPARE(out[p].timeoutMs, 500u);
        }
        QCOMPARE(joined, frame);
        QCOMPARE(receivedWithCode(0x77), std::vector<Bytes>{frame});
    }

    void bulkTransfers() const {
        PedalEnv env;
        QMEBaseLibusb link;
        link.setTransferMode(1);
        QCOMPARE(link.openDevice(vid, pid, release, "TAL_IX", true), 2);
        // Both kinds of endpoint were sorted out at the open.
        link.setTransferMode(2);
        UsbRecorder::clear();
        const Bytes frame = Frame::make(0x77, Bytes(515, 0x42));
        QVERIFY(link.writeData(frame.data(), int(frame.size()), 500));
        const auto out = UsbRecorder::outTransfers();
        QCOMPARE(out.size(), std::size_t(2));
        QCOMPARE(out[0].endpoint, std::uint8_t(0x02));
        QCOMPARE(out[0].bytes, Bytes(frame.begin(), frame.begin() + 512));
        Bytes tail(frame.begin() + 512, frame.end());
        tail.resize(512, 0);
        QCOMPARE(out[1].bytes, tail);
        QCOMPARE(receivedWithCode(0x77), std::vector<Bytes>{frame});

        Bytes request = Frame::make(0x97, {0x01});
        QVERIFY(link.sendFrame(request, 500));
        Bytes buffer(512, 0xEE);
        QCOMPARE(link.readData(buffer.data(), 1000), 512);
        QCOMPARE(UsbRecorder::inTransfers().back().endpoint, std::uint8_t(0x82));
        const Bytes answer = Frame::make(0x97, {0x01});
        QCOMPARE(Bytes(buffer.begin(), buffer.begin() + 8), answer);
    }

    void failuresWithoutDevice() const {
        PedalEnv env;
        QMEBaseLibusb link;
        const Bytes frame = Frame::make(0x77, {1});
        unsigned char buffer[64];
        QCOMPARE(link.readData(buffer, 10), 0);
        link.setTransferMode(1);
        QVERIFY(!link.writeData(frame.data(), int(frame.size()), 100));
        QCOMPARE(link.readData(buffer, 10), -1);
        QCOMPARE(link.openDevice(vid, pid, release, "TAL_IX", true), 2);
        QVERIFY(!link.writeData(frame.data(), 0, 100));
        QVERIFY(!link.writeData(nullptr, 7, 100));
        Bytes huge(65536, 0);
        QVERIFY(!link.writeData(huge.data(), int(huge.size()), 100));
        Bytes shortVector(frame.begin(), frame.end() - 1);
        QVERIFY(!link.sendFrame(shortVector, 100));
        UsbRecorder::clear();
        QVERIFY(link.writeData(frame.data(), int(frame.size()), 100));
        QCOMPARE(UsbRecorder::outTransfers().size(), std::size_t(1));
    }

    void readTimesOutEmpty() const {
        PedalEnv env;
        QMEBaseLibusb link;
        link.setTransferMode(1);
        QCOMPARE(link.openDevice(vid, pid, release, "TAL_IX", true), 2);
        unsigned char buffer[64];
        QCOMPARE(link.readData(buffer, 20), 0);
        QVERIFY(link.isOpen());
    }

    void unplugDuringRead_data() const {
        QTest::addColumn<bool>("blocked");
        QTest::newRow("next read") << false;
        QTest::newRow("blocked in a read") << true;
    }
    void unplugDuringRead() const {
        QFETCH(bool, blocked);
        PedalEnv env;
        QMEBaseLibusb link;
        link.setTransferMode(1);
        QCOMPARE(link.openDevice(vid, pid, release, "TAL_IX", true), 2);
        std::atomic<int> result{1};
        std::unique_ptr<std::thread> reader;
        if (blocked) {
            reader = std::make_unique<std::thread>([&] {
                unsigned char buffer[64];
                result = link.readData(buffer, 3000);
            });
            // Let the reader block in its read; either way the pedal is gone for it.
            QTest::qWait(50);
        }
        QVERIFY(VirtualPedal::unplug());
        if (blocked) {
            reader->join();
        } else {
            unsigned char buffer[64];
            result = link.readData(buffer, 3000);
        }
        QCOMPARE(result.load(), -1);
        QVERIFY(!link.isOpen());
        QVERIFY(!link.getHandle());
    }

    void unplugDuringWriteKeepsHandle() const {
        PedalEnv env;
        QMEBaseLibusb link;
        link.setTransferMode(1);
        QCOMPARE(link.openDevice(vid, pid, release, "TAL_IX", true), 2);
        QVERIFY(VirtualPedal::unplug());
        const Bytes frame = Frame::make(0x77, {1});
        QVERIFY(!link.writeData(frame.data(), int(frame.size()), 100));
        QVERIFY(link.isOpen());
    }

    void readFailures_data() const {
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("rc");
        QTest::addColumn<int>("moved");
        QTest::addColumn<int>("result");
        QTest::addColumn<bool>("staysOpen");
        QTest::newRow("interrupt, time-out") << 1 << int(LIBUSB_ERROR_TIMEOUT) << 0 << 0 << true;
        QTest::newRow("interrupt, no device")
            << 1 << int(LIBUSB_ERROR_NO_DEVICE) << 0 << -1 << false;
        QTest::newRow("interrupt, other error") << 1 << int(LIBUSB_ERROR_IO) << 0 << -1 << true;
        QTest::newRow("bulk, time-out with bytes")
            << 2 << int(LIBUSB_ERROR_TIMEOUT) << 37 << 37 << true;
        QTest::newRow("bulk, time-out") << 2 << int(LIBUSB_ERROR_TIMEOUT) << 0 << 0 << true;
        QTest::newRow("bulk, other error") << 2 << int(LIBUSB_ERROR_IO) << 0 << -1 << false;
    }
    void readFailures() const {
        QFETCH(int, mode);
        QFETCH(int, rc);
        QFETCH(int, moved);
        QFETCH(int, result);
        QFETCH(bool, staysOpen);
        PedalEnv env;
        QMEBaseLibusb link;
        link.setTransferMode(1);
        QCOMPARE(link.openDevice(vid, pid, release, "TAL_IX", true), 2);
        link.setTransferMode(mode);
        UsbRecorder::failNextTransfer(true, rc, moved);
        Bytes buffer(512);
        QCOMPARE(link.readData(buffer.data(), 100), result);
        QCOMPARE(link.isOpen(), staysOpen);
    }

    void writeFailures_data() const {
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("rc");
        QTest::addColumn<int>("moved");
        QTest::addColumn<bool>("result");
        QTest::addColumn<int>("transfers");
        QTest::newRow("interrupt, time-out") << 1 << int(LIBUSB_ERROR_TIMEOUT) << 0 << false << 1;
        QTest::newRow("interrupt, no device")
            << 1 << int(LIBUSB_ERROR_NO_DEVICE) << 0 << false << 1;
        QTest::newRow("bulk, time-out before a byte")
            << 2 << int(LIBUSB_ERROR_TIMEOUT) << 0 << false << 1;
        QTest::newRow("bulk, other error") << 2 << int(LIBUSB_ERROR_PIPE) << 0 << false << 1;
        // The rest of the chunk goes again, then the second chunk.
        QTest::newRow("bulk, time-out after 100 bytes")
            << 2 << int(LIBUSB_ERROR_TIMEOUT) << 100 << true << 3;
    }
    void writeFailures() const {
        QFETCH(int, mode);
        QFETCH(int, rc);
        QFETCH(int, moved);
        QFETCH(bool, result);
        QFETCH(int, transfers);
        PedalEnv env;
        QMEBaseLibusb link;
        link.setTransferMode(1);
        QCOMPARE(link.openDevice(vid, pid, release, "TAL_IX", true), 2);
        link.setTransferMode(mode);
        UsbRecorder::clear();
        const Bytes frame = Frame::make(0x77, Bytes(515, 0x42));
        UsbRecorder::failNextTransfer(false, rc, moved);
        QCOMPARE(link.writeData(frame.data(), int(frame.size()), 100), result);
        const auto out = UsbRecorder::outTransfers();
        QCOMPARE(int(out.size()), transfers);
        if (moved > 0)
            QCOMPARE(out[1].bytes, Bytes(frame.begin() + moved, frame.begin() + 512));
        // Writes never close the device.
        QVERIFY(link.isOpen());
    }

    void reopenAfterClose() const {
        PedalEnv env;
        QMEBaseLibusb link;
        link.setTransferMode(1);
        QCOMPARE(link.openDevice(vid, pid, release, "TAL_IX", true), 2);
        link.closeDevice();
        QCOMPARE(link.openDevice(vid, pid, release, "TAL_IX", true), 2);
        QCOMPARE(UsbRecorder::opens(), 2);
        QCOMPARE(receivedWithCode(0x00).size(), std::size_t(2));
    }

    void openWhileOpenClosesFirst() const {
        PedalEnv env;
        QMEBaseLibusb link;
        link.setTransferMode(1);
        QCOMPARE(link.openDevice(vid, pid, release, "TAL_IX", true), 2);
        QCOMPARE(link.openDevice(vid, pid, release, "TAL_IX", true), 2);
        QCOMPARE(UsbRecorder::opens(), 2);
        QCOMPARE(UsbRecorder::closes(), 1);
        QCOMPARE(UsbRecorder::releasedInterfaces(), std::vector<int>{0});
        QVERIFY(link.isOpen());
    }

    void checkIdentity_data() const {
        QTest::addColumn<Bytes>("answer");
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("result");
        QTest::newRow("running") << identityPacket("TAL_IX", "A") << 1 << 2;
        QTest::newRow("boot loader") << identityPacket("TAL_IX", "B") << 1 << 1;
        QTest::newRow("bulk mode") << identityPacket("TAL_IX", "B") << 2 << 1;
        QTest::newRow("mode 0") << identityPacket("TAL_IX", "A") << 0 << 0;
        QTest::newRow("mode 3") << identityPacket("TAL_IX", "A") << 3 << 0;
        QTest::newRow("other run mode") << identityPacket("TAL_IX", "C") << 1 << 0;
        QTest::newRow("run mode not terminated") << identityPacket("TAL_IX", "AB") << 1 << 0;
        QTest::newRow("other type") << identityPacket("TAL_IY", "A") << 1 << 0;
        QTest::newRow("type prefix") << identityPacket("TAL_", "A") << 1 << 0;
        QTest::newRow("longer type") << identityPacket("TAL_IX2", "A") << 1 << 0;
        Bytes unterminated = identityPacket("TAL_IX", "A");
        std::fill(unterminated.begin() + 6, unterminated.begin() + 38, 'X');
        QTest::newRow("type fills its field") << unterminated << 1 << 0;
        // Start bytes, code and check value are not looked at.
        Bytes damaged = identityPacket("TAL_IX", "B");
        damaged[1] = 0x00;
        damaged[5] = 0x7F;
        damaged[62] ^= 0xFF;
        QTest::newRow("frame not checked") << damaged << 1 << 1;
    }
    void checkIdentity() const {
        QFETCH(Bytes, answer);
        QFETCH(int, mode);
        QFETCH(int, result);
        PedalEnv env;
        QMEBaseLibusb link;
        link.setTransferMode(1);
        QCOMPARE(link.openDevice(vid, pid, release, "TAL_IX", true), 2);
        QCOMPARE(link.checkIdentity(answer.data(), mode), result);
        if (mode == 1 || mode == 2) {
            const IdentityRecord id = link.getIdentity();
            QCOMPARE(std::memcmp(&id, answer.data() + 6, 55), 0);
        }
    }

    void concurrentFramesNeverInterleave() const {
        QTemporaryDir dir;
        const QString log = dir.filePath("traffic.log");
        // With the timing model each packet takes its millisecond, so two unserialised senders
        // would alternate packet by packet.
        PedalEnv env{{"TALIX_VP_LOG", log.toUtf8()}, {"TALIX_VP_TIMING", "1"}};
        QMEBaseLibusb link;
        link.setTransferMode(1);
        QCOMPARE(link.openDevice(vid, pid, release, "TAL_IX", true), 2);
        constexpr int perThread = 20;
        auto sender = [&link](unsigned char tag, std::vector<Bytes>* sent) {
            for (int i = 0; i < perThread; ++i) {
                Bytes params(515 + tag, tag);
                params[0] = static_cast<unsigned char>(i);
                sent->push_back(Frame::make(0x77, params));
                link.sendFrame(sent->back(), 500);
            }
        };
        std::vector<Bytes> sentA, sentB;
        std::thread a(sender, 1, &sentA);
        std::thread b(sender, 2, &sentB);
        a.join();
        b.join();

        std::vector<Bytes> gotA, gotB;
        for (const Bytes& f : receivedWithCode(0x77))
            (f[6] == 1 ? gotA : gotB).push_back(f);
        QCOMPARE(gotA, sentA);
        QCOMPARE(gotB, sentB);
        QVERIFY(!readFile(log).contains("BAD"));
    }
};

QTEST_GUILESS_MAIN(TestQMEBaseLibusb)
#include "test_qmebaselibusb.moc"
