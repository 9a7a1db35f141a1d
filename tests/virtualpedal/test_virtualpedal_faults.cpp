// The virtual pedal's faults and its traffic log, each switched on through the environment.

#include "pedalclient.h"
#include "scopedenv.h"
#include "virtualpedal/virtualpedal.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using virtualpedal::VirtualPedal;

namespace {

const auto f = PedalClient::frame;
const auto h = PedalClient::hex;

QList<QByteArray> exchange(PedalClient& client, const QByteArray& request, int expected,
                           int timeoutMs = 500) {
    if (client.send(request) != 0)
        return {};
    return client.readFrames(expected, timeoutMs);
}

QByteArray block16(int value) {
    return QByteArray(1, char(value >> 8)) + char(value);
}

} // namespace

class TestVirtualPedalFaults final : public QObject {
    Q_OBJECT

private slots:
    void unplug_data() const {
        QTest::addColumn<QByteArray>("var");
        QTest::addColumn<QByteArray>("value");
        QTest::addColumn<int>("answered");
        QTest::newRow("after 3 frames")
            << QByteArray("TALIX_VP_UNPLUG_AFTER") << QByteArray("3") << 2;
        QTest::newRow("on 0x9B") << QByteArray("TALIX_VP_UNPLUG_ON") << QByteArray("0x9B") << 2;
        QTest::newRow("on 0x97") << QByteArray("TALIX_VP_UNPLUG_ON") << QByteArray("151") << 0;
    }

    void unplug() const {
        QFETCH(QByteArray, var);
        QFETCH(QByteArray, value);
        QFETCH(int, answered);
        ScopedEnv env{{var.constData(), value}};
        PedalClient client;
        QVERIFY(client.open());
        int answers = 0;
        const QByteArray requests[] = {f(0x97, h("00")), f(0x99, h("01")), f(0x9B, {}),
                                       f(0x97, h("01"))};
        for (const QByteArray& request : requests) {
            if (client.send(request) != 0)
                break;
            const QList<QByteArray> frames = client.readFrames(1, 300);
            if (frames.isEmpty()) {
                QCOMPARE(client.lastResult(), int(LIBUSB_ERROR_NO_DEVICE));
                break;
            }
            ++answers;
        }
        QCOMPARE(answers, answered);
        QVERIFY(!VirtualPedal::present());
        QCOMPARE(client.send(f(0x97, h("00"))), int(LIBUSB_ERROR_NO_DEVICE));
        QVERIFY(!client.open());
        QVERIFY(VirtualPedal::replug());
        QVERIFY(client.open());
    }

    void silentOn() const {
        ScopedEnv env{{"TALIX_VP_SILENT_ON", "0x99, 0x97"}};
        PedalClient client;
        QVERIFY(client.open());
        QCOMPARE(exchange(client, f(0x99, h("01")), 1, 80).size(), 0);
        QCOMPARE(exchange(client, f(0x97, h("01")), 1, 80).size(), 0);
        QCOMPARE(exchange(client, f(0x9A, h("01") + QByteArray(20, '\x02')), 1).size(), 1);
        // Silent, yet carried out.
        QCOMPARE(VirtualPedal::snapshot().presets[1][0], std::uint8_t(2));
    }

    void droppedIrAck() const {
        ScopedEnv env{{"TALIX_VP_DROP_IR_ACK", "3"}};
        PedalClient client;
        QVERIFY(client.open());
        for (int seq = 0; seq < 6; ++seq) {
            const QByteArray request = f(0xE2, QByteArray(1, 2) + char(seq) + QByteArray(513, 'x'));
            const QList<QByteArray> frames = exchange(client, request, 1, seq == 3 ? 80 : 500);
            if (seq == 3)
                QCOMPARE(frames, QList<QByteArray>{});
            else
                QCOMPARE(frames, QList<QByteArray>{f(0xE3, QByteArray(1, 2) + char(seq))});
        }
        QCOMPARE(VirtualPedal::snapshot().irLanes[2][3 * 512], std::uint8_t('x'));
    }

