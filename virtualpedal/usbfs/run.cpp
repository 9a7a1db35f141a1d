// talix-vpedal-run <program> [args]: runs an unmodified program on the system libusb against the
// pedal emulated as a kernel USB device. The TALIX_VP_* variables configure the pedal as for the
// LD_PRELOAD pedal; the state file is kept. Exits with the program's status.
#include "virtualpedal/usbfs/usbfspedal.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

volatile sig_atomic_t child = 0;

void forward(int signal) {
    if (child > 0)
        kill(child, signal);
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: talix-vpedal-run <program> [args]\n");
        return 2;
    }
    UMockdevTestbed* testbed = umockdev_testbed_new();
    int status = 0;
    {
        virtualpedal::UsbfsPedal pedal(testbed);
        std::string error;
        if (!pedal.attach(error)) {
            std::fprintf(stderr, "talix-vpedal-run: %s\n", error.c_str());
            g_object_unref(testbed);
            return 2;
        }
        const char* preload = std::getenv("LD_PRELOAD");
        std::string libraries = "libumockdev-preload.so.0";
        if (preload && *preload)
            libraries += std::string(":") + preload;

        struct sigaction action {};
        action.sa_handler = forward;
        for (int signal : {SIGTERM, SIGINT, SIGHUP})
            sigaction(signal, &action, nullptr);

        const pid_t pid = fork();
        if (pid == 0) {
            // A runner killed outright must not leave the program running without its device.
            prctl(PR_SET_PDEATHSIG, SIGTERM);
            setenv("LD_PRELOAD", libraries.c_str(), 1);
            execvp(argv[1], argv + 1);
            std::fprintf(stderr, "talix-vpedal-run: cannot run %s\n", argv[1]);
            _exit(127);
        }
        if (pid < 0) {
            std::perror("talix-vpedal-run: fork");
            g_object_unref(testbed);
            return 2;
        }
        child = pid;
        while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
        }
    }
    g_object_unref(testbed);
    if (WIFSIGNALED(status))
        return 128 + WTERMSIG(status);
    return WEXITSTATUS(status);
}
