#include "virtualpedal/trafficlog.h"

namespace virtualpedal {

TrafficLog::TrafficLog(const std::string& path) {
    if (!path.empty())
        file_ = std::fopen(path.c_str(), "a");
}

TrafficLog::~TrafficLog() {
    if (file_)
        std::fclose(file_);
}

void TrafficLog::line(const std::string& text) {
    if (!file_)
        return;
    std::fputs(text.c_str(), file_);
    std::fputc('\n', file_);
    std::fflush(file_);
}

} // namespace virtualpedal