    void backupBlockFaults_data() const {
        QTest::addColumn<QByteArray>("variable");
        QTest::addColumn<QByteArray>("value");
        QTest::addColumn<QList<int>>("blocks");
        QTest::addColumn<QList<int>>("sizes");
        QTest::newRow("another block repeated")
            << QByteArray("TALIX_VP_REPEAT_BLOCK") << QByteArray("5") << QList<int>{0, 1, 2}
            << QList<int>{512, 512, 512};
        QTest::newRow("block 1 repeated")
            << QByteArray("TALIX_VP_REPEAT_BLOCK") << QByteArray("1") << QList<int>{0, 1, 1, 2}
            << QList<int>{512, 512, 512, 512};
        QTest::newRow("block 1 too long") << QByteArray("TALIX_VP_LONG_BLOCK") << QByteArray("1")
                                          << QList<int>{0, 1, 2} << QList<int>{512, 513, 512};
    }

    void backupBlockFaults() const {
        QFETCH(QByteArray, variable);
        QFETCH(QByteArray, value);
        QFETCH(QList<int>, blocks);
        QFETCH(QList<int>, sizes);
        ScopedEnv env{{variable.constData(), value}};
        PedalClient client;
        QVERIFY(client.open());
        QList<QByteArray> frames = exchange(client, f(0xE8, h("01")), 1);
        for (int block = 0; block < 2; ++block)
            frames += exchange(client, f(0xEA, block16(block)), int(blocks.count(block + 1)));
        QCOMPARE(frames.size(), blocks.size());
        const std::vector<std::uint8_t> image = VirtualPedal::snapshot().memoryImage;
        for (int i = 0; i < frames.size(); ++i) {
            const QByteArray& frame = frames[i];
            QCOMPARE(frame[4], char(0xE9));
            QCOMPARE(frame.mid(5, 2), block16(blocks[i]));
            QCOMPARE(frame.size() - 9, sizes[i]);
            QCOMPARE(
                frame.mid(7, 512),
                QByteArray(reinterpret_cast<const char*>(image.data()) + 512 * blocks[i], 512));
        }
    }

    void stallOnFrame_data() const {
        QTest::addColumn<QByteArray>("setting");
        QTest::addColumn<QList<int>>("results");
        const int pipe = LIBUSB_ERROR_PIPE;
        QTest::newRow("every 0x99") << QByteArray("0x99") << QList<int>{pipe, pipe, pipe};
        QTest::newRow("second 0x99") << QByteArray("0x99:2") << QList<int>{0, pipe, 0};
        QTest::newRow("other code") << QByteArray("0x97") << QList<int>{0, 0, 0};
    }

    void stallOnFrame() const {
        QFETCH(QByteArray, setting);
        QFETCH(QList<int>, results);
        ScopedEnv env{{"TALIX_VP_STALL_ON", setting}};
        PedalClient client;
        QVERIFY(client.open());
        for (int p = 0; p < results.size(); ++p) {
            QCOMPARE(client.send(f(0x99, QByteArray(1, char(p)))), results[p]);
            // A refused frame never reaches the pedal and is not answered.
            QCOMPARE(client.readFrames(1, results[p] == 0 ? 500 : 80).size(), results[p] == 0);
        }
        QCOMPARE(int(VirtualPedal::receivedFrames().size()), int(results.count(0)));
    }

    void corruptedAnswer_data() const {
        QTest::addColumn<QByteArray>("setting");
        QTest::addColumn<QList<bool>>("good");
        QTest::newRow("every 0x9A") << QByteArray("0x9A") << QList<bool>{false, false, false};
        QTest::newRow("second 0x9A") << QByteArray("0x9A:2") << QList<bool>{true, false, true};
        QTest::newRow("other code") << QByteArray("0x9C") << QList<bool>{true, true, true};
    }

    void corruptedAnswer() const {
        QFETCH(QByteArray, setting);
        QFETCH(QList<bool>, good);
        ScopedEnv env{{"TALIX_VP_CORRUPT", setting}};
        PedalClient client;
        QVERIFY(client.open());
        for (int p = 0; p < good.size(); ++p) {
            QCOMPARE(client.send(f(0x99, QByteArray(1, char(p)))), 0);
            QByteArray packet;
            QCOMPARE(client.readPacket(packet, 500), 0);
            const QByteArray frame = packet.mid(1, quint8(packet[0]));
            QCOMPARE(frame.size(), 28);
            const QByteArray expected = f(0x9A, frame.mid(5, 21));
            QCOMPARE(frame.left(26), expected.left(26));
            QCOMPARE(frame == expected, good[p]);
        }
    }

