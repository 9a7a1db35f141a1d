#pragma once

#include "link/manualresetevent.h"

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

// Minimal worker-thread base: a worker calls run once and ends when it returns.
class QUtilThread {
public:
    // Longest time a stop waits for a worker to end. Workers notice a stop request within one
    // of their own bounded waits (a 5 ms poll, or a send of at most 500 ms).
    static constexpr int workerEndTimeoutMs = 6000;
    // A start finding a worker that has sent its last message gives it this long to return.
    static constexpr int finishingGraceMs = 50;

    // What a start request did. True only when a new worker was started. Busy: a worker of
    // this object is still running; it was left alone and nothing of it was changed.
    // Cancelled: the user chose nothing to start.
    class StartResult {
    public:
        enum Value { Started, Busy, Cancelled };
        StartResult(Value value) : result(value) {}
        explicit operator bool() const { return result == Started; }
        bool operator==(Value other) const { return result == other; }
        bool operator!=(Value other) const { return result != other; }
        Value value() const { return result; }

    private:
        Value result;
    };

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

    // Start, refused while a worker runs: Busy at once (after the short grace for a worker
    // that is just returning), leaving the running worker and its settings alone. Otherwise
    // calls prepare (to store the new worker's settings) and starts a new worker with cleared
    // stop and set running flags. The running flag clears when run returns.
    StartResult startIdleWorker(const std::function<void()>& prepare = {});
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
