// What the virtual pedal answers and how its state changes, command by command.

#include "pedalclient.h"
#include "scopedenv.h"
#include "virtualpedal/virtualpedal.h"

#include <QtTest>

using virtualpedal::PedalState;
using virtualpedal::VirtualPedal;

namespace {

// Factory presets 0 and 13, worked out by hand from the documented formula.
const char* const preset0 = "000A0000000000000064"
                            "0050000500000032003C";
const char* const preset13 = "004B0002000D00270057"
                             "000F0007001A000B0056";

QByteArray identity(char runMode, const QByteArray& type = "TAL_IX",
                    const QByteArray& version = "V1.2.2") {
    QByteArray payload = type.leftJustified(32, '\0');
    payload += QByteArray("VPEDAL").leftJustified(7, '\0');
    payload += version.leftJustified(7, '\0');
    payload += QByteArray("R1").leftJustified(7, '\0');
    payload += runMode;
    payload += '\0';
    return PedalClient::frame(0x01, payload);
}

QByteArray imageBlock(int block) {
    QByteArray data(512, '\0');
    for (int k = 0; k < 512; ++k) {
        const int at = block * 512 + k;
        data[k] = char((at * 7 + block) & 0xFF);
    }
    return data;
}

QByteArray bytes(const std::vector<std::uint8_t>& data) {
    return QByteArray(reinterpret_cast<const char*>(data.data()), int(data.size()));
}

QByteArray bytes(const PedalState::Preset& preset) {
    return QByteArray(reinterpret_cast<const char*>(preset.data()), int(preset.size()));
}

QByteArray block16(int value) {
    QByteArray out(2, '\0');
    out[0] = char(value >> 8);
    out[1] = char(value);
    return out;
}

QByteArray pattern(int size, int seed) {
    QByteArray out(size, '\0');
    for (int k = 0; k < size; ++k)
        out[k] = char((k * 13 + seed) & 0xFF);
    return out;
}

// Sends one frame and collects the frames that come back within `timeoutMs`.
QList<QByteArray> exchange(PedalClient& client, const QByteArray& request, int expected,
                           int timeoutMs = 500) {
    if (client.send(request) != 0)
        return {};
    return client.readFrames(expected, timeoutMs);
}

} // namespace