    void garbageBeforeAnswers() const {
        ScopedEnv env{{"TALIX_VP_GARBAGE", "00 AA 13"}};
        PedalClient client;
        QVERIFY(client.open());
        QCOMPARE(client.send(f(0xEE, {})), 0);
        QByteArray packet;
        QCOMPARE(client.readPacket(packet, 500), 0);
        const QByteArray expected =
            h("00AA13") + f(0x98, h("0101")) + h("00AA13") + f(0xED, h("03"));
        QCOMPARE(packet.mid(1, quint8(packet[0])), expected);
    }

    void randomPadding() const {
        ScopedEnv env{{"TALIX_VP_PADDING", "7"}};
        PedalClient client;
        QVERIFY(client.open());
        QCOMPARE(client.send(f(0x97, h("00"))), 0);
        QByteArray packet;
        QCOMPARE(client.readPacket(packet, 500), 0);
        QCOMPARE(int(packet[0]), 8);
        QCOMPARE(packet.mid(1, 8), f(0x97, h("00")));
        const QByteArray padding = packet.mid(9);
        QCOMPARE(padding.size(), 55);
        QVERIFY(!padding.contains('\xAA'));
        QVERIFY(padding != QByteArray(55, '\0'));
        QVERIFY(padding.count(padding.at(0)) < 20);
    }

    void delayedAnswers_data() const {
        QTest::addColumn<QByteArray>("setting");
        QTest::addColumn<bool>("delay97");
        QTest::addColumn<bool>("delay9B");
        QTest::newRow("all") << QByteArray("150") << true << true;
        QTest::newRow("one code") << QByteArray("0x97:150") << true << false;
    }

    void delayedAnswers() const {
        QFETCH(QByteArray, setting);
        QFETCH(bool, delay97);
        QFETCH(bool, delay9B);
        ScopedEnv env{{"TALIX_VP_DELAY_MS", setting}};
        PedalClient client;
        QVERIFY(client.open());
        const QByteArray requests[] = {f(0x97, h("01")), f(0x9B, {})};
        const bool delayed[] = {delay97, delay9B};
        for (int k = 0; k < 2; ++k) {
            QCOMPARE(client.send(requests[k]), 0);
            QElapsedTimer timer;
            timer.start();
            QCOMPARE(client.readFrames(1, 1000).size(), 1);
            if (delayed[k])
                QVERIFY(timer.elapsed() >= 140);
            else
                QVERIFY2(timer.elapsed() < 140, "answer delayed without being asked to");
        }
    }

    void bootLoaderCodes() const {
        ScopedEnv env{{"TALIX_VP_RUN_MODE", "B"}, {"TALIX_VP_BOOT_CODES", "0x10,0x11,0x20,0x21"}};
        PedalClient client;
        QVERIFY(client.open());
        QCOMPARE(exchange(client, f(0xA0, h("00000000")), 1, 60), QList<QByteArray>{});
        QCOMPARE(exchange(client, f(0x10, h("00000000")), 1), QList<QByteArray>{f(0x11, h("01"))});
        QCOMPARE(exchange(client, f(0x20, h("0003") + QByteArray(512, 'b')), 1),
                 QList<QByteArray>{f(0x21, h("01"))});
        QCOMPARE(exchange(client, f(0xFF, h("00")), 1), QList<QByteArray>{f(0x11, h("01"))});
        QCOMPARE(VirtualPedal::snapshot().bootBlocks.count(3), std::size_t(1));
    }

    void bootLoaderRejectsStart() const {
        ScopedEnv env{{"TALIX_VP_RUN_MODE", "B"}, {"TALIX_VP_BOOT_REJECT_START", "1"}};
        PedalClient client;
        QVERIFY(client.open());
        QCOMPARE(exchange(client, f(0xA0, h("01000000")), 1), QList<QByteArray>{f(0xA1, h("00"))});
        QCOMPARE(exchange(client, f(0xA2, h("0000") + QByteArray(512, 'b')), 1),
                 QList<QByteArray>{f(0xA3, h("00"))});
        QVERIFY(VirtualPedal::snapshot().bootBlocks.empty());
    }

