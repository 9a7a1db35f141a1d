// The virtual pedal through the libusb API: bus, descriptors, packets, waits, unplugging, threads.

#include "pedalclient.h"
#include "scopedenv.h"
#include "virtualpedal/virtualpedal.h"

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QtTest>

#include <atomic>
#include <thread>

using virtualpedal::VirtualPedal;

namespace {

struct BusDevice {
    quint16 vendorId;
    quint16 productId;
    quint8 address;
};

QList<BusDevice> listBus() {
    QList<BusDevice> found;
    libusb_device** list = nullptr;
    const ssize_t count = libusb_get_device_list(nullptr, &list);
    for (ssize_t k = 0; k < count; ++k) {
        libusb_device_descriptor desc{};
        if (libusb_get_device_descriptor(list[k], &desc) == 0)
            found.append({desc.idVendor, desc.idProduct, libusb_get_device_address(list[k])});
    }
    if (count >= 0)
        libusb_free_device_list(list, 1);
    return found;
}

QByteArray identityField(const QByteArray& frame, int offset, int size) {
    const QByteArray field = frame.mid(5 + offset, size);
    return field.left(field.indexOf('\0'));
}

} // namespace

class TestVirtualPedalUsb final : public QObject {
    Q_OBJECT

private slots:
    void checkValue() const {
        const QByteArray text("123456789");
        QCOMPARE(VirtualPedal::checkValue(reinterpret_cast<const std::uint8_t*>(text.data()), 9),
                 quint16(0xCE3C));
        QCOMPARE(PedalClient::frame(0x00, {}), PedalClient::hex("AA55010000C8CF"));
    }

    void descriptors_data() const {
        QTest::addColumn<QByteArray>("interfaces");
        QTest::addColumn<QByteArray>("bcd");
        QTest::addColumn<int>("interfaceCount");
        QTest::addColumn<int>("control");
        QTest::addColumn<int>("bcdDevice");
        QTest::newRow("default") << QByteArray() << QByteArray() << 1 << 0 << 0x0200;
        QTest::newRow("four interfaces") << QByteArray("4") << QByteArray() << 4 << 3 << 0x0200;
        QTest::newRow("two interfaces") << QByteArray("2") << QByteArray() << 2 << 0 << 0x0200;
        QTest::newRow("bcd") << QByteArray() << QByteArray("0x0310") << 1 << 0 << 0x0310;
    }