class TestVirtualPedalAnswers final : public QObject {
    Q_OBJECT

private slots:
    void answers_data() const {
        QTest::addColumn<QByteArray>("request");
        QTest::addColumn<QList<QByteArray>>("expected");
        const auto f = PedalClient::frame;
        const auto h = PedalClient::hex;
        const QByteArray preset = pattern(20, 1);
        QTest::newRow("identity") << f(0x00, {}) << QList<QByteArray>{identity('A')};
        QTest::newRow("identity two bytes") << f(0x00, h("00")) << QList<QByteArray>{identity('A')};
        QTest::newRow("select preset") << f(0x91, h("0500")) << QList<QByteArray>{};
        for (int code = 0x92; code <= 0x96; ++code)
            QTest::addRow("set %02x", code) << f(quint8(code), h("010005")) << QList<QByteArray>{};
        QTest::newRow("select cabinet") << f(0x97, h("01")) << QList<QByteArray>{f(0x97, h("01"))};
        QTest::newRow("bypass") << f(0x98, h("0001")) << QList<QByteArray>{};
        QTest::newRow("read preset 0")
            << f(0x99, h("00")) << QList<QByteArray>{f(0x9A, h("00") + h(preset0))};
        QTest::newRow("read preset 13")
            << f(0x99, h("0D")) << QList<QByteArray>{f(0x9A, h("0D") + h(preset13))};
        QTest::newRow("read preset 14") << f(0x99, h("0E")) << QList<QByteArray>{};
        QTest::newRow("write preset")
            << f(0x9A, h("04") + preset) << QList<QByteArray>{f(0x9A, h("04") + preset)};
        QTest::newRow("write preset 14") << f(0x9A, h("0E") + preset) << QList<QByteArray>{};
        QTest::newRow("read current")
            << f(0x9B, {}) << QList<QByteArray>{f(0x9C, h("00") + h(preset0))};
        QTest::newRow("IR lane") << f(0xE2, h("0305") + pattern(512, 2) + h("00"))
                                 << QList<QByteArray>{f(0xE3, h("0305"))};
        QTest::newRow("IR name") << f(0xE2, h("030C") + QByteArray("cab").leftJustified(50, '\0'))
                                 << QList<QByteArray>{f(0xE3, h("030C"))};
        QTest::newRow("IR slot 11 acknowledged") << f(0xE2, h("0B00") + pattern(512, 2) + h("00"))
                                                 << QList<QByteArray>{f(0xE3, h("0B00"))};
        QTest::newRow("IR slot 12")
            << f(0xE2, h("0C00") + pattern(512, 2) + h("00")) << QList<QByteArray>{};
        QTest::newRow("IR sequence 13")
            << f(0xE2, h("020D") + pattern(50, 2)) << QList<QByteArray>{};
        QTest::newRow("delete IR") << f(0xE4, h("02")) << QList<QByteArray>{f(0xE5, h("02"))};
        QTest::newRow("delete IR slot 11") << f(0xE4, h("0B")) << QList<QByteArray>{};
        QTest::newRow("IR list") << f(0xEC, h("01"))
                                 << QList<QByteArray>{f(0xE6, QByteArray(11, '\0')),
                                                      f(0xE7, QByteArray(550, '\0'))};
        QTest::newRow("finish connect")
            << f(0xEE, {}) << QList<QByteArray>{f(0x98, h("0101")), f(0xED, h("03"))};
        QTest::newRow("backup start")
            << f(0xE8, h("01")) << QList<QByteArray>{f(0xE9, h("0000") + imageBlock(0))};
        QTest::newRow("backup next")
            << f(0xEA, h("0005")) << QList<QByteArray>{f(0xE9, h("0006") + imageBlock(6))};
        QTest::newRow("backup next 222")
            << f(0xEA, h("00DE")) << QList<QByteArray>{f(0xE9, h("00DF") + imageBlock(223))};
        QTest::newRow("backup after 223") << f(0xEA, h("00DF")) << QList<QByteArray>{};
        QTest::newRow("restore block")
            << f(0xE9, h("0007") + pattern(512, 3)) << QList<QByteArray>{f(0xEA, h("0007"))};
        QTest::newRow("restore block 224")
            << f(0xE9, h("00E0") + pattern(512, 3)) << QList<QByteArray>{};
        QTest::newRow("reset") << f(0xE1, h("01")) << QList<QByteArray>{};
        QTest::newRow("boot loader") << f(0xEB, h("01")) << QList<QByteArray>{};
        QTest::newRow("unknown code") << f(0x42, h("01")) << QList<QByteArray>{};
    }

    void answers() const {
        QFETCH(QByteArray, request);
        QFETCH(QList<QByteArray>, expected);
        PedalClient client;
        QVERIFY(client.open());
        // Read one frame more than expected: nothing may follow the expected answers.
        const QList<QByteArray> frames = exchange(client, request, expected.size() + 1, 150);
        QCOMPARE(frames, expected);
    }

    void selectPreset() const {
        PedalClient client;
        QVERIFY(client.open());
        QCOMPARE(client.send(PedalClient::frame(0x91, PedalClient::hex("0701"))), 0);
        QCOMPARE(client.send(PedalClient::frame(0x91, PedalClient::hex("0E00"))), 0);
        QCOMPARE(exchange(client, PedalClient::frame(0x9B, {}), 1).size(), 1);
        const PedalState state = VirtualPedal::snapshot();
        QCOMPARE(int(state.currentPreset), 7);
        QCOMPARE(bytes(state.current), bytes(state.presets[7]));
    }

    void setValue_data() const {
        QTest::addColumn<int>("code");
        QTest::addColumn<int>("cabinet");
        QTest::addColumn<int>("value");
        QTest::addColumn<int>("index");
        QTest::newRow("level A") << 0x92 << 0 << 75 << 0;
        QTest::newRow("slot A") << 0x93 << 0 << 9 << 1;
        QTest::newRow("latency A") << 0x94 << 0 << 33 << 2;
        QTest::newRow("low cut A") << 0x95 << 0 << 44 << 3;
        QTest::newRow("high cut A") << 0x96 << 0 << 55 << 4;
        QTest::newRow("level B") << 0x92 << 1 << 75 << 5;
        QTest::newRow("slot B") << 0x93 << 1 << 10 << 6;
        QTest::newRow("latency B") << 0x94 << 1 << 1 << 7;
        QTest::newRow("low cut B") << 0x95 << 1 << 2 << 8;
        QTest::newRow("high cut B") << 0x96 << 1 << 100 << 9;
        QTest::newRow("cabinet 2") << 0x92 << 2 << 75 << -1;
    }