    void bootLoaderRefusesBlock() const {
        ScopedEnv env{{"TALIX_VP_RUN_MODE", "B"}, {"TALIX_VP_BOOT_REFUSE_BLOCK", "0x0102"}};
        PedalClient client;
        QVERIFY(client.open());
        QCOMPARE(exchange(client, f(0xA0, h("01000000")), 1).size(), 1);
        for (int address = 0x0100; address < 0x0104; ++address) {
            const QByteArray expected = address == 0x0102 ? h("00") : h("01");
            QCOMPARE(exchange(client, f(0xA2, block16(address) + QByteArray(512, 'c')), 1),
                     QList<QByteArray>{f(0xA3, expected)});
        }
        const auto blocks = VirtualPedal::snapshot().bootBlocks;
        QCOMPARE(blocks.size(), std::size_t(3));
        QCOMPARE(blocks.count(0x0102), std::size_t(0));
    }

    void handshakeNamesAnotherType() const {
        ScopedEnv env{{"TALIX_VP_RUN_MODE", "B"}, {"TALIX_VP_HANDSHAKE_TYPE", "TAL_XX"}};
        PedalClient client;
        QVERIFY(client.open());
        QList<QByteArray> frames = exchange(client, f(0x00, {}), 1);
        QCOMPARE(frames.size(), 1);
        QCOMPARE(frames[0].mid(5, 7), QByteArray("TAL_IX\0", 7));
        frames = exchange(client, f(0x00, h("00")), 1);
        QCOMPARE(frames.size(), 1);
        QCOMPARE(frames[0].mid(5, 7), QByteArray("TAL_XX\0", 7));
        QCOMPARE(frames[0].at(5 + 53), 'B');
    }

    void deviceTypeAndRunMode() const {
        ScopedEnv env{{"TALIX_VP_DEVICE_TYPE", "OTHER"}, {"TALIX_VP_RUN_MODE", "B"}};
        PedalClient client;
        QVERIFY(client.open());
        const QList<QByteArray> frames = exchange(client, f(0x00, {}), 1);
        QCOMPARE(frames.size(), 1);
        QCOMPARE(frames[0].mid(5, 6), QByteArray("OTHER\0", 6));
        QCOMPARE(frames[0].at(5 + 53), 'B');
    }

    void trafficLog() const {
        QTemporaryDir dir;
        const QString path = dir.filePath("traffic.log");
        ScopedEnv env{{"TALIX_VP_LOG", path.toLocal8Bit()},
                      {"TALIX_VP_DEVICES", "type=TAL_XX,pedal"}};
        PedalClient client;
        QVERIFY(client.open(1));
        QByteArray bad = f(0x97, h("01"));
        bad[7] = char(bad[7] ^ 0xFF);
        QCOMPARE(exchange(client, bad + f(0x97, h("01")), 1).size(), 1);
        QVERIFY(client.open(0));
        QCOMPARE(exchange(client, f(0x00, {}), 1).size(), 1);
        QVERIFY(VirtualPedal::unplug());
        // Read while the process still runs: every line is flushed at once.
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QList<QByteArray> lines = file.readAll().split('\n');
        QCOMPARE(lines.size(), 7);
        QCOMPARE(lines[0], "BAD " + bad.toHex(' ').toUpper());
        QCOMPARE(lines[1], "OUT " + f(0x97, h("01")).toHex(' ').toUpper());
        QCOMPARE(lines[2], "IN " + f(0x97, h("01")).toHex(' ').toUpper());
        QCOMPARE(lines[3], QByteArray("OUT@1 AA 55 01 00 00 C8 CF"));
        QVERIFY(lines[4].startsWith("IN@1 AA 55 38 00 01 54 41 4C 5F 58 58 00"));
        QCOMPARE(lines[5], QByteArray("EVENT unplug"));
        QCOMPARE(lines[6], QByteArray());
    }

    void trafficLogRestart() const {
        QTemporaryDir dir;
        const QString path = dir.filePath("traffic.log");
        ScopedEnv env{{"TALIX_VP_LOG", path.toLocal8Bit()}};
        PedalClient client;
        QVERIFY(client.open());
        QCOMPARE(client.send(f(0xEB, h("01"))), 0);
        // The next device list brings the pedal back in its boot loader.
        QVERIFY(client.open());
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QList<QByteArray> lines = file.readAll().split('\n');
        QCOMPARE(lines, (QList<QByteArray>{"OUT " + f(0xEB, h("01")).toHex(' ').toUpper(),
                                           "EVENT restart B", "EVENT back B", QByteArray()}));
    }
};

QTEST_APPLESS_MAIN(TestVirtualPedalFaults)
#include "test_virtualpedal_faults.moc"
