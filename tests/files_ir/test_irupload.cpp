#include "files/irfilereader.h"
#include "irfileimages.h"
#include "link/qmebaselibusb.h"
#include "protocol/qusbwritethread.h"
#include "virtualpedal/virtualpedal.h"

#include <QFile>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTextCodec>
#include <QtTest>

#include <cmath>
#include <map>
#include <mutex>
#include <optional>
#include <random>

using namespace IrFileImages;
using virtualpedal::PedalState;
using virtualpedal::VirtualPedal;
using Bytes = std::vector<std::uint8_t>;
using Block = QVector<quint32>;

namespace {

const char* const kPedalVariables[] = {"TALIX_VP_DROP_IR_ACK", "TALIX_VP_UNPLUG_ON",
                                       "TALIX_VP_DELAY_MS", "TALIX_VP_ACK_SLOT11"};

// The real reader, recording which files the import asked for.
class RecordingReader final : public IrFileLoader {
public:
    QString stopOn; // loading this path raises the stop flag (from the worker)
    QUsbWriteThread* thread = nullptr;

    bool load(const QString& path, std::vector<uint32_t>& samples) override {
        bool stop = false;
        {
            std::lock_guard<std::mutex> lock(mutex);
            asked << path;
            stop = path == stopOn;
        }
        if (stop && thread) {
            thread->stopWorker();
        }
        return reader.load(path, samples);
    }

    void forget() {
        std::lock_guard<std::mutex> lock(mutex);
        asked.clear();
        stopOn.clear();
    }

    QStringList askedFor() const {
        std::lock_guard<std::mutex> lock(mutex);
        return asked;
    }

private:
    IrFileReader reader;
    mutable std::mutex mutex;
    QStringList asked;
};

struct Progress {
    int value;
    QString path;
    int type;
    bool operator==(const Progress& o) const {
        return value == o.value && path == o.path && type == o.type;
    }
};

// Lane k of a block as the pedal keeps it: bits 16–23, 8–15, 0–7 of 512 samples in turn.
Bytes laneOf(const Block& block, int k) {
    Bytes lane(512);
    const int shift = 16 - 8 * (k % 3);
    for (int i = 0; i < 512; ++i) {
        lane[std::size_t(i)] = std::uint8_t(block[512 * (k / 3) + i] >> shift & 0xFF);
    }
    return lane;
}

Bytes storedLane(const PedalState& state, int slot, int k) {
    const Bytes& lanes = state.irLanes[std::size_t(slot)];
    if (lanes.size() < std::size_t(512 * (k + 1))) {
        return {};
    }
    return Bytes(lanes.begin() + 512 * k, lanes.begin() + 512 * (k + 1));
}

QByteArray storedName(const PedalState& state, int slot) {
    const auto& name = state.irNames[std::size_t(slot)];
    return QByteArray(reinterpret_cast<const char*>(name.data()), int(name.size()));
}

std::vector<Bytes> irFramesReceived() {
    std::vector<Bytes> frames;
    for (const Bytes& frame : VirtualPedal::receivedFrames()) {
        if (frame.size() > 6 && frame[4] == 0xE2) {
            frames.push_back(frame);
        }
    }
    return frames;
}

} // namespace

Q_DECLARE_METATYPE(Block)