    void descriptors() const {
        QFETCH(QByteArray, interfaces);
        QFETCH(QByteArray, bcd);
        QFETCH(int, interfaceCount);
        QFETCH(int, control);
        QFETCH(int, bcdDevice);
        ScopedEnv env{{"TALIX_VP_INTERFACES", interfaces}, {"TALIX_VP_BCD", bcd}};
        libusb_init(nullptr);
        libusb_device** list = nullptr;
        QCOMPARE(libusb_get_device_list(nullptr, &list), ssize_t(1));
        QVERIFY(list[1] == nullptr);
        libusb_device_descriptor desc{};
        QCOMPARE(libusb_get_device_descriptor(list[0], &desc), 0);
        QCOMPARE(desc.idVendor, quint16(0x0483));
        QCOMPARE(desc.idProduct, quint16(0x5703));
        QCOMPARE(int(desc.bcdDevice), bcdDevice);
        QCOMPARE(desc.bNumConfigurations, quint8(1));
        libusb_config_descriptor* config = nullptr;
        QCOMPARE(libusb_get_config_descriptor(list[0], 1, &config), int(LIBUSB_ERROR_NOT_FOUND));
        QCOMPARE(libusb_get_config_descriptor(list[0], 0, &config), 0);
        QCOMPARE(config->bConfigurationValue, quint8(1));
        QCOMPARE(int(config->bNumInterfaces), interfaceCount);
        for (int k = 0; k < interfaceCount; ++k) {
            const libusb_interface_descriptor& setting = config->interface[k].altsetting[0];
            QCOMPARE(config->interface[k].num_altsetting, 1);
            QCOMPARE(int(setting.bInterfaceNumber), k);
            QCOMPARE(int(setting.bNumEndpoints), k == control ? 4 : 0);
        }
        const libusb_interface_descriptor& setting = config->interface[control].altsetting[0];
        const quint8 expected[4][3] = {{0x81, LIBUSB_TRANSFER_TYPE_INTERRUPT, 64},
                                       {0x01, LIBUSB_TRANSFER_TYPE_INTERRUPT, 64},
                                       {0x82, LIBUSB_TRANSFER_TYPE_BULK, 0},
                                       {0x02, LIBUSB_TRANSFER_TYPE_BULK, 0}};
        for (int k = 0; k < 4; ++k) {
            QCOMPARE(setting.endpoint[k].bEndpointAddress, expected[k][0]);
            QCOMPARE(setting.endpoint[k].bmAttributes & 3, int(expected[k][1]));
            QCOMPARE(int(setting.endpoint[k].wMaxPacketSize), expected[k][2] ? 64 : 512);
        }
        libusb_free_config_descriptor(config);
        QCOMPARE(libusb_get_active_config_descriptor(list[0], &config), 0);
        QCOMPARE(config->bConfigurationValue, quint8(1));
        libusb_free_config_descriptor(config);

        libusb_device_handle* handle = nullptr;
        QCOMPARE(libusb_open(list[0], &handle), 0);
        QCOMPARE(libusb_set_configuration(handle, 1), 0);
        QCOMPARE(libusb_set_configuration(handle, 7), int(LIBUSB_ERROR_NOT_FOUND));
        QCOMPARE(libusb_kernel_driver_active(handle, control), 0);
        QCOMPARE(libusb_kernel_driver_active(handle, interfaceCount), int(LIBUSB_ERROR_NOT_FOUND));
        QCOMPARE(libusb_claim_interface(handle, interfaceCount), int(LIBUSB_ERROR_NOT_FOUND));
        QCOMPARE(libusb_claim_interface(handle, control), 0);
        QCOMPARE(libusb_release_interface(handle, control), 0);
        QCOMPARE(libusb_release_interface(handle, control), int(LIBUSB_ERROR_NOT_FOUND));
        QCOMPARE(libusb_get_bus_number(list[0]), quint8(1));
        QVERIFY(libusb_get_device_address(list[0]) != 0);
        libusb_close(handle);
        libusb_free_device_list(list, 1);
        libusb_exit(nullptr);
    }

    void kernelDriver_data() const {
        QTest::addColumn<QByteArray>("driver");
        QTest::addColumn<int>("active");
        QTest::addColumn<int>("detach");
        QTest::addColumn<int>("claim");
        QTest::addColumn<int>("configure");
        QTest::newRow("none") << QByteArray() << 0 << int(LIBUSB_ERROR_NOT_FOUND) << 0
                              << int(LIBUSB_SUCCESS);
        QTest::newRow("detachable") << QByteArray("1") << 1 << 0 << 0 << int(LIBUSB_ERROR_BUSY);
        QTest::newRow("stuck") << QByteArray("stuck") << 1 << int(LIBUSB_ERROR_ACCESS)
                               << int(LIBUSB_ERROR_BUSY) << int(LIBUSB_ERROR_BUSY);
    }

