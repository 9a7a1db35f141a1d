#include "link/manualresetevent.h"
#include "link/qmebasereceivethread.h"
#include "link/qmebasewritethread.h"

#include <QtTest>

#include <atomic>
#include <thread>

namespace {

// A worker that behaves as the transfer workers do and no better: it looks at the stop flag
// (never at the quit event) every 5 ms, and signals the acknowledgement event when it ends if
// told to.
class PollingWorker final : public QMEBaseWriteThread {
public:
    std::atomic<int> runs{0};
    std::atomic<bool> sawStop{false};
    std::atomic<bool> signalAckAtEnd{true};
    std::atomic<bool> endAtOnce{false};
    std::atomic<bool> onWorkerThread{false};
    std::thread::id creator = std::this_thread::get_id();

    ~PollingWorker() override { finishThreads(); }

    using QMEBaseWriteThread::ackEvent;
    using QMEBaseWriteThread::quitEvent;

protected:
    void run() override {
        ++runs;
        onWorkerThread = std::this_thread::get_id() != creator;
        for (int i = 0; i < 2000 && !endAtOnce; ++i) {
            if (stopFlag) {
                sawStop = true;
                break;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        if (signalAckAtEnd)
            ackEvent.set();
    }
};

using StartResult = QUtilThread::StartResult;

} // namespace

class TestWorkerThreads final : public QObject {
    Q_OBJECT

private slots:
    void eventStaysSetUntilReset() const {
        ManualResetEvent event;
        QVERIFY(!event.isSet());
        QVERIFY(!event.wait(0));
        event.set();
        QVERIFY(event.wait(0));
        QVERIFY(event.wait(10));
        QVERIFY(event.isSet());
        event.reset();
        QVERIFY(!event.isSet());
        QVERIFY(!event.wait(20));
        ManualResetEvent initially(true);
        QVERIFY(initially.wait(0));
    }

    void eventWakesWaiterOnOtherThread() const {
        ManualResetEvent event;
        std::atomic<bool> woke{false};
        std::thread waiter([&] { woke = event.wait(10000); });
        event.set();
        waiter.join();
        QVERIFY(woke);
    }

    void eventWakesEveryWaiter() const {
        ManualResetEvent event;
        std::atomic<int> woke{0};
        std::vector<std::thread> waiters;
        for (int i = 0; i < 4; ++i)
            waiters.emplace_back([&] { woke += event.wait(10000) ? 1 : 0; });
        event.set();
        for (auto& t : waiters)
            t.join();
        QCOMPARE(woke.load(), 4);
    }

    void workerRunsOnItsOwnThread() const {
        PollingWorker worker;
        QVERIFY(worker.startWorker());
        QVERIFY(worker.isWorkerRunning());
        QTRY_COMPARE_WITH_TIMEOUT(worker.runs.load(), 1, 5000);
        worker.stopWorker();
        QVERIFY(worker.onWorkerThread);
        QVERIFY(worker.sawStop);
        QVERIFY(!worker.hasWorker());
        QVERIFY(!worker.isWorkerRunning());
    }

    // A start while a worker runs is refused at once: the running worker goes on untouched,
    // its settings are not replaced, and a later stop still waits for it.
    void startWhileRunningIsRefused() const {
        PollingWorker worker;
        QVERIFY(worker.startWorker() == StartResult::Started);
        QTRY_COMPARE_WITH_TIMEOUT(worker.runs.load(), 1, 5000);
        bool prepared = false;
        QElapsedTimer timer;
        timer.start();
        QVERIFY(worker.startWorker([&prepared] { prepared = true; }) == StartResult::Busy);
        QVERIFY(timer.elapsed() < QUtilThread::workerEndTimeoutMs / 4);
        QVERIFY(!prepared);
        QVERIFY(worker.isWorkerRunning());
        QVERIFY(!worker.quitEvent.isSet());
        QVERIFY(!worker.sawStop);
        QCOMPARE(worker.runs.load(), 1);

        worker.stopWorker();
        QVERIFY(worker.sawStop);
        QVERIFY(!worker.isWorkerRunning());
        // After a stop the next start is honoured, and the next stop waits for that worker.
        worker.sawStop = false;
        QVERIFY(worker.startWorker([&prepared] { prepared = true; }) == StartResult::Started);
        QVERIFY(prepared);
        QTRY_COMPARE_WITH_TIMEOUT(worker.runs.load(), 2, 5000);
        QVERIFY(!worker.quitEvent.isSet());
        worker.stopWorker();
        QVERIFY(worker.sawStop);
        QVERIFY(!worker.hasWorker());
    }

