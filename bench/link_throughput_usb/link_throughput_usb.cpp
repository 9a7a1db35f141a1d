// bench link_throughput_usb: the link throughput benchmark through the system libusb and the
// emulated kernel device, printed with its ratio beside the same benchmark on the linked-in
// virtual pedal. Both run under the full-speed timing model.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <sys/resource.h>
#include <unistd.h>

namespace {

// CPU seconds of the finished child processes so far.
double childCpu() {
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// Runs a command and reads time_s, wire_s and ratio from its "bench" line.
bool measure(const std::string& command, double& time, double& wire, double& ratio) {
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe)
        return false;
    char line[256];
    bool found = false;
    while (std::fgets(line, sizeof line, pipe)) {
        char name[64];
        if (std::sscanf(line, "bench %63s time_s=%lf wire_s=%lf ratio=%lf", name, &time, &wire,
                        &ratio) == 4)
            found = true;
    }
    return pclose(pipe) == 0 && found;
}

} // namespace

int main() {
    setenv("TALIX_VP_TIMING", "1", 1);
    double adapterTime = 0, adapterWire = 0, adapterRatio = 0;
    double time = 0, wire = 0, ratio = 0;
    if (!measure(ADAPTER_BENCH, adapterTime, adapterWire, adapterRatio)) {
        std::fprintf(stderr, "link_throughput_usb: the adapter benchmark failed\n");
        return 1;
    }
    // The emulated pedal lives in the runner, which takes its log from the environment.
    const char* folder = std::getenv("TMPDIR");
    std::string logPath = std::string(folder && *folder ? folder : "/tmp") + "/talix-bench-XXXXXX";
    const int logFile = mkstemp(&logPath[0]);
    if (logFile < 0) {
        std::perror("link_throughput_usb: log");
        return 1;
    }
    close(logFile);
    setenv("TALIX_VP_LOG", logPath.c_str(), 1);
    const double cpuBefore = childCpu();
    const bool measured = measure(std::string(VPEDAL_RUN) + " " + SYSTEM_BENCH, time, wire, ratio);
    unlink(logPath.c_str());
    if (!measured) {
        std::fprintf(stderr, "link_throughput_usb: the benchmark on the system libusb failed\n");
        return 1;
    }
    // The CPU of the program and the runner together, emulated device included.
    const double cpu = childCpu() - cpuBefore;
    std::printf("bench link_throughput_usb time_s=%.3f wire_s=%.3f ratio=%.3f adapter_ratio=%.3f "
                "usb_vs_adapter=%.3f cpu_s=%.3f\n",
                time, wire, ratio, adapterRatio, ratio / adapterRatio, cpu);
    return 0;
}
