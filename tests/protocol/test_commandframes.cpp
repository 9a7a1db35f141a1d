#include "protocol/commandframes.h"
#include "protocol/presetcodec.h"

#include <QtTest>

#include <numeric>

using Bytes = std::vector<uint8_t>;

namespace {

QByteArray hex(const Bytes& bytes) {
    return QByteArray(reinterpret_cast<const char*>(bytes.data()), static_cast<int>(bytes.size()))
        .toHex(' ')
        .toUpper();
}

} // namespace

class TestCommandFrames final : public QObject {
    Q_OBJECT

private slots:
    void irDataPacket() const {
        std::vector<uint8_t> lane(CommandFrames::kIrLaneSize);
        std::iota(lane.begin(), lane.end(), uint8_t(7));
        const Bytes frame = CommandFrames::irData(9, 11, lane.data());
        QCOMPARE(int(frame.size()), 516 + 6);
        QCOMPARE(hex(Bytes(frame.begin(), frame.begin() + 7)), QByteArray("AA 55 04 02 E2 09 0B"));
        QVERIFY(std::equal(lane.begin(), lane.end(), frame.begin() + 7));
        QCOMPARE(int(frame[7 + 512]), 0);
    }

    void irNamePacket_data() const {
        QTest::addColumn<QByteArray>("name");
        QTest::addColumn<QByteArray>("sent");
        QTest::newRow("short") << QByteArray("My Cab") << QByteArray("My Cab");
        QTest::newRow("empty") << QByteArray() << QByteArray();
        QTest::newRow("60 bytes cut to 50") << QByteArray(60, 'x') << QByteArray(50, 'x');
    }

    void irNamePacket() const {
        QFETCH(QByteArray, name);
        QFETCH(QByteArray, sent);
        const Bytes frame = CommandFrames::irName(3, name);
        QCOMPARE(int(frame.size()), 53 + 6);
        QCOMPARE(hex(Bytes(frame.begin(), frame.begin() + 7)), QByteArray("AA 55 35 00 E2 03 0C"));
        const QByteArray field(reinterpret_cast<const char*>(frame.data()) + 7, 50);
        QCOMPARE(field, sent + QByteArray(50 - sent.size(), '\0'));
    }

    void backupBlockTooLong() const {
        const QByteArray largest(CommandFrames::kMaxBackupBlockSize, '\x11');
        QCOMPARE(int(CommandFrames::writeBackupBlock(7, largest).size()), 65535);
        QVERIFY(CommandFrames::writeBackupBlock(7, largest + 'x').empty());
    }

    void presetDecodeLimits_data() const {
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("raw");
        QTest::addColumn<int>("decoded");
        QTest::newRow("slot 15 -> 10") << 1 << 15 << 10;
        QTest::newRow("slot 10 kept") << 6 << 10 << 10;
        QTest::newRow("level 300 -> 100") << 0 << 300 << 100;
        QTest::newRow("level 100 kept") << 5 << 100 << 100;
        QTest::newRow("high-cut 101 -> 100") << 9 << 101 << 100;
        QTest::newRow("latency 0xFFFF -> 100") << 2 << 0xFFFF << 100;
        QTest::newRow("low-cut 42 kept") << 8 << 42 << 42;
    }

    void presetDecodeLimits() const {
        QFETCH(int, index);
        QFETCH(int, raw);
        QFETCH(int, decoded);
        PresetCodec::Block bytes{};
        bytes[2 * index] = uint8_t(raw >> 8);
        bytes[2 * index + 1] = uint8_t(raw);
        const DeviceState::Values values = PresetCodec::decode(bytes.data());
        QCOMPARE(int(values[index]), decoded);
        for (int i = 0; i < DeviceState::kValueCount; ++i)
            if (i != index)
                QCOMPARE(int(values[i]), 0);
    }

    void presetRoundTrip() const {
        const DeviceState::Values values{50, 3, 20, 30, 90, 60, 10, 0, 100, 7};
        const PresetCodec::Block bytes = PresetCodec::encode(values);
        QCOMPARE(int(bytes[0]), 0);
        QCOMPARE(int(bytes[1]), 50);
        QCOMPARE(int(bytes[17]), 100);
        QVERIFY(PresetCodec::decode(bytes.data()) == values);
    }
};

QTEST_APPLESS_MAIN(TestCommandFrames)
#include "test_commandframes.moc"