class TestIrUpload final : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    // Final, so that destroying it by value names the one destructor there is.
    class Link final : public QMEBaseLibusb {};
    std::optional<Link> link;
    QUsbWriteThread* thread = nullptr;
    RecordingReader reader;
    QList<Progress> progress;
    int lostConnections = 0;

    QString writeFile(const QString& name, const QByteArray& image) {
        return IrFileImages::writeFile(dir.filePath(name), image);
    }

    // A 44100 Hz mono 24-bit file whose samples follow from the seed; block gets what the pedal
    // should receive.
    QString goodFile(const QString& name, int seed, Block* block = nullptr) {
        std::mt19937 rng{quint32(seed)};
        Wave layout;
        layout.bits = 24;
        Block expected;
        for (int j = 0; j < 2048; ++j) {
            const qint64 v = std::uniform_int_distribution<qint64>(-0x800000, 0x7FFFFF)(rng);
            putSample(layout.samples, 24, v);
            expected << low24(v);
        }
        if (block) {
            *block = expected;
        }
        return writeFile(name, wave(layout));
    }

    bool open(const std::map<QByteArray, QByteArray>& faults = {}) {
        for (const auto& fault : faults) {
            qputenv(fault.first.constData(), fault.second);
        }
        link.emplace();
        link->setTransferMode(QMEBaseLibusb::ModeInterrupt);
        thread = new QUsbWriteThread;
        thread->attachLink(&*link);
        reader.thread = thread;
        thread->setIrFileLoader(&reader);
        // Queued, as the main window receives it.
        connect(
            thread, &QUsbWriteThread::emitImportIrProgress, this,
            [this](int value, QString path, int type) {
                progress << Progress{value, path, type};
            },
            Qt::QueuedConnection);
        connect(thread, &QMEBaseWriteThread::emitDeviceLostConnect, this,
                [this] { ++lostConnections; });
        if (thread->openUsbConnect(0x0483, 0x5703, 200, "TAL_IX") != 2) {
            return false;
        }
        thread->startReceiving();
        VirtualPedal::clearReceivedFrames();
        return true;
    }

    bool ended() const { return !progress.isEmpty() && progress.last().type != 0; }

    bool import(quint8 slot, const QStringList& paths, int timeoutMs = 10000) {
        if (!thread->startIrImport(slot, paths)) {
            return false;
        }
        return QTest::qWaitFor([this] { return ended(); }, timeoutMs);
    }

    void checkSlot(const PedalState& state, int slot, const Block& block, const QByteArray& name) {
        QCOMPARE(int(state.userIr[std::size_t(slot)]), 1);
        for (int k = 0; k < 12; ++k) {
            QVERIFY2(storedLane(state, slot, k) == laneOf(block, k),
                     qPrintable(QString("slot %1 lane %2").arg(slot).arg(k)));
        }
        QCOMPARE(storedName(state, slot), name.leftJustified(50, '\0'));
    }

    // What the import reports for these files, one flag per file taken telling whether it is
    // readable; files beyond the flags are never taken.
    static QList<Progress> expectedProgress(const QStringList& paths, const QList<bool>& readable) {
        QList<Progress> out;
        const float share = 100.0f / float(paths.size());
        int value = 0;
        for (int f = 0; f < readable.size(); ++f) {
            if (!readable[f]) {
                value = int(float(value) + share);
                continue;
            }
            for (int packet = 0; packet < 12; ++packet) {
                value = int(float(value) + share / 5 / 3);
                out << Progress{value, paths[f], 0};
            }
            value = int(float(value) + share / 5);
            out << Progress{value, paths[f], 0} << Progress{value, paths[f], 0};
        }
        out << Progress{100, QString(), 0} << Progress{100, QString(), 2};
        return out;
    }

