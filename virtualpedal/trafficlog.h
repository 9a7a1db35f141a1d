#pragma once

#include <cstdio>
#include <string>

namespace virtualpedal {

// Appends text lines to a file, flushed line by line so a reader sees each one at once.
class TrafficLog {
public:
    explicit TrafficLog(const std::string& path);
    ~TrafficLog();
    TrafficLog(const TrafficLog&) = delete;
    TrafficLog& operator=(const TrafficLog&) = delete;

    void line(const std::string& text);

private:
    std::FILE* file_ = nullptr;
};

} // namespace virtualpedal
