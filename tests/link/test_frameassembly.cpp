#include "link/frame.h"
#include "link/qmebasereceivethread.h"

#include <QtTest>

Q_DECLARE_METATYPE(std::vector<unsigned char>)

namespace {

using Bytes = std::vector<unsigned char>;
using Packets = std::vector<Bytes>;

// Cuts a byte stream into 64-byte interrupt packets: byte 0 counts the bytes that follow, the rest
// of a short packet is filled with padding.
Packets packetsOf(const Bytes& stream, unsigned char padding = 0x00) {
    Packets packets;
    for (std::size_t at = 0; at < stream.size(); at += 63) {
        const std::size_t n = std::min<std::size_t>(63, stream.size() - at);
        Bytes packet(64, padding);
        packet[0] = static_cast<unsigned char>(n);
        std::copy_n(stream.begin() + static_cast<std::ptrdiff_t>(at), n, packet.begin() + 1);
        packets.push_back(packet);
    }
    return packets;
}

Bytes concat(std::initializer_list<Bytes> parts) {
    Bytes all;
    for (const Bytes& p : parts)
        all.insert(all.end(), p.begin(), p.end());
    return all;
}

Bytes startsWith(const Bytes& message, std::size_t n) {
    return Bytes(message.begin(), message.begin() + static_cast<std::ptrdiff_t>(n));
}

Bytes payload(std::size_t n, unsigned char seed) {
    Bytes p(n);
    for (std::size_t i = 0; i < n; ++i)
        p[i] = static_cast<unsigned char>(seed + i * 7);
    return p;
}

// Collects what the receive thread publishes, through its signal.
struct Collector {
    QMEBaseReceiveThread receiver;
    std::vector<Bytes> messages;
    Collector() {
        QObject::connect(&receiver, &QMEBaseReceiveThread::emitCMDCallback,
                         [this](const Bytes& m) { messages.push_back(m); });
    }
    void feed(const Packets& packets) {
        for (const Bytes& p : packets)
            receiver.onData(p.data(), static_cast<int>(p.size()));
    }
};

} // namespace

class TestFrameAssembly final : public QObject {
    Q_OBJECT

private slots:
    void singleFrames_data() const {
        QTest::addColumn<Bytes>("frame");
        QTest::newRow("identity request") << Frame::make(0x00, {});
        QTest::newRow("63 bytes") << Frame::make(0x5A, payload(56, 1));
        QTest::newRow("64 bytes") << Frame::make(0x5A, payload(57, 2));
        QTest::newRow("126 bytes") << Frame::make(0x5A, payload(119, 3));
        QTest::newRow("name list") << Frame::make(0xE7, payload(700, 4));
        QTest::newRow("IR packet") << Frame::make(0xE2, payload(515, 5));
    }
    void singleFrames() const {
        QFETCH(Bytes, frame);
        Collector c;
        const Packets packets = packetsOf(frame);
        for (std::size_t i = 0; i + 1 < packets.size(); ++i) {
            c.feed({packets[i]});
            QVERIFY(c.messages.empty());
        }
        c.feed({packets.back()});
        QCOMPARE(c.messages.size(), std::size_t(1));
        const Bytes& m = c.messages.front();
        QCOMPARE(startsWith(m, frame.size()), frame);
        // The padding of the last packet travels behind the frame.
        const std::size_t lastCount = packets.back()[0];
        QCOMPARE(m.size(), frame.size() + (63 - lastCount));
    }

    void twoFramesInOnePacket() const {
        const Bytes first = Frame::make(0x92, {0x01, 0x00, 0x4B});
        const Bytes second = Frame::make(0xE3, {0x03, 0x07});
        Collector c;
        c.feed(packetsOf(concat({first, second})));
        QCOMPARE(c.messages.size(), std::size_t(2));
        QCOMPARE(startsWith(c.messages[0], first.size()), first);
        QCOMPARE(startsWith(c.messages[0], first.size() + second.size()), concat({first, second}));
        QCOMPARE(startsWith(c.messages[1], second.size()), second);
        QCOMPARE(c.messages[1].size(), 63 - first.size());
    }

    void frameSplitOverTwoPackets_data() const {
        QTest::addColumn<int>("firstPart");
        QTest::newRow("start bytes only") << 2;
        QTest::newRow("inside the length") << 3;
        QTest::newRow("inside the parameters") << 10;
        QTest::newRow("inside the check value") << 26;
    }
    void frameSplitOverTwoPackets() const {
        QFETCH(int, firstPart);
        const Bytes frame = Frame::make(0x9A, payload(21, 9));
        const auto cut = frame.begin() + firstPart;
        Bytes a{static_cast<unsigned char>(firstPart)};
        a.insert(a.end(), frame.begin(), cut);
        Bytes b{static_cast<unsigned char>(frame.end() - cut)};
        b.insert(b.end(), cut, frame.end());
        Collector c;
        c.feed({a});
        QVERIFY(c.messages.empty());
        c.feed({b});
        QCOMPARE(c.messages.size(), std::size_t(1));
        QCOMPARE(c.messages[0], frame);
    }

