#include "link/frame.h"
#include "link/qmebaselibusb.h"
#include "link/qmebasereceivethread.h"
#include "link/qmebasewritethread.h"
#include "tests/link/pedalenv.h"
#include "virtualpedal/virtualpedal.h"

#include <QtTest>

#include <atomic>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

using Bytes = std::vector<unsigned char>;
Q_DECLARE_METATYPE(Bytes)

namespace {

constexpr ushort vid = 0x0483;
constexpr ushort pid = 0x5703;

using virtualpedal::VirtualPedal;

// Records what reaches DealData, and on which thread. Its worker sends long frames.
class RecordingWriteThread final : public QMEBaseWriteThread {
public:
    std::thread::id mainThread = std::this_thread::get_id();
    std::atomic<bool> dealtOnMainThread{false};
    std::vector<Bytes> workerFrames;

    ~RecordingWriteThread() override { finishThreads(); }

    std::vector<Bytes> messages() const {
        std::lock_guard<std::mutex> lock(mutex);
        return dealt;
    }
    bool ackSignalled() const { return ackEvent.isSet(); }
    std::optional<std::string> deviceType() const { return expectedDeviceType(); }

protected:
    void DealData(std::vector<unsigned char> Data) override {
        if (std::this_thread::get_id() == mainThread)
            dealtOnMainThread = true;
        std::lock_guard<std::mutex> lock(mutex);
        dealt.push_back(std::move(Data));
    }
    void run() override {
        for (Bytes& frame : workerFrames)
            sendFrame(frame, 500);
        ackEvent.set();
    }

private:
    mutable std::mutex mutex;
    std::vector<Bytes> dealt;
};

// Records signals of the worker threads on this thread. QSignalSpy would record on the emitting
// thread, racing with the test reading it.
class MainThreadLog final : public QObject {
public:
    std::vector<Bytes> analysed;
    int lost = 0;

    void watchAnalysis(QMEBaseWriteThread* thread) {
        connect(
            thread, &QMEBaseWriteThread::emitAnalysis, this,
            [this](const Bytes& m) { analysed.push_back(m); }, Qt::QueuedConnection);
    }
    void watchLost(QMEBaseReceiveThread* receiver) {
        connect(
            receiver, &QMEBaseReceiveThread::emitLostConnection, this, [this] { ++lost; },
            Qt::QueuedConnection);
    }
};

Bytes firstBytes(const Bytes& message, std::size_t n) {
    return Bytes(message.begin(), message.begin() + static_cast<std::ptrdiff_t>(n));
}

std::vector<Bytes> framesOf(const std::vector<Bytes>& messages) {
    std::vector<Bytes> frames;
    for (const Bytes& m : messages)
        frames.push_back(firstBytes(m, Frame::length(m.data()) + Frame::overhead));
    return frames;
}

// A link, a write thread that owns the receive thread, and a second one attached to both.
struct Connection {
    QMEBaseLibusb link;
    RecordingWriteThread owner;
    RecordingWriteThread shared;
    Connection() {
        link.setTransferMode(1);
        owner.attachLink(&link);
        shared.attachShared(&link, owner.receiveThread());
    }
    bool open(int expected = 2) {
        return owner.openUsbConnect(vid, pid, 200, "TAL_IX") == expected;
    }
};

} // namespace

