#include "link/frame.h"

#include <QtTest>

#include <array>
#include <random>

Q_DECLARE_METATYPE(std::vector<unsigned char>)

namespace {

using Bytes = std::vector<unsigned char>;

// Table-driven CRC-16/GSM, an independent way of computing the check value.
std::uint16_t tableCrc(const Bytes& data) {
    static const std::array<std::uint16_t, 256> table = [] {
        std::array<std::uint16_t, 256> t{};
        for (int i = 0; i < 256; ++i) {
            std::uint16_t v = static_cast<std::uint16_t>(i << 8);
            for (int b = 0; b < 8; ++b)
                v = static_cast<std::uint16_t>((v & 0x8000) ? (v << 1) ^ 0x1021 : v << 1);
            t[static_cast<std::size_t>(i)] = v;
        }
        return t;
    }();
    std::uint16_t crc = 0;
    for (unsigned char byte : data)
        crc = static_cast<std::uint16_t>((crc << 8) ^ table[((crc >> 8) ^ byte) & 0xFF]);
    return static_cast<std::uint16_t>(crc ^ 0xFFFF);
}

} // namespace

class TestFrame final : public QObject {
    Q_OBJECT

private slots:
    void crcKnownValues_data() const {
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<int>("crc");
        QTest::newRow("check string") << QByteArray("123456789") << 0xCE3C;
        QTest::newRow("empty") << QByteArray() << 0xFFFF;
        QTest::newRow("identity request") << QByteArray::fromHex("010000") << 0xC8CF;
        QTest::newRow("level 75") << QByteArray::fromHex("04009201004b") << 0x1C36;
    }
    void crcKnownValues() const {
        QFETCH(QByteArray, data);
        QFETCH(int, crc);
        QCOMPARE(Frame::crc16(reinterpret_cast<const unsigned char*>(data.constData()),
                              static_cast<std::size_t>(data.size())),
                 static_cast<std::uint16_t>(crc));
    }

    void crcMatchesTableMethod() const {
        std::mt19937 random(7);
        for (int n = 0; n < 200; ++n) {
            Bytes data(random() % 700);
            for (auto& b : data)
                b = static_cast<unsigned char>(random());
            QCOMPARE(Frame::crc16(data.data(), data.size()), tableCrc(data));
        }
    }

    void completeWritesCheckValueHighByteFirst_data() const {
        QTest::addColumn<Bytes>("frame");
        QTest::addColumn<Bytes>("expected");
        QTest::newRow("identity request") << Bytes{0xAA, 0x55, 0x01, 0x00, 0x00, 0, 0}
                                          << Bytes{0xAA, 0x55, 0x01, 0x00, 0x00, 0xC8, 0xCF};
        QTest::newRow("level 75") << Bytes{0xAA, 0x55, 0x04, 0x00, 0x92, 0x01, 0x00, 0x4B, 0, 0}
                                  << Bytes{0xAA, 0x55, 0x04, 0x00, 0x92,
                                           0x01, 0x00, 0x4B, 0x1C, 0x36};
        QTest::newRow("bytes behind the frame untouched")
            << Bytes{0xAA, 0x55, 0x02, 0x00, 0xEC, 0x00, 0, 0, 0x77}
            << Bytes{0xAA, 0x55, 0x02, 0x00, 0xEC, 0x00, 0x47, 0x48, 0x77};
    }
    void completeWritesCheckValueHighByteFirst() const {
        QFETCH(Bytes, frame);
        QFETCH(Bytes, expected);
        Bytes raw = frame;
        Frame::complete(raw.data());
        QCOMPARE(raw, expected);
        QVERIFY(Frame::complete(frame));
        QCOMPARE(frame, expected);
    }

    void completeRefusesShortVector() const {
        Bytes frame{0xAA, 0x55, 0x04, 0x00, 0x92, 0x01, 0x00, 0x4B, 0x00};
        const Bytes before = frame;
        QVERIFY(!Frame::complete(frame));
        QCOMPARE(frame, before);
        Bytes tiny{0xAA, 0x55};
        QVERIFY(!Frame::complete(tiny));
    }

    void makeBuildsWholeFrame() const {
        const Bytes frame = Frame::make(0x92, {0x01, 0x00, 0x4B});
        QCOMPARE(frame, (Bytes{0xAA, 0x55, 0x04, 0x00, 0x92, 0x01, 0x00, 0x4B, 0x1C, 0x36}));
        const Bytes longFrame = Frame::make(0xE2, Bytes(515, 0x5A));
        QCOMPARE(longFrame.size(), std::size_t(522));
        QCOMPARE(longFrame[2], 0x04);
        QCOMPARE(longFrame[3], 0x02);
        QVERIFY(Frame::check(longFrame));
    }

