#pragma once

#include <condition_variable>
#include <functional>
#include <mutex>

// An event that stays signalled until it is reset; every wait has a bound.
class ManualResetEvent {
public:
    explicit ManualResetEvent(bool initiallySet = false);

    ManualResetEvent(const ManualResetEvent&) = delete;
    ManualResetEvent& operator=(const ManualResetEvent&) = delete;

    void set();
    void reset();
    bool isSet() const;

    // True when the event is (or becomes) signalled within timeoutMs; false on time-out.
    bool wait(int timeoutMs) const;

    // The one wait for an awaited answer: true as soon as `arrived` holds; false once `giveUp`
    // holds (a lost pedal, a stop request) or timeoutMs have passed. Signalling the event wakes
    // the waiter at once; without it the conditions are looked at every pollMs. The event is
    // reset before each look, so a signal between the look and the wait is never lost.
    bool waitUntil(const std::function<bool()>& arrived, const std::function<bool()>& giveUp,
                   int timeoutMs, int pollMs);

private:
    mutable std::mutex mutex;
    mutable std::condition_variable changed;
    bool signalled;
};