    void kernelDriver() const {
        QFETCH(QByteArray, driver);
        QFETCH(int, active);
        QFETCH(int, detach);
        QFETCH(int, claim);
        QFETCH(int, configure);
        ScopedEnv env{{"TALIX_VP_KERNEL_DRIVER", driver}, {"TALIX_VP_INTERFACES", "4"}};
        libusb_init(nullptr);
        libusb_device_handle* handle = libusb_open_device_with_vid_pid(nullptr, 0x0483, 0x5703);
        QVERIFY(handle);
        QCOMPARE(libusb_kernel_driver_active(handle, 0), 0);
        QCOMPARE(libusb_kernel_driver_active(handle, 3), active);
        // As on Linux, a bound driver refuses a configuration change.
        QCOMPARE(libusb_set_configuration(handle, 1), configure);
        if (active)
            QCOMPARE(libusb_claim_interface(handle, 3), int(LIBUSB_ERROR_BUSY));
        QCOMPARE(libusb_detach_kernel_driver(handle, 3), detach);
        QCOMPARE(libusb_claim_interface(handle, 3), claim);
        QCOMPARE(libusb_kernel_driver_active(handle, 3), claim == 0 ? 0 : 1);
        if (detach == 0) {
            QCOMPARE(libusb_set_configuration(handle, 1), int(LIBUSB_SUCCESS));
            // The driver takes the interface back only once it is released.
            QCOMPARE(libusb_attach_kernel_driver(handle, 3), int(LIBUSB_ERROR_BUSY));
            QCOMPARE(libusb_release_interface(handle, 3), 0);
            QCOMPARE(libusb_attach_kernel_driver(handle, 3), 0);
            QCOMPARE(libusb_kernel_driver_active(handle, 3), 1);
        }
        libusb_close(handle);
        libusb_exit(nullptr);
    }

    void busLayout_data() const {
        QTest::addColumn<QByteArray>("devices");
        QTest::addColumn<QByteArray>("noDevice");
        QTest::addColumn<QList<int>>("products");
        QTest::newRow("default") << QByteArray() << QByteArray() << QList<int>{0x5703};
        QTest::newRow("three") << QByteArray("usb=1234:0001, type=TAL_XX,pedal") << QByteArray()
                               << QList<int>{0x0001, 0x5703, 0x5703};
        QTest::newRow("none listed") << QByteArray("none") << QByteArray() << QList<int>{};
        QTest::newRow("no device") << QByteArray() << QByteArray("1") << QList<int>{};
    }

    void busLayout() const {
        QFETCH(QByteArray, devices);
        QFETCH(QByteArray, noDevice);
        QFETCH(QList<int>, products);
        ScopedEnv env{{"TALIX_VP_DEVICES", devices}, {"TALIX_VP_NO_DEVICE", noDevice}};
        PedalClient client;
        const QList<BusDevice> bus = listBus();
        QCOMPARE(bus.size(), products.size());
        for (int k = 0; k < bus.size(); ++k)
            QCOMPARE(int(bus[k].productId), products[k]);
        QCOMPARE(client.open(), !products.isEmpty());
    }

    void anotherTypeInFront() const {
        ScopedEnv env{{"TALIX_VP_DEVICES", "type=TAL_XX,pedal"}};
        PedalClient client;
        const QByteArray request = PedalClient::frame(0x00, {});
        QVERIFY(client.open(0));
        QCOMPARE(client.send(request), 0);
        QList<QByteArray> frames = client.readFrames(1, 500);
        QCOMPARE(frames.size(), 1);
        QCOMPARE(identityField(frames[0], 0, 32), QByteArray("TAL_XX"));
        QVERIFY(client.open(1));
        QCOMPARE(client.send(request), 0);
        frames = client.readFrames(1, 500);
        QCOMPARE(frames.size(), 1);
        QCOMPARE(identityField(frames[0], 0, 32), QByteArray("TAL_IX"));
        QCOMPARE(VirtualPedal::receivedFrames().size(), 1);
    }

    void identityExchange() const {
        ScopedEnv env{{"TALIX_VP_FIRMWARE", "V9.8.7"}};
        PedalClient client;
        QVERIFY(client.open());
        QByteArray out = PedalClient::hex("07AA55010000C8CF");
        out.append(QByteArray(64 - out.size(), '\0'));
        int moved = 0;
        QCOMPARE(libusb_interrupt_transfer(client.handle(), 0x01,
                                           reinterpret_cast<unsigned char*>(out.data()), 64, &moved,
                                           100),
                 0);
        QCOMPARE(moved, 64);
        QByteArray packet;
        QCOMPARE(client.readPacket(packet, 500), 0);
        QCOMPARE(packet.size(), 64);
        QCOMPARE(int(packet[0]), 62);
        QCOMPARE(packet.mid(1, 5), PedalClient::hex("AA55380001"));
        const QByteArray frame = packet.mid(1, 62);
        QCOMPARE(identityField(frame, 0, 32), QByteArray("TAL_IX"));
        QCOMPARE(frame.mid(5, 32), QByteArray("TAL_IX") + QByteArray(26, '\0'));
        QCOMPARE(identityField(frame, 39, 7), QByteArray("V9.8.7"));
        QCOMPARE(frame.mid(5 + 53, 2), QByteArray("A\0", 2));
        QCOMPARE(frame, PedalClient::frame(0x01, frame.mid(5, 55)));
        QCOMPARE(packet.mid(63), QByteArray(1, '\0'));
        QCOMPARE(VirtualPedal::receivedFrames().size(), 1);
        QCOMPARE(
            QByteArray(reinterpret_cast<const char*>(VirtualPedal::receivedFrames()[0].data()), 7),
            PedalClient::hex("AA55010000C8CF"));
    }