    void lastByteStartByteWaits() const {
        const Bytes frame = Frame::make(0x9A, payload(80, 3));
        Bytes stream(62, 0x11);
        stream.insert(stream.end(), frame.begin(), frame.end());
        Collector c;
        const Packets packets = packetsOf(stream);
        QCOMPARE(packets[0][63], 0xAA);
        c.feed({packets[0]});
        QVERIFY(c.messages.empty());
        c.feed(Packets(packets.begin() + 1, packets.end()));
        QCOMPARE(c.messages.size(), std::size_t(1));
        QCOMPARE(startsWith(c.messages[0], frame.size()), frame);
    }

    void garbageBeforeFrame_data() const {
        QTest::addColumn<Bytes>("garbage");
        QTest::newRow("plain bytes") << Bytes{0x01, 0x02, 0x55, 0x00};
        QTest::newRow("stray start byte") << Bytes{0x13, 0xAA, 0x00, 0x37};
        QTest::newRow("start bytes twice") << Bytes{0xAA, 0xAA, 0xAA};
        QTest::newRow("start byte, then frame") << Bytes{0xAA};
        QTest::newRow("header with bad check value") << Bytes{0xAA, 0x55, 0x01, 0x00, 0x00, 1, 2};
        QTest::newRow("length 0") << Bytes{0xAA, 0x55, 0x00, 0x00, 0xFF, 0xFF};
    }
    void garbageBeforeFrame() const {
        QFETCH(Bytes, garbage);
        const Bytes frame = Frame::make(0x01, payload(30, 8));
        Collector c;
        c.feed(packetsOf(concat({garbage, frame})));
        QCOMPARE(c.messages.size(), std::size_t(1));
        QCOMPARE(startsWith(c.messages[0], frame.size()), frame);
    }

    void badCheckValueThenGoodFrame() const {
        Bytes bad = Frame::make(0x92, {0x00, 0x00, 0x10});
        bad.back() ^= 0x01;
        const Bytes good = Frame::make(0x92, {0x01, 0x00, 0x4B});
        Collector c;
        c.feed(packetsOf(concat({bad, good})));
        QCOMPARE(c.messages.size(), std::size_t(1));
        QCOMPARE(startsWith(c.messages[0], good.size()), good);
    }

    void damagedLengthResyncsOnStartByte() const {
        // A damaged header claims a long frame; the real frame inside it appears once enough
        // bytes arrived to disprove the header.
        const Bytes good = Frame::make(0x9A, {0x05});
        const Bytes header{0xAA, 0x55, 0x00, 0x01}; // L = 256
        Collector c;
        c.feed(packetsOf(concat({header, good})));
        QVERIFY(c.messages.empty());
        c.feed(packetsOf(Bytes(300, 0x00)));
        QCOMPARE(c.messages.size(), std::size_t(1));
        QCOMPARE(startsWith(c.messages[0], good.size()), good);
    }

    void shortPacketsAddNothing() const {
        const Bytes frame = Frame::make(0x9A, {0x05});
        Collector c;
        const Bytes one{0xAA};
        c.receiver.onData(one.data(), 1);
        c.receiver.onData(nullptr, 64);
        c.feed(packetsOf(frame));
        QCOMPARE(c.messages.size(), std::size_t(1));
        QCOMPARE(c.messages[0].front(), 0xAA);
    }

    void paddingWithStartBytes() const {
        const Bytes first = Frame::make(0xE7, payload(100, 1));
        const Bytes second = Frame::make(0x9A, {0x02});
        Collector c;
        c.feed(packetsOf(first, 0xAA));
        c.feed(packetsOf(second, 0x55));
        QCOMPARE(c.messages.size(), std::size_t(2));
        QCOMPARE(startsWith(c.messages[0], first.size()), first);
        QCOMPARE(startsWith(c.messages[1], second.size()), second);
    }

    void manyFramesInOrder() const {
        Bytes stream;
        std::vector<Bytes> frames;
        for (int i = 0; i < 40; ++i) {
            frames.push_back(Frame::make(static_cast<unsigned char>(0x90 + i % 8),
                                         payload(static_cast<std::size_t>(i * 13 % 90), i)));
            stream.insert(stream.end(), frames.back().begin(), frames.back().end());
        }
        Collector c;
        c.feed(packetsOf(stream));
        QCOMPARE(c.messages.size(), frames.size());
        for (std::size_t i = 0; i < frames.size(); ++i)
            QCOMPARE(startsWith(c.messages[i], frames[i].size()), frames[i]);
    }
};

QTEST_APPLESS_MAIN(TestFrameAssembly)
#include "test_frameassembly.moc"