    void setValue() const {
        QFETCH(int, code);
        QFETCH(int, cabinet);
        QFETCH(int, value);
        QFETCH(int, index);
        PedalClient client;
        QVERIFY(client.open());
        const PedalState before = VirtualPedal::snapshot();
        QCOMPARE(client.send(PedalClient::frame(quint8(code),
                                                QByteArray(1, char(cabinet)) + block16(value))),
                 0);
        const QList<QByteArray> frames = exchange(client, PedalClient::frame(0x9B, {}), 1);
        QCOMPARE(frames.size(), 1);
        PedalState::Preset expected = before.current;
        if (index >= 0)
            PedalState::setValue(expected, index, value);
        QCOMPARE(frames[0].mid(6, 20), bytes(expected));
        QCOMPARE(bytes(VirtualPedal::snapshot().current), bytes(expected));
    }

    void bypassAndWritePreset() const {
        PedalClient client;
        QVERIFY(client.open());
        const QByteArray preset = pattern(20, 9);
        QCOMPARE(client.send(PedalClient::frame(0x98, PedalClient::hex("0100"))), 0);
        QCOMPARE(
            exchange(client, PedalClient::frame(0x9A, PedalClient::hex("0C") + preset), 1).size(),
            1);
        const QList<QByteArray> frames = exchange(client, PedalClient::frame(0xEE, {}), 2);
        QCOMPARE(frames.value(0), PedalClient::frame(0x98, PedalClient::hex("0100")));
        const PedalState state = VirtualPedal::snapshot();
        QCOMPARE(bytes(state.presets[12]), preset);
        QCOMPARE(int(state.bypassA), 1);
        QCOMPARE(int(state.bypassB), 0);
    }

    void irUploadAndDelete() const {
        PedalClient client;
        QVERIFY(client.open());
        QByteArray lanes;
        for (int seq = 0; seq < 12; ++seq) {
            const QByteArray lane = pattern(512, seq);
            lanes += lane;
            const QByteArray request =
                PedalClient::frame(0xE2, QByteArray(1, 4) + char(seq) + lane + '\0');
            QCOMPARE(exchange(client, request, 1),
                     QList<QByteArray>{PedalClient::frame(0xE3, QByteArray(1, 4) + char(seq))});
        }
        PedalState state = VirtualPedal::snapshot();
        QCOMPARE(int(state.userIr[4]), 0);
        QCOMPARE(bytes(state.irLanes[4]), lanes);
        const QByteArray name = QByteArray("My Cab").leftJustified(50, '\0');
        QCOMPARE(
            exchange(client, PedalClient::frame(0xE2, PedalClient::hex("040C") + name), 1).size(),
            1);
        const QList<QByteArray> list =
            exchange(client, PedalClient::frame(0xEC, PedalClient::hex("01")), 2);
        QCOMPARE(list.size(), 2);
        QCOMPARE(list[0].mid(5, 11), PedalClient::hex("0000000001000000000000"));
        QCOMPARE(list[1].mid(5 + 4 * 50, 50), name);
        QCOMPARE(list[1].mid(5, 4 * 50), QByteArray(200, '\0'));

        QCOMPARE(exchange(client, PedalClient::frame(0xE4, PedalClient::hex("04")), 1).size(), 1);
        state = VirtualPedal::snapshot();
        QCOMPARE(int(state.userIr[4]), 0);
        QCOMPARE(QByteArray(reinterpret_cast<const char*>(state.irNames[4].data()), 50),
                 QByteArray(50, '\0'));
        QCOMPARE(bytes(state.irLanes[4]), QByteArray(12 * 512, '\0'));
    }

    void backupWalk() const {
        PedalClient client;
        QVERIFY(client.open());
        QByteArray image;
        QList<QByteArray> frames =
            exchange(client, PedalClient::frame(0xE8, PedalClient::hex("01")), 1);
        for (int block = 0; block < 224; ++block) {
            QCOMPARE(frames.size(), 1);
            QCOMPARE(frames[0].mid(5, 2), block16(block));
            image += frames[0].mid(7, 512);
            frames = exchange(client, PedalClient::frame(0xEA, block16(block)), 1,
                              block < 223 ? 500 : 60);
        }
        QVERIFY(frames.isEmpty());
        QCOMPARE(image, bytes(VirtualPedal::snapshot().memoryImage));
        QCOMPARE(image.left(512), imageBlock(0));
    }