    void longAnswerSpansPackets() const {
        PedalClient client;
        QVERIFY(client.open());
        QCOMPARE(client.send(PedalClient::frame(0xEC, PedalClient::hex("01"))), 0);
        // 0xE6 (18 bytes) and 0xE7 (557 bytes): 575 bytes in nine full packets and one of 8.
        QByteArray stream;
        for (int k = 0; k < 10; ++k) {
            QByteArray packet;
            QCOMPARE(client.readPacket(packet, 500), 0);
            QCOMPARE(int(quint8(packet[0])), k < 9 ? 63 : 8);
            stream.append(packet.mid(1, quint8(packet[0])));
        }
        QByteArray packet;
        QCOMPARE(client.readPacket(packet, 30), int(LIBUSB_ERROR_TIMEOUT));
        const QByteArray flags = PedalClient::frame(0xE6, QByteArray(11, '\0'));
        const QByteArray names = PedalClient::frame(0xE7, QByteArray(550, '\0'));
        QCOMPARE(stream, flags + names);
    }

    void twoAnswersSharePacket() const {
        PedalClient client;
        QVERIFY(client.open());
        QCOMPARE(client.send(PedalClient::frame(0xEE, {})), 0);
        QByteArray packet;
        QCOMPARE(client.readPacket(packet, 500), 0);
        const QByteArray expected = PedalClient::frame(0x98, PedalClient::hex("0101")) +
                                    PedalClient::frame(0xED, PedalClient::hex("03"));
        QCOMPARE(int(packet[0]), expected.size());
        QCOMPARE(packet.mid(1, expected.size()), expected);
        QCOMPARE(packet.mid(1 + expected.size()), QByteArray(63 - expected.size(), '\0'));
    }

    void frameSplitOverPackets() const {
        PedalClient client;
        QVERIFY(client.open());
        const QByteArray frame = PedalClient::frame(0x97, PedalClient::hex("01"));
        int moved = 0;
        for (int part = 0; part < 2; ++part) {
            QByteArray packet(64, '\0');
            const QByteArray piece = part == 0 ? frame.left(3) : frame.mid(3);
            packet[0] = char(piece.size());
            packet.replace(1, piece.size(), piece);
            QCOMPARE(libusb_interrupt_transfer(client.handle(), 0x01,
                                               reinterpret_cast<unsigned char*>(packet.data()), 64,
                                               &moved, 100),
                     0);
        }
        const QList<QByteArray> frames = client.readFrames(1, 500);
        QCOMPARE(frames, QList<QByteArray>{frame});
    }

    void badCheckValueIgnored() const {
        PedalClient client;
        QVERIFY(client.open());
        QByteArray bad = PedalClient::frame(0x97, PedalClient::hex("01"));
        bad[bad.size() - 1] = char(bad.at(bad.size() - 1) ^ 1);
        const QByteArray good = PedalClient::frame(0x97, PedalClient::hex("00"));
        QCOMPARE(client.send(bad + good), 0);
        const QList<QByteArray> frames = client.readFrames(2, 100);
        QCOMPARE(frames, QList<QByteArray>{good});
        QCOMPARE(VirtualPedal::receivedFrames().size(), 1);
    }

