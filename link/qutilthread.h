#pragma once

#include "link/manualresetevent.h"

#include <atomic>
#include <memory>
#include <mutex>
#include <thread>

// Minimal worker-thread base: a worker calls run once and ends when it returns.
class QUtilThread {
public:
    // Longest time a stop or restart waits for a worker to end. Workers notice a stop request
    // within one of their own bounded waits (at most 5000 ms for an acknowledgement).
    static constexpr int workerEndTimeoutMs = 6000;

    QUtilThread();
    virtual ~QUtilThread();

    QUtilThread(const QUtilThread&) = delete;
    QUtilThread& operator=(const QUtilThread&) = delete;

    // True while a worker has been started and not yet been joined.
    bool hasWorker() const;

protected:
    virtual void run() = 0;

    // Starts a worker running run(); false while a previous worker has not been joined.
    bool launchWorker();
    // Joins the worker if it ends within timeoutMs (true also when there is none). A worker
    // cannot join itself: called on the worker, it returns false.
    bool joinWorker(int timeoutMs);
    // For destructors: the worker must not outlive the members it uses. It has been asked to
    // end and ends within one of its bounded waits.
    void joinWorkerBeforeDestruction();

    // Start: signals the quit event, waits (bounded) for a previous worker, then starts a new
    // one with cleared stop and set running flags. False if the previous worker did not end.
    bool restartWorker();
    // Stop: sets the stop flag; unless the worker has already been told to quit or is not
    // running, signals the quit event, waits (bounded) for the worker to end and then for
    // doneEvent, which the ending worker signals. False if the worker did not end in time.
    bool stopWorkerAndWait(ManualResetEvent& doneEvent, int doneTimeoutMs);

    ManualResetEvent quitEvent;
    std::atomic<bool> stopFlag{false};
    std::atomic<bool> runningFlag{false};

private:
    mutable std::mutex control; // guards worker between the threads that start and stop it
    std::thread worker;
    // Shared with the worker, which signals it after run returned.
    std::shared_ptr<ManualResetEvent> workerEnded;
};