    void restoreRestarts() const {
        PedalClient client;
        QVERIFY(client.open());
        QByteArray image;
        for (int block = 0; block < 224; ++block) {
            const QByteArray data = pattern(512, block);
            image += data;
            QCOMPARE(exchange(client, PedalClient::frame(0xE9, block16(block) + data), 1),
                     QList<QByteArray>{PedalClient::frame(0xEA, block16(block))});
        }
        QCOMPARE(bytes(VirtualPedal::snapshot().memoryImage), image);
        QByteArray packet;
        QCOMPARE(client.readPacket(packet, 500), int(LIBUSB_ERROR_NO_DEVICE));
        QVERIFY(!VirtualPedal::present());
        QVERIFY(client.open());
        QCOMPARE(exchange(client, PedalClient::frame(0x00, {}), 1),
                 QList<QByteArray>{identity('A')});
    }

    void deviceListCompletesRestart() const {
        PedalClient client;
        QVERIFY(client.open());
        libusb_device_handle* old = client.handle();
        QCOMPARE(client.send(PedalClient::frame(0xE9, block16(223) + pattern(512, 1))), 0);
        // The acknowledgement is never read; looking for the pedal finds it restarted.
        libusb_device** list = nullptr;
        QCOMPARE(libusb_get_device_list(nullptr, &list), ssize_t(1));
        libusb_device_handle* fresh = nullptr;
        QCOMPARE(libusb_open(list[0], &fresh), 0);
        libusb_free_device_list(list, 1);
        unsigned char packet[64];
        int moved = 0;
        QCOMPARE(libusb_interrupt_transfer(old, 0x81, packet, 64, &moved, 10),
                 int(LIBUSB_ERROR_NO_DEVICE));
        QCOMPARE(libusb_interrupt_transfer(fresh, 0x81, packet, 64, &moved, 10),
                 int(LIBUSB_ERROR_TIMEOUT));
        libusb_close(fresh);
    }

    void factoryReset() const {
        ScopedEnv env{{"TALIX_VP_FIRMWARE", "V1.0.9"}};
        PedalClient client;
        QVERIFY(client.open());
        QCOMPARE(
            exchange(client, PedalClient::frame(0x9A, PedalClient::hex("02") + pattern(20, 5)), 1)
                .size(),
            1);
        QCOMPARE(
            exchange(client, PedalClient::frame(0xE2, PedalClient::hex("010C") + pattern(50, 1)), 1)
                .size(),
            1);
        QCOMPARE(client.send(PedalClient::frame(0xE1, PedalClient::hex("01"))), 0);
        QByteArray packet;
        QCOMPARE(client.readPacket(packet, 500), int(LIBUSB_ERROR_NO_DEVICE));
        const PedalState state = VirtualPedal::snapshot();
        PedalState factory = PedalState::factory();
        QCOMPARE(state.firmwareVersion, std::string("V1.0.9"));
        QCOMPARE(state.runMode, 'A');
        QCOMPARE(bytes(state.presets[2]), bytes(factory.presets[2]));
        QCOMPARE(int(state.userIr[1]), 0);
        QVERIFY(client.open());
        QCOMPARE(exchange(client, PedalClient::frame(0x00, {}), 1),
                 QList<QByteArray>{identity('A', "TAL_IX", "V1.0.9")});
    }

    void identityCarriesWholeVersion_data() const {
        QTest::addColumn<QByteArray>("configured");
        QTest::addColumn<QByteArray>("field");
        QTest::newRow("six bytes") << QByteArray("V1.2.2") << QByteArray("V1.2.2\0", 7);
        QTest::newRow("seven bytes fill the field")
            << QByteArray("V1.2.10") << QByteArray("V1.2.10");
        QTest::newRow("longer, cut to seven") << QByteArray("V10.20.30") << QByteArray("V10.20.");
    }