    void readWaitsForItsTimeout() const {
        PedalClient client;
        QVERIFY(client.open());
        QByteArray packet(64, '\x55');
        int moved = -1;
        QElapsedTimer timer;
        timer.start();
        QCOMPARE(libusb_interrupt_transfer(client.handle(), 0x81,
                                           reinterpret_cast<unsigned char*>(packet.data()), 64,
                                           &moved, 60),
                 int(LIBUSB_ERROR_TIMEOUT));
        QVERIFY(timer.elapsed() >= 55);
        QCOMPARE(moved, 0);
    }

    void readWakesWhenDataArrives() const {
        PedalClient client;
        QVERIFY(client.open());
        std::thread pusher([] {
            std::this_thread::sleep_for(std::chrono::milliseconds(40));
            VirtualPedal::pushAnswer(0x97, {1});
        });
        QElapsedTimer timer;
        timer.start();
        QByteArray packet;
        const int rc = client.readPacket(packet, 5000);
        const qint64 elapsed = timer.elapsed();
        pusher.join();
        QCOMPARE(rc, 0);
        QVERIFY2(elapsed < 4000, "the read slept out its time-out");
        QCOMPARE(packet.mid(1, quint8(packet[0])),
                 PedalClient::frame(0x97, PedalClient::hex("01")));
    }

    void transferErrors() const {
        PedalClient client;
        QVERIFY(client.open());
        QCOMPARE(client.send(PedalClient::frame(0x97, PedalClient::hex("01"))), 0);
        QByteArray packet;
        QCOMPARE(client.readPacket(packet, 500, PedalClient::Pipe::Interrupt, 32),
                 int(LIBUSB_ERROR_OVERFLOW));
        unsigned char buffer[64] = {};
        int moved = 0;
        QCOMPARE(libusb_interrupt_transfer(client.handle(), 0x83, buffer, 64, &moved, 10),
                 int(LIBUSB_ERROR_NOT_FOUND));
        QCOMPARE(libusb_bulk_transfer(client.handle(), 0x81, buffer, 64, &moved, 10),
                 int(LIBUSB_ERROR_IO));
        QCOMPARE(libusb_interrupt_transfer(nullptr, 0x81, buffer, 64, &moved, 10),
                 int(LIBUSB_ERROR_INVALID_PARAM));
        QCOMPARE(QByteArray(libusb_error_name(LIBUSB_ERROR_TIMEOUT)),
                 QByteArray("LIBUSB_ERROR_TIMEOUT"));
        QVERIFY(QByteArray(libusb_strerror(LIBUSB_ERROR_NO_DEVICE)).contains("No such device"));
        QCOMPARE(libusb_get_version()->major, quint16(1));
        QCOMPARE(libusb_set_option(nullptr, LIBUSB_OPTION_LOG_LEVEL, 0), 0);
    }

    void unplugAndReplug() const {
        PedalClient client;
        QVERIFY(client.open());
        const QList<BusDevice> before = listBus();
        QCOMPARE(before.size(), 1);
        QByteArray packet;
        int rc = 0;
        std::thread reader([&] { rc = client.readPacket(packet, 3000); });
        std::this_thread::sleep_for(std::chrono::milliseconds(30));
        QVERIFY(VirtualPedal::unplug());
        reader.join();
        QCOMPARE(rc, int(LIBUSB_ERROR_NO_DEVICE));
        QCOMPARE(client.send(PedalClient::frame(0x9B, {})), int(LIBUSB_ERROR_NO_DEVICE));
        QVERIFY(listBus().isEmpty());
        QVERIFY(!VirtualPedal::present());
        QVERIFY(VirtualPedal::replug());
        const QList<BusDevice> after = listBus();
        QCOMPARE(after.size(), 1);
        QVERIFY(after[0].address != before[0].address);
        QCOMPARE(client.readPacket(packet, 10), int(LIBUSB_ERROR_NO_DEVICE));
        QVERIFY(client.open());
        QCOMPARE(client.send(PedalClient::frame(0x97, PedalClient::hex("00"))), 0);
        QCOMPARE(client.readFrames(1, 500).size(), 1);
    }