class TestLinkThreads final : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() const { qRegisterMetaType<Bytes>("std::vector<unsigned char>"); }

    void openAndAttach() const {
        PedalEnv env;
        Connection c;
        QCOMPARE(c.owner.link(), &c.link);
        QCOMPARE(c.shared.link(), &c.link);
        QVERIFY(c.owner.receiveThread());
        QCOMPARE(c.shared.receiveThread(), c.owner.receiveThread());
        QCOMPARE(c.owner.receiveThread()->getLink(), &c.link);
        QVERIFY(!c.owner.usbIsOpen());
        QVERIFY(c.open());
        QVERIFY(c.owner.usbIsOpen());
        QVERIFY(c.shared.usbIsOpen());
    }

    void bootLoaderOpensWithOne() const {
        PedalEnv env{{"TALIX_VP_RUN_MODE", "B"}};
        Connection c;
        QVERIFY(c.open(1));
    }

    void answersReachEveryWriteThread() const {
        PedalEnv env;
        Connection c;
        QVERIFY(c.open());
        MainThreadLog ownerLog, sharedLog;
        ownerLog.watchAnalysis(&c.owner);
        sharedLog.watchAnalysis(&c.shared);
        c.owner.startReceiving();
        Bytes request = Frame::make(0x97, {0x01});
        QVERIFY(c.owner.sendFrame(request, 500));
        QTRY_COMPARE_WITH_TIMEOUT(ownerLog.analysed.size(), std::size_t(1), 3000);
        QTRY_COMPARE_WITH_TIMEOUT(sharedLog.analysed.size(), std::size_t(1), 3000);
        const Bytes expected = Frame::make(0x97, {0x01});
        const Bytes analysed = ownerLog.analysed.front();
        QCOMPARE(sharedLog.analysed.front(), analysed);
        QCOMPARE(firstBytes(analysed, expected.size()), expected);
        QCOMPARE(c.owner.messages(), std::vector<Bytes>{analysed});
        QCOMPARE(c.shared.messages(), std::vector<Bytes>{analysed});
        QVERIFY(!c.owner.dealtOnMainThread);
        QVERIFY(!c.shared.dealtOnMainThread);
    }

    void longAnswersInOrder() const {
        PedalEnv env;
        Connection c;
        QVERIFY(c.open());
        c.owner.startReceiving();
        Bytes request = Frame::make(0xEC, {0x01});
        QVERIFY(c.owner.sendFrame(request, 500));
        QTRY_COMPARE_WITH_TIMEOUT(c.owner.messages().size(), std::size_t(2), 3000);
        const auto messages = c.owner.messages();
        QCOMPARE(Frame::code(messages[0]), std::optional<unsigned char>(0xE6));
        QCOMPARE(Frame::parameterCount(messages[0]), std::size_t(11));
        QCOMPARE(Frame::code(messages[1]), std::optional<unsigned char>(0xE7));
        QCOMPARE(Frame::parameterCount(messages[1]), std::size_t(550));
        QVERIFY(Frame::check(messages[0]));
        QVERIFY(Frame::check(messages[1]));
    }

    void receivedStreams_data() const {
        QTest::addColumn<Bytes>("stream");
        QTest::addColumn<std::vector<Bytes>>("frames");
        const Bytes a = Frame::make(0x9A, {0x03, 1, 2, 3});
        const Bytes b = Frame::make(0xE3, {0x02, 0x05});
        const Bytes longFrame = Frame::make(0xE7, Bytes(100, 0x31));
        auto join = [](std::initializer_list<Bytes> parts) {
            Bytes all;
            for (const Bytes& p : parts)
                all.insert(all.end(), p.begin(), p.end());
            return all;
        };
        QTest::newRow("two frames in one packet") << join({a, b}) << std::vector<Bytes>{a, b};
        QTest::newRow("frame over two packets") << longFrame << std::vector<Bytes>{longFrame};
        QTest::newRow("garbage and stray start byte")
            << join({Bytes{0x00, 0x13, 0xAA, 0x00, 0xAA}, a}) << std::vector<Bytes>{a};
        Bytes bad = b;
        bad[6] ^= 0x40;
        QTest::newRow("bad check value, then good frame")
            << join({bad, a}) << std::vector<Bytes>{a};
    }
    void receivedStreams() const {
        QFETCH(Bytes, stream);
        QFETCH(std::vector<Bytes>, frames);
        PedalEnv env;
        Connection c;
        QVERIFY(c.open());
        c.owner.startReceiving();
        QVERIFY(VirtualPedal::pushRaw(stream));
        QTRY_COMPARE_WITH_TIMEOUT(c.owner.messages().size(), frames.size(), 3000);
        // Wait a little longer for anything that should not come.
        QTest::qWait(150);
        const auto messages = c.owner.messages();
        QCOMPARE(framesOf(messages), frames);
        if (frames.size() == 2) {
            // The first message carries the second frame behind its own.
            QCOMPARE(firstBytes(messages[0], frames[0].size() + frames[1].size()),
                     firstBytes(stream, frames[0].size() + frames[1].size()));
        }
    }

    void pedalFaults_data() const {
        QTest::addColumn<QByteArray>("variable");
        QTest::addColumn<QByteArray>("value");
        QTest::addColumn<int>("presets");
        QTest::newRow("corrupted answer")
            << QByteArray("TALIX_VP_CORRUPT") << QByteArray("0x9A:2") << 3;
        QTest::newRow("random padding") << QByteArray("TALIX_VP_PADDING") << QByteArray("77") << 4;
    }
    void pedalFaults() const {
        QFETCH(QByteArray, variable);
        QFETCH(QByteArray, value);
        QFETCH(int, presets);
        PedalEnv env{{variable.constData(), value}};
        Connection c;
        QVERIFY(c.open());
        c.owner.startReceiving();
        for (unsigned char p = 0; p < 4; ++p) {
            Bytes request = Frame::make(0x99, {p});
            QVERIFY(c.owner.sendFrame(request, 500));
        }
        QTRY_COMPARE_WITH_TIMEOUT(int(c.owner.messages().size()), presets, 3000);
        QTest::qWait(150);
        const auto messages = c.owner.messages();
        QCOMPARE(int(messages.size()), presets);
        std::vector<int> numbers;
        for (const Bytes& m : messages) {
            QVERIFY(Frame::check(m));
            QCOMPARE(Frame::code(m), std::optional<unsigned char>(0x9A));
            QCOMPARE(Frame::parameterCount(m), std::size_t(21));
            numbers.push_back(*Frame::parameter(m, 0));
        }
        const std::vector<int> expected =
            presets == 4 ? std::vector<int>{0, 1, 2, 3} : std::vector<int>{0, 2, 3};
        QCOMPARE(numbers, expected);
    }

    void unplugReportsLostConnectionEverywhere() const {
        PedalEnv env;
        Connection c;
        QVERIFY(c.open());
        QMEBaseReceiveThread* receiver = c.owner.receiveThread();
        MainThreadLog log;
        log.watchLost(receiver);
        QSignalSpy ownerLost(&c.owner, &QMEBaseWriteThread::emitDeviceLostConnect);
        QSignalSpy sharedLost(&c.shared, &QMEBaseWriteThread::emitDeviceLostConnect);
        c.owner.startReceiving();
        QTRY_VERIFY_WITH_TIMEOUT(receiver->isRunning(), 1000);
        QTest::qWait(50);
        QElapsedTimer timer;
        timer.start();
        QVERIFY(VirtualPedal::unplug());
        QTRY_COMPARE_WITH_TIMEOUT(log.lost, 1, 2000);
        qInfo() << "lost connection reported after" << timer.elapsed() << "ms";
        QTRY_COMPARE_WITH_TIMEOUT(ownerLost.count(), 1, 2000);
        QTRY_COMPARE_WITH_TIMEOUT(sharedLost.count(), 1, 2000);
        QVERIFY(!c.link.getHandle());
        QVERIFY(!receiver->isRunning());
        QVERIFY(c.owner.ackSignalled());
        QVERIFY(c.shared.ackSignalled());
        QVERIFY(!c.owner.usbIsOpen());
        QCOMPARE(log.lost, 1);
    }

    void receiverEndsWhenNothingOpens() const {
        PedalEnv env;
        Connection c;
        MainThreadLog log;
        log.watchLost(c.owner.receiveThread());
        QSignalSpy ownerLost(&c.owner, &QMEBaseWriteThread::emitDeviceLostConnect);
        c.owner.startReceiving();
        QTRY_COMPARE_WITH_TIMEOUT(log.lost, 1, 3000);
        QTRY_COMPARE_WITH_TIMEOUT(ownerLost.count(), 1, 2000);
    }

    void receiverWaitsForTheOpen() const {
        PedalEnv env;
        Connection c;
        MainThreadLog log;
        log.watchLost(c.owner.receiveThread());
        c.owner.startReceiving();
        QVERIFY(c.open());
        Bytes request = Frame::make(0x97, {0x00});
        QVERIFY(c.owner.sendFrame(request, 500));
        QTRY_COMPARE_WITH_TIMEOUT(c.owner.messages().size(), std::size_t(1), 3000);
        QCoreApplication::processEvents();
        QCOMPARE(log.lost, 0);
    }

    void closeStopsReceivingSilently() const {
        PedalEnv env;
        Connection c;
        QVERIFY(c.open());
        QMEBaseReceiveThread* receiver = c.owner.receiveThread();
        MainThreadLog log;
        log.watchLost(receiver);
        QSignalSpy ownerLost(&c.owner, &QMEBaseWriteThread::emitDeviceLostConnect);
        c.owner.startReceiving();
        QTRY_VERIFY_WITH_TIMEOUT(receiver->isRunning(), 1000);
        QVERIFY(c.owner.closeUsbConnect());
        QVERIFY(!receiver->isRunning());
        QVERIFY(!receiver->hasWorker());
        QVERIFY(!c.owner.usbIsOpen());
        QTest::qWait(100);
        QCOMPARE(log.lost, 0);
        QCOMPARE(ownerLost.count(), 0);

        // Connected again, the receive thread starts over.
        QVERIFY(c.open());
        c.owner.startReceiving();
        Bytes request = Frame::make(0x97, {0x01});
        QVERIFY(c.owner.sendFrame(request, 500));
        QTRY_COMPARE_WITH_TIMEOUT(c.owner.messages().size(), std::size_t(1), 3000);
    }

    void autoReadReadsOnePacket() const {
        PedalEnv env;
        Connection c;
        QVERIFY(c.open());
        Bytes request = Frame::make(0x97, {0x01});
        QVERIFY(c.owner.sendFrame(request, 500));
        unsigned char buffer[64];
        QCOMPARE(c.owner.AutoRead(buffer, 1000), 64);
        const Bytes expected = Frame::make(0x97, {0x01});
        QCOMPARE(int(buffer[0]), int(expected.size()));
        QCOMPARE(Bytes(buffer + 1, buffer + 1 + expected.size()), expected);
        QCOMPARE(c.owner.AutoRead(buffer, 10), 0);
    }

    void workerAndMainThreadFramesNeverInterleave() const {
        PedalEnv env{{"TALIX_VP_TIMING", "1"}};
        Connection c;
        QVERIFY(c.open());
        std::vector<Bytes> mainFrames;
        for (int i = 0; i < 15; ++i) {
            Bytes params(515, 0x0B);
            params[1] = static_cast<unsigned char>(i);
            c.owner.workerFrames.push_back(Frame::make(0x77, params));
            params.assign(300, 0x0C);
            params[1] = static_cast<unsigned char>(i);
            mainFrames.push_back(Frame::make(0x77, params));
        }
        VirtualPedal::clearReceivedFrames();
        QVERIFY(c.owner.startWorker());
        for (Bytes& f : mainFrames)
            QVERIFY(c.owner.sendFrame(f, 500));
        c.owner.stopWorker();
        QVERIFY(!c.owner.hasWorker());

        std::vector<Bytes> fromWorker, fromMain;
        for (const auto& f : VirtualPedal::receivedFrames())
            (f[5] == 0x0B ? fromWorker : fromMain).emplace_back(f.begin(), f.end());
        QCOMPARE(fromWorker, c.owner.workerFrames);
        QCOMPARE(fromMain, mainFrames);
    }

    // Another thread asks for the device's particulars while this one opens and closes again
    // with the receive thread running: it reads the closed state or the pedal's, and the thread
    // sanitizer run finds no race.
    void reopenWhileAnotherThreadAsks() const {
        PedalEnv env{{"TALIX_VP_INTERFACES", "4"}};
        Connection c;
        std::atomic<bool> done{false};
        std::atomic<int> unexpected{0};
        std::thread asker([&] {
            while (!done.load()) {
                const int claimed = c.link.claimedInterface();
                const int count = c.link.getInterfaceCount();
                const int in = c.link.getInterruptInEndpoint();
                const int out = c.link.getInterruptOutEndpoint();
                const std::optional<std::string> type = c.owner.deviceType();
                if ((claimed != -1 && claimed != 3) || (count != 0 && count != 4) ||
                    (in != 0 && in != 0x81) || (out != 0 && out != 0x01) ||
                    (type && *type != "TAL_IX"))
                    ++unexpected;
            }
        });
        int opened = 0;
        for (int round = 0; round < 10; ++round) {
            opened += c.open();
            c.owner.startReceiving();
            c.owner.closeUsbConnect();
        }
        done = true;
        asker.join();
        QCOMPARE(opened, 10);
        QCOMPARE(unexpected.load(), 0);
    }

    void destroyWhileReceiving() const {
        PedalEnv env;
        QMEBaseLibusb link;
        link.setTransferMode(1);
        auto owner = std::make_unique<RecordingWriteThread>();
        auto shared = std::make_unique<RecordingWriteThread>();
        owner->attachLink(&link);
        shared->attachShared(&link, owner->receiveThread());
        QCOMPARE(int(owner->openUsbConnect(vid, pid, 200, "TAL_IX")), 2);
        owner->startReceiving();
        QTRY_VERIFY_WITH_TIMEOUT(owner->receiveThread()->isRunning(), 1000);
        Bytes request = Frame::make(0xEC, {0x01});
        QVERIFY(owner->sendFrame(request, 500));
        owner.reset();
        shared.reset();
        QVERIFY(link.isOpen());
    }
};

QTEST_GUILESS_MAIN(TestLinkThreads)
#include "test_linkthreads.moc"