private slots:
    void init() {
        progress.clear();
        lostConnections = 0;
        reader.forget();
    }

    void cleanup() {
        delete thread;
        thread = nullptr;
        link.reset();
        for (const char* name : kPedalVariables) {
            qunsetenv(name);
        }
    }

    void lanesAsStored_data() {
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<QByteArray>("image");
        QTest::addColumn<Block>("block");
        std::mt19937 rng(5);
        auto random24 = [&rng] {
            return std::uniform_int_distribution<qint64>(-0x800000, 0x7FFFFF)(rng);
        };

        Wave stereo;
        Block left;
        for (int j = 0; j < 2048; ++j) {
            const qint64 v = random24() / 256;
            putSample(stereo.samples, 16, v);
            putSample(stereo.samples, 16, -v);
            left << low24(v * 256);
        }
        stereo.channels = 2;
        QTest::newRow("44100 Hz 16-bit stereo") << "stereo.wav" << wave(stereo) << left;

        Wave doubleRate;
        doubleRate.rate = 88200;
        doubleRate.bits = 24;
        Block even;
        for (int j = 0; j < 4100; ++j) {
            const qint64 v = random24();
            putSample(doubleRate.samples, 24, v);
            if (j % 2 == 0 && even.size() < 2048) {
                even << low24(v);
            }
        }
        QTest::newRow("88200 Hz 24-bit") << "double rate.wav" << wave(doubleRate) << even;

        Gir gir;
        Block first;
        for (int j = 0; j < 1024; ++j) {
            const float x = float(random24()) / 8388608.0f;
            gir.samples << x;
            first << low24(qint64(std::trunc(double(x) * 8388608.0)));
        }
        first.resize(2048);
        QTest::newRow("GIR") << "cabinet.gir" << IrFileImages::gir(gir) << first;
    }

    void lanesAsStored() {
        QFETCH(QString, fileName);
        QFETCH(QByteArray, image);
        QFETCH(Block, block);
        QVERIFY(open());
        const QString path = writeFile(fileName, image);
        QVERIFY(import(4, {path}));
        QCOMPARE(progress.last().type, 2);
        checkSlot(VirtualPedal::snapshot(), 4, block, QFileInfo(path).baseName().toLocal8Bit());

        const std::vector<Bytes> frames = irFramesReceived();
        QCOMPARE(int(frames.size()), 13);
        for (int seq = 0; seq < 13; ++seq) {
            const Bytes& frame = frames[std::size_t(seq)];
            QCOMPARE(int(frame[5]), 4);
            QCOMPARE(int(frame[6]), seq);
            if (seq < 12) {
                QCOMPARE(int(frame.size()), 516 + 6);
                QCOMPARE(Bytes(frame.begin() + 7, frame.begin() + 519), laneOf(block, seq));
                QCOMPARE(int(frame[519]), 0);
            } else {
                QCOMPARE(int(frame.size()), 53 + 6);
            }
        }
    }

    void consecutiveSlots() {
        QVERIFY(open());
        Block a, b, c;
        const QStringList paths{goodFile("a.wav", 1, &a), goodFile("b.wav", 2, &b),
                                goodFile("c.wav", 3, &c)};
        QVERIFY(import(8, paths));
        QCOMPARE(progress, expectedProgress(paths, {true, true, true}));
        const PedalState state = VirtualPedal::snapshot();
        checkSlot(state, 8, a, "a");
        checkSlot(state, 9, b, "b");
        checkSlot(state, 10, c, "c");
        QCOMPARE(int(state.userIr[7]), 0);
    }

    void noSlotAfterTheLast_data() const {
        QTest::addColumn<bool>("acknowledged");
        QTest::newRow("pedal acknowledges slot 11") << true;
        QTest::newRow("pedal without slot 11") << false;
    }

    // The pedal keeps slots 0 to 10: from slot 9 the third and fourth files find no slot and
    // are skipped unread, whatever a pedal would do with slot index 11.
    void noSlotAfterTheLast() {
        QFETCH(bool, acknowledged);
        QVERIFY(open({{"TALIX_VP_ACK_SLOT11", acknowledged ? "1" : "0"}}));
        Block a, b;
        const QStringList paths{goodFile("a.wav", 1, &a), goodFile("b.wav", 2, &b),
                                goodFile("c.wav", 3), goodFile("d.wav", 4)};
        QVERIFY(import(9, paths));
        QCOMPARE(progress, expectedProgress(paths, {true, true, false, false}));
        QCOMPARE(reader.askedFor(), paths.mid(0, 2));
        const PedalState state = VirtualPedal::snapshot();
        checkSlot(state, 9, a, "a");
        checkSlot(state, 10, b, "b");
        QCOMPARE(int(irFramesReceived().size()), 26);
    }

    void startBeyondLastSlotReadsNothing() {
        QVERIFY(open());
        QVERIFY(import(12, {goodFile("a.wav", 1)}));
        QVERIFY(reader.askedFor().isEmpty());
        QVERIFY(irFramesReceived().empty());
    }

    void unreadableFilesUseNoSlot() {
        QVERIFY(open());
        Block b, c;
        Wave slow;
        slow.rate = 22050;
        putSample(slow.samples, 16, 1000);
        const QStringList paths{writeFile("A.wav", "not an impulse response at all, just text"),
                                goodFile("B.wav", 2, &b), writeFile("slow.wav", wave(slow)),
                                writeFile("empty.gir", QByteArray()), goodFile("C.wav", 3, &c)};
        QVERIFY(import(2, paths));
        QCOMPARE(progress, expectedProgress(paths, {false, true, false, false, true}));
        QCOMPARE(reader.askedFor(), paths);
        const PedalState state = VirtualPedal::snapshot();
        checkSlot(state, 2, b, "B");
        checkSlot(state, 3, c, "C");
        QCOMPARE(int(state.userIr[4]), 0);
        QCOMPARE(int(irFramesReceived().size()), 26);
    }

    void names_data() const {
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<QByteArray>("sent");
        QTest::newRow("dots") << "My Cab.v2.wav" << QByteArray("My Cab");
        QTest::newRow("60 characters") << QString(60, 'x') + ".wav" << QByteArray(50, 'x');
        QTest::newRow("exactly 50") << QString(50, 'y') + ".gir.wav" << QByteArray(50, 'y');
        QTest::newRow("no extension") << "Greenback" << QByteArray("Greenback");
        // UTF-8 file names (the locale's encoding here) keep whole characters.
        QTest::newRow("two-byte characters")
            << "x" + QString(30, QChar(0xE4)) + ".wav" << ("x" + QString(24, QChar(0xE4))).toUtf8();
        QTest::newRow("three-byte characters")
            << QString(20, QChar(0x97F3)) + ".wav" << QString(16, QChar(0x97F3)).toUtf8();
        QTest::newRow("a surrogate pair at the end")
            << QString(47, 'y') + QString::fromUcs4(U"\U0001F3B8") + ".wav" << QByteArray(47, 'y');
        QTest::newRow("only an ending") << ".wav" << QByteArray(".wav");
    }

    void names() {
        QFETCH(QString, fileName);
        QFETCH(QByteArray, sent);
        QTextCodec* const locale = QTextCodec::codecForLocale();
        QTextCodec::setCodecForLocale(QTextCodec::codecForName("UTF-8"));
        const auto restore = qScopeGuard([locale] { QTextCodec::setCodecForLocale(locale); });
        QVERIFY(open());
        Block block;
        QVERIFY(import(0, {goodFile(fileName, 9, &block)}));
        QCOMPARE(progress.last().type, 2);
        const Bytes nameFrame = irFramesReceived().back();
        QCOMPARE(QByteArray(reinterpret_cast<const char*>(nameFrame.data()) + 7, 50),
                 sent.leftJustified(50, '\0'));
        checkSlot(VirtualPedal::snapshot(), 0, block, sent);
    }

    void droppedAcknowledgementFails() {
        QVERIFY(open({{"TALIX_VP_DROP_IR_ACK", "4"}}));
        // The wait runs to its end: shorter than the editor's 5 s.
        thread->setAnswerTimeout(1000);
        const QStringList paths{goodFile("a.wav", 1), goodFile("b.wav", 2)};
        QVERIFY(import(1, paths, 15000));
        // five data packets were sent, the wait for the fifth acknowledgement ran out
        int value = 0;
        for (int packet = 0; packet < 5; ++packet) {
            value = int(float(value) + 50.0f / 5 / 3);
        }
        QCOMPARE(progress.last(), (Progress{value, QString(), 3}));
        QCOMPARE(progress.size(), 6);
        QCOMPARE(int(irFramesReceived().size()), 5);
        QCOMPARE(reader.askedFor(), paths.mid(0, 1));
        QCOMPARE(int(VirtualPedal::snapshot().userIr[1]), 0);
    }

    void unplugFails() {
        QVERIFY(open({{"TALIX_VP_UNPLUG_ON", "0xE2"}}));
        QVERIFY(import(1, {goodFile("a.wav", 1), goodFile("b.wav", 2)}, 4000));
        QCOMPARE(progress.last().type, 3);
        QCOMPARE(progress.last().path, QString());
        QTRY_COMPARE_WITH_TIMEOUT(lostConnections, 1, 2000);
        QVERIFY(!thread->usbIsOpen());
    }

    void stopBeforeFile() {
        QVERIFY(open());
        Block a;
        const QStringList paths{goodFile("a.wav", 1, &a), writeFile("b.gir", "broken"),
                                goodFile("c.wav", 3)};
        reader.stopOn = paths[1];
        QVERIFY(import(5, paths));
        // a is uploaded, b is skipped while the stop is raised, c is not touched
        QList<Progress> expected = expectedProgress(paths, {true, false});
        expected.erase(expected.end() - 2, expected.end());
        expected << Progress{int(float(expected.last().value) + 100.0f / 3), paths[2], 1};
        QCOMPARE(progress, expected);
        QCOMPARE(reader.askedFor(), paths.mid(0, 2));
        checkSlot(VirtualPedal::snapshot(), 5, a, "a");
        QCOMPARE(int(irFramesReceived().size()), 13);
    }

    void stopWhileWaitingFails() {
        QVERIFY(open({{"TALIX_VP_DELAY_MS", "0xE2:3000"}}));
        QVERIFY(thread->startIrImport(0, {goodFile("a.wav", 1)}));
        QVERIFY(QTest::qWaitFor([this] { return !progress.isEmpty(); }, 2000));
        thread->stopWorker();
        QVERIFY(QTest::qWaitFor([this] { return ended(); }, 2000));
        QCOMPARE(progress.last(), (Progress{progress.first().value, QString(), 3}));
        QCOMPARE(int(irFramesReceived().size()), 1);
    }

    void emptyListFails() {
        QVERIFY(open());
        QVERIFY(import(0, {}));
        QCOMPARE(progress, (QList<Progress>{{0, QString(), 3}}));
    }
};

QTEST_GUILESS_MAIN(TestIrUpload)
#include "test_irupload.moc"