    void bulkMode() const {
        PedalClient client;
        QVERIFY(client.open());
        QCOMPARE(client.send(PedalClient::frame(0x00, {}), PedalClient::Pipe::Bulk), 0);
        QByteArray chunk;
        QCOMPARE(client.readPacket(chunk, 500, PedalClient::Pipe::Bulk), 0);
        QCOMPARE(chunk.size(), 512);
        QCOMPARE(chunk.left(5), PedalClient::hex("AA55380001"));
        QCOMPARE(chunk.mid(62), QByteArray(450, '\0'));
        // Answers of bulk requests do not show up on the interrupt endpoint.
        QByteArray packet;
        QCOMPARE(client.readPacket(packet, 20), int(LIBUSB_ERROR_TIMEOUT));
        QCOMPARE(
            client.send(PedalClient::frame(0xEC, PedalClient::hex("01")), PedalClient::Pipe::Bulk),
            0);
        QCOMPARE(client.readFrames(2, 500, PedalClient::Pipe::Bulk).size(), 2);
        // Each answer starts a chunk: E6 in one, E7 (557 bytes) in two.
        QCOMPARE(
            client.send(PedalClient::frame(0xEC, PedalClient::hex("01")), PedalClient::Pipe::Bulk),
            0);
        QList<QByteArray> chunks;
        for (int k = 0; k < 3; ++k) {
            QCOMPARE(client.readPacket(chunk, 500, PedalClient::Pipe::Bulk), 0);
            chunks.append(chunk);
        }
        QCOMPARE(chunks[0].left(5), PedalClient::hex("AA550C00E6"));
        QCOMPARE(chunks[1].left(5), PedalClient::hex("AA552702E7"));
        QCOMPARE(chunks[2].mid(45), QByteArray(512 - 45, '\0'));
        QCOMPARE(client.readPacket(chunk, 20, PedalClient::Pipe::Bulk), int(LIBUSB_ERROR_TIMEOUT));
    }

    void timingModel() const {
        ScopedEnv env{{"TALIX_VP_TIMING", "1"}};
        PedalClient client;
        QVERIFY(client.open());
        QElapsedTimer timer;
        timer.start();
        for (int k = 0; k < 20; ++k)
            QCOMPARE(client.send(PedalClient::frame(0x98, PedalClient::hex("0000"))), 0);
        QVERIFY2(timer.elapsed() >= 19, "OUT packets faster than one per millisecond");
        QCOMPARE(client.send(PedalClient::frame(0xEC, PedalClient::hex("01"))), 0);
        timer.restart();
        QCOMPARE(client.readFrames(2, 2000).size(), 2);
        QVERIFY2(timer.elapsed() >= 9, "IN packets faster than one per millisecond");
    }

    void oneReaderTwoWriters() const {
        PedalClient client;
        QVERIFY(client.open());
        constexpr int perWriter = 200;
        std::atomic<bool> writersOk{true};
        QList<QByteArray> frames;
        std::thread reader([&] { frames = client.readFrames(2 * perWriter, 10000); });
        auto writer = [&](quint8 cab) {
            for (int k = 0; k < perWriter; ++k) {
                const QByteArray request =
                    PedalClient::frame(0x99, QByteArray(1, char((k + cab) % 14)));
                int moved = 0;
                QByteArray packet(64, '\0');
                packet[0] = char(request.size());
                packet.replace(1, request.size(), request);
                if (libusb_interrupt_transfer(client.handle(), 0x01,
                                              reinterpret_cast<unsigned char*>(packet.data()), 64,
                                              &moved, 100) != 0)
                    writersOk = false;
            }
        };
        std::thread first(writer, 0);
        std::thread second(writer, 7);
        first.join();
        second.join();
        reader.join();
        QVERIFY(writersOk);
        QCOMPARE(frames.size(), 2 * perWriter);
        QVector<int> expected(14, 0);
        QVector<int> counts(14, 0);
        for (int k = 0; k < perWriter; ++k) {
            ++expected[k % 14];
            ++expected[(k + 7) % 14];
        }
        for (const QByteArray& frame : frames) {
            QCOMPARE(quint8(frame[4]), quint8(0x9A));
            ++counts[quint8(frame[5]) % 14];
        }
        QCOMPARE(counts, expected);
        QCOMPARE(VirtualPedal::receivedFrames().size(), std::size_t(2 * perWriter));
    }

