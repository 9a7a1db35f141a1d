#include "link/manualresetevent.h"

#include <chrono>

ManualResetEvent::ManualResetEvent(bool initiallySet) : signalled(initiallySet) {}

void ManualResetEvent::set() {
    {
        std::lock_guard<std::mutex> lock(mutex);
        signalled = true;
    }
    changed.notify_all();
}

void ManualResetEvent::reset() {
    std::lock_guard<std::mutex> lock(mutex);
    signalled = false;
}

bool ManualResetEvent::isSet() const {
    std::lock_guard<std::mutex> lock(mutex);
    return signalled;
}

bool ManualResetEvent::wait(int timeoutMs) const {
    std::unique_lock<std::mutex> lock(mutex);
    return changed.wait_for(lock, std::chrono::milliseconds(timeoutMs < 0 ? 0 : timeoutMs),
                            [this] { return signalled; });
}

bool ManualResetEvent::waitUntil(const std::function<bool()>& arrived,
                                 const std::function<bool()>& giveUp, int timeoutMs, int pollMs) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        reset();
        if (arrived())
            return true;
        if (giveUp() || std::chrono::steady_clock::now() >= deadline)
            return false;
        wait(pollMs);
    }
}
