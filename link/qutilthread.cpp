#include "link/qutilthread.h"

#include <QDebug>

QUtilThread::QUtilThread() = default;

QUtilThread::~QUtilThread() {
    joinWorkerBeforeDestruction();
}

bool QUtilThread::hasWorker() const {
    std::lock_guard<std::mutex> lock(control);
    return worker.joinable();
}

bool QUtilThread::launchWorker() {
    std::lock_guard<std::mutex> lock(control);
    if (worker.joinable())
        return false;
    workerEnded = std::make_shared<ManualResetEvent>();
    worker = std::thread([this, ended = workerEnded] {
        run();
        runningFlag = false;
        ended->set();
    });
    return true;
}

bool QUtilThread::joinWorker(int timeoutMs) {
    std::shared_ptr<ManualResetEvent> ended;
    {
        std::lock_guard<std::mutex> lock(control);
        if (!worker.joinable())
            return true;
        if (worker.get_id() == std::this_thread::get_id())
            return false;
        ended = workerEnded;
    }
    // Not holding the lock while waiting: the worker may itself start or stop workers.
    if (!ended->wait(timeoutMs))
        return false;
    std::lock_guard<std::mutex> lock(control);
    if (worker.joinable() && workerEnded == ended)
        worker.join();
    return true;
}

void QUtilThread::joinWorkerBeforeDestruction() {
    if (joinWorker(workerEndTimeoutMs))
        return;
    std::lock_guard<std::mutex> lock(control);
    if (worker.get_id() == std::this_thread::get_id()) {
        // Destroyed by its own worker: nothing may wait for it, and nothing is left to run.
        worker.detach();
        return;
    }
    qWarning() << "worker did not end in" << workerEndTimeoutMs << "ms; waiting for it";
    worker.join();
}

QUtilThread::StartResult QUtilThread::startIdleWorker(const std::function<void()>& prepare) {
    if (!joinWorker(finishingGraceMs))
        return StartResult::Busy;
    if (prepare)
        prepare();
    stopFlag = false;
    runningFlag = true;
    quitEvent.reset();
    launchWorker();
    return StartResult::Started;
}

bool QUtilThread::stopWorkerAndWait(ManualResetEvent& doneEvent, int doneTimeoutMs) {
    stopFlag = true;
    if (quitEvent.isSet() || !runningFlag)
        return !hasWorker() || joinWorker(0);
    quitEvent.set();
    if (!joinWorker(workerEndTimeoutMs))
        return false;
    doneEvent.wait(doneTimeoutMs);
    return true;
}