    void identityCarriesWholeVersion() const {
        QFETCH(QByteArray, configured);
        QFETCH(QByteArray, field);
        ScopedEnv env{{"TALIX_VP_FIRMWARE", configured}};
        PedalClient client;
        QVERIFY(client.open());
        const QList<QByteArray> frames = exchange(client, PedalClient::frame(0x00, {}), 1);
        QCOMPARE(frames.size(), 1);
        QCOMPARE(frames[0].mid(5 + 39, 7), field);
        QCOMPARE(frames[0].mid(5 + 46, 7), QByteArray("R1").leftJustified(7, '\0'));
        QCOMPARE(frames, QList<QByteArray>{identity('A', "TAL_IX", field)});
    }

    void bootLoaderUpload() const {
        ScopedEnv env{{"TALIX_VP_NEW_FIRMWARE", "V2.0.0"}};
        PedalClient client;
        QVERIFY(client.open());
        QCOMPARE(client.send(PedalClient::frame(0xEB, PedalClient::hex("01"))), 0);
        QByteArray packet;
        QCOMPARE(client.readPacket(packet, 500), int(LIBUSB_ERROR_NO_DEVICE));
        QCOMPARE(VirtualPedal::snapshot().runMode, 'B');
        QVERIFY(client.open());
        const auto f = PedalClient::frame;
        const auto h = PedalClient::hex;
        QCOMPARE(exchange(client, f(0x00, {}), 1), QList<QByteArray>{identity('B')});
        QCOMPARE(exchange(client, f(0x00, h("00")), 1), QList<QByteArray>{identity('B')});
        // Run-mode commands go unanswered in the boot loader.
        QCOMPARE(exchange(client, f(0x9B, {}), 1, 60), QList<QByteArray>{});
        QCOMPARE(exchange(client, f(0xA2, h("0010") + pattern(512, 0)), 1),
                 QList<QByteArray>{f(0xA3, h("00"))});
        QCOMPARE(exchange(client, f(0xA0, h("78563412")), 1), QList<QByteArray>{f(0xA1, h("01"))});
        QCOMPARE(exchange(client, f(0xA2, h("0010") + pattern(100, 0)), 1),
                 QList<QByteArray>{f(0xA3, h("00"))});
        for (int k = 0; k < 3; ++k)
            QCOMPARE(exchange(client, f(0xA2, block16(0xFFFF + k) + pattern(512, k)), 1),
                     QList<QByteArray>{f(0xA3, h("01"))});
        PedalState state = VirtualPedal::snapshot();
        QCOMPARE(state.bootBlocks.size(), std::size_t(3));
        QCOMPARE(bytes(state.bootBlocks.at(0xFFFF)), pattern(512, 0));
        QCOMPARE(bytes(state.bootBlocks.at(0x0001)), pattern(512, 2));
        QCOMPARE(exchange(client, f(0xFF, h("00")), 1), QList<QByteArray>{f(0xA1, h("01"))});
        QCOMPARE(client.readPacket(packet, 500), int(LIBUSB_ERROR_NO_DEVICE));
        state = VirtualPedal::snapshot();
        QCOMPARE(state.runMode, 'A');
        QCOMPARE(state.firmwareVersion, std::string("V2.0.0"));
        QVERIFY(client.open());
        QCOMPARE(exchange(client, f(0x00, {}), 1),
                 QList<QByteArray>{identity('A', "TAL_IX", "V2.0.0")});
    }

    void controlHeader() const {
        PedalClient client;
        QVERIFY(client.open());
        PedalState state = VirtualPedal::snapshot();
        state.presets[3].fill(0x11);
        state.deviceValue = 9;
        QVERIFY(VirtualPedal::setState(state));
        QCOMPARE(exchange(client, PedalClient::frame(0x99, PedalClient::hex("03")), 1),
                 QList<QByteArray>{
                     PedalClient::frame(0x9A, PedalClient::hex("03") + QByteArray(20, '\x11'))});
        QVERIFY(VirtualPedal::pushAnswer(0x92, {1, 0, 42}));
        QVERIFY(VirtualPedal::pushRaw({0x00, 0xAA}));
        QCOMPARE(client.readFrames(1, 500),
                 QList<QByteArray>{PedalClient::frame(0x92, PedalClient::hex("01002A"))});
        QCOMPARE(VirtualPedal::receivedFrames().size(), std::size_t(1));
        VirtualPedal::clearReceivedFrames();
        QVERIFY(VirtualPedal::receivedFrames().empty());
    }
};

QTEST_APPLESS_MAIN(TestVirtualPedalAnswers)
#include "test_virtualpedal_answers.moc"