    void startAfterWorkerEndedStartsAnew() const {
        PollingWorker worker;
        worker.endAtOnce = true;
        QVERIFY(worker.startWorker() == StartResult::Started);
        QTRY_VERIFY_WITH_TIMEOUT(!worker.isWorkerRunning(), 5000);
        QVERIFY(worker.startWorker() == StartResult::Started);
        QTRY_COMPARE_WITH_TIMEOUT(worker.runs.load(), 2, 5000);
        QTRY_VERIFY_WITH_TIMEOUT(!worker.isWorkerRunning(), 5000);
    }

    void stopAfterWorkerEndedReturnsAtOnce() const {
        PollingWorker worker;
        worker.endAtOnce = true;
        QVERIFY(worker.startWorker());
        QTRY_VERIFY_WITH_TIMEOUT(worker.ackEvent.isSet(), 5000);
        // A worker that ended by itself is no longer running.
        QTRY_VERIFY_WITH_TIMEOUT(!worker.isWorkerRunning(), 5000);
        QElapsedTimer timer;
        timer.start();
        worker.stopWorker();
        QVERIFY(timer.elapsed() < QMEBaseWriteThread::ackTimeoutMs);
        QVERIFY(!worker.hasWorker());
        // The acknowledgement event is never reset by the base.
        QVERIFY(worker.ackEvent.isSet());
    }

    void stopWithoutAcknowledgementIsBounded() const {
        PollingWorker worker;
        worker.signalAckAtEnd = false;
        QVERIFY(worker.startWorker());
        QTRY_COMPARE_WITH_TIMEOUT(worker.runs.load(), 1, 5000);
        worker.stopWorker();
        QVERIFY(worker.sawStop);
        QVERIFY(!worker.hasWorker());
        QVERIFY(!worker.ackEvent.isSet());
    }

    void secondStopReturnsWhileQuitSignalled() const {
        PollingWorker worker;
        QVERIFY(worker.startWorker());
        worker.stopWorker();
        QVERIFY(worker.quitEvent.isSet());
        worker.stopWorker();
        QVERIFY(!worker.hasWorker());
    }

    void stopWithoutWorkerReturns() const {
        PollingWorker worker;
        worker.stopWorker();
        QVERIFY(!worker.hasWorker());
        QCOMPARE(worker.runs.load(), 0);
    }

    void destructionStopsRunningWorker() const {
        auto* worker = new PollingWorker;
        QVERIFY(worker->startWorker());
        QTRY_COMPARE_WITH_TIMEOUT(worker->runs.load(), 1, 5000);
        delete worker;
    }

    void receiveThreadWithoutLinkEnds() const {
        QMEBaseReceiveThread receiver;
        QSignalSpy lost(&receiver, &QMEBaseReceiveThread::emitLostConnection);
        QVERIFY(receiver.start());
        QTRY_VERIFY_WITH_TIMEOUT(!receiver.isRunning(), 5000);
        // The worker returns at once without signalling its finished event; stop must not
        // wait for it without bound.
        QVERIFY(receiver.stop());
        QVERIFY(!receiver.hasWorker());
        QCOMPARE(lost.count(), 0);
    }

    void typesTravelThroughQueuedSignals() const {
        QMEBaseWriteThread thread;
        QVERIFY(QMetaType::type("std::vector<unsigned char>") != QMetaType::UnknownType);
        QVERIFY(QMetaType::type("MSGType") != QMetaType::UnknownType);
        QVERIFY(QMetaType::type("QMEBaseWriteThread::MSGType") != QMetaType::UnknownType);

        // A message emitted on a worker arrives intact on this thread.
        const std::vector<unsigned char> message{0xAA, 0x55, 0x01, 0x00, 0x00, 0xC8, 0xCF, 0x42};
        QObject receiver;
        std::vector<unsigned char> arrived;
        connect(
            &thread, &QMEBaseWriteThread::emitAnalysis, &receiver,
            [&](const std::vector<unsigned char>& m) { arrived = m; }, Qt::QueuedConnection);
        std::thread sender([&] { emit thread.emitAnalysis(message); });
        sender.join();
        QTRY_COMPARE_WITH_TIMEOUT(arrived, message, 2000);
    }

    void writeThreadWithoutLinkFails() const {
        QMEBaseWriteThread thread;
        unsigned char frame[7] = {0xAA, 0x55, 0x01, 0x00, 0x00, 0x00, 0x00};
        QVERIFY(!thread.sendFrame(frame, 100));
        unsigned char buffer[64] = {};
        QCOMPARE(thread.AutoRead(buffer, 10), -1);
        QCOMPARE(int(thread.openUsbConnect(0x0483, 0x5703, 200, "TAL_IX")), 0);
        QVERIFY(!thread.usbIsOpen());
        QVERIFY(thread.closeUsbConnect());
        QVERIFY(!thread.link());
        QVERIFY(!thread.receiveThread());
    }
};

QTEST_GUILESS_MAIN(TestWorkerThreads)
#include "test_workerthreads.moc"