    void check_data() const {
        QTest::addColumn<Bytes>("data");
        QTest::addColumn<bool>("valid");
        const Bytes good = Frame::make(0x92, {0x01, 0x00, 0x4B});
        QTest::newRow("good") << good << true;
        Bytes trailing = good;
        trailing.insert(trailing.end(), {1, 2, 3});
        QTest::newRow("bytes behind") << trailing << true;
        for (std::size_t i = 2; i < good.size(); ++i) {
            Bytes damaged = good;
            damaged[i] ^= 0x10;
            QTest::newRow(qPrintable(QString("byte %1 damaged").arg(i))) << damaged << false;
        }
        QTest::newRow("first start byte") << Bytes{0xAB, 0x55, 1, 0, 0, 0xC8, 0xCF} << false;
        QTest::newRow("second start byte") << Bytes{0xAA, 0x56, 1, 0, 0, 0xC8, 0xCF} << false;
        QTest::newRow("cut short") << Bytes(good.begin(), good.end() - 1) << false;
        QTest::newRow("header only") << Bytes{0xAA, 0x55, 0x01} << false;
        QTest::newRow("empty") << Bytes{} << false;
        QTest::newRow("length 0") << Bytes{0xAA, 0x55, 0, 0, 0xFF, 0xFF} << false;
    }
    void check() const {
        QFETCH(Bytes, data);
        QFETCH(bool, valid);
        QCOMPARE(Frame::check(data), valid);
    }

    void parameterAccess_data() const {
        QTest::addColumn<Bytes>("message");
        QTest::addColumn<int>("code");
        QTest::addColumn<int>("count");
        QTest::newRow("three parameters") << Frame::make(0x92, {0x01, 0x00, 0x4B}) << 0x92 << 3;
        QTest::newRow("no parameter") << Frame::make(0x00, {}) << 0x00 << 0;
        Bytes behind = Frame::make(0xE3, {0x03, 0x07});
        behind.insert(behind.end(), {0xAA, 0x55, 0x09});
        QTest::newRow("bytes behind the frame") << behind << 0xE3 << 2;
        QTest::newRow("message shorter than its length")
            << Bytes{0xAA, 0x55, 0x10, 0x00, 0x9A, 0x05} << 0x9A << 1;
        QTest::newRow("no code") << Bytes{0xAA, 0x55, 0x01, 0x00} << -1 << 0;
        QTest::newRow("length 0") << Bytes{0xAA, 0x55, 0x00, 0x00, 0xFF, 0xFF} << -1 << 0;
    }
    void parameterAccess() const {
        QFETCH(Bytes, message);
        QFETCH(int, code);
        QFETCH(int, count);
        const auto c = Frame::code(message);
        QCOMPARE(c.has_value(), code >= 0);
        if (c)
            QCOMPARE(int(*c), code);
        QCOMPARE(Frame::parameterCount(message), std::size_t(count));
        for (int k = 0; k < count + 3; ++k) {
            const auto p = Frame::parameter(message, std::size_t(k));
            QCOMPARE(p.has_value(), k < count);
            if (p)
                QCOMPARE(*p, message[std::size_t(5 + k)]);
        }
    }

    void parameterRanges() const {
        const Bytes message = Frame::make(0xE9, {0x00, 0xDF, 1, 2, 3});
        QCOMPARE(Frame::parameter16(message, 0), std::optional<std::uint16_t>(0x00DF));
        QCOMPARE(Frame::parameter16(message, 3), std::optional<std::uint16_t>(0x0203));
        QVERIFY(!Frame::parameter16(message, 4));
        QCOMPARE(Frame::parameters(message, 2, 3), message.data() + 7);
        QCOMPARE(Frame::parameters(message, 5, 0), message.data() + 10);
        QVERIFY(!Frame::parameters(message, 2, 4));
        QVERIFY(!Frame::parameters(message, 6, 0));
        QVERIFY(!Frame::parameters(message, std::size_t(-1), 2));
        QVERIFY(!Frame::parameters(Bytes{}, 0, 1));
    }
};

QTEST_APPLESS_MAIN(TestFrame)
#include "test_frame.moc"