    void stateFilePersists() const {
        QTemporaryDir dir;
        const QByteArray path = dir.filePath("pedal.state").toLocal8Bit();
        ScopedEnv env{{"TALIX_VP_STATE", path}};
        const QByteArray preset = PedalClient::hex("0003000400050006000700080009000A000B000C");
        {
            PedalClient client;
            QVERIFY(client.open());
            QCOMPARE(client.send(PedalClient::frame(0x9A, QByteArray(1, 3) + preset)), 0);
            QCOMPARE(client.send(PedalClient::frame(0x98, PedalClient::hex("0001"))), 0);
            QCOMPARE(client.readFrames(1, 500).size(), 1);
        }
        QVERIFY(QFile::exists(QString::fromLocal8Bit(path)));
        {
            PedalClient client;
            QVERIFY(client.open());
            QCOMPARE(client.send(PedalClient::frame(0x99, PedalClient::hex("03"))), 0);
            const QList<QByteArray> frames = client.readFrames(1, 500);
            QCOMPARE(frames,
                     QList<QByteArray>{PedalClient::frame(0x9A, QByteArray(1, 3) + preset)});
            QCOMPARE(VirtualPedal::snapshot().bypassA, quint8(0));
            QCOMPARE(VirtualPedal::snapshot().bypassB, quint8(1));
            QCOMPARE(client.send(PedalClient::frame(0xEB, PedalClient::hex("01"))), 0);
        }
        {
            // The run mode of the state file wins over the environment.
            ScopedEnv runMode{{"TALIX_VP_RUN_MODE", "A"}};
            PedalClient client;
            QVERIFY(client.open());
            QCOMPARE(client.send(PedalClient::frame(0x00, {})), 0);
            const QList<QByteArray> frames = client.readFrames(1, 500);
            QCOMPARE(frames.size(), 1);
            QCOMPARE(frames[0].at(5 + 53), 'B');
        }
    }

    void damagedStateFileIgnored() const {
        QTemporaryDir dir;
        QFile file(dir.filePath("pedal.state"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("TVPSTAT1 but far too short");
        file.close();
        ScopedEnv env{{"TALIX_VP_STATE", file.fileName().toLocal8Bit()},
                      {"TALIX_VP_RUN_MODE", "B"}};
        PedalClient client;
        QVERIFY(client.open());
        const virtualpedal::PedalState state = VirtualPedal::snapshot();
        QCOMPARE(state.runMode, 'B');
        QCOMPARE(state.memoryImage.size(), std::size_t(virtualpedal::PedalState::imageSize));
    }

    void nestedInit() const {
        libusb_context* context = nullptr;
        QCOMPARE(libusb_init(&context), 0);
        QVERIFY(context);
        QCOMPARE(libusb_init(nullptr), 0);
        QVERIFY(VirtualPedal::pushAnswer(0x97, {0}));
        libusb_exit(nullptr);
        // The bus (and what is queued on it) lives until the last exit.
        QVERIFY(VirtualPedal::active());
        libusb_exit(context);
        QVERIFY(!VirtualPedal::active());
        libusb_exit(nullptr);
        QVERIFY(!VirtualPedal::active());
    }

    void controlWithoutBus() const {
        QVERIFY(!VirtualPedal::active());
        QVERIFY(!VirtualPedal::unplug());
        QVERIFY(!VirtualPedal::pushAnswer(0x97, {0}));
        QVERIFY(VirtualPedal::receivedFrames().empty());
        libusb_device** list = nullptr;
        QCOMPARE(libusb_get_device_list(nullptr, &list), ssize_t(LIBUSB_ERROR_OTHER));
    }
};

QTEST_APPLESS_MAIN(TestVirtualPedalUsb)
#include "test_virtualpedal_usb.moc"
