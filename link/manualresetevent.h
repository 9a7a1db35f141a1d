#pragma once

#include <condition_variable>
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

private:
    mutable std::mutex mutex;
    mutable std::condition_variable changed;
    bool signalled;
};
