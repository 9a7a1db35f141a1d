// talix-vpedal-run <program> [args]: runs an unmodified program on the system libusb against the
// pedal emulated as a kernel USB device. The TALIX_VP_* variables configure the pedal as for the
// LD_PRELOAD pedal; the state file is kept. SIGUSR1 unplugs the pedal, SIGUSR2 plugs it in again;
// SIGTERM, SIGINT and SIGHUP are passed on to the program. Exits with the program's status.
#include "virtualpedal/usbfs/usbfspedal.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

sigset_t handledSignals() {
    sigset_t set;
    sigemptyset(&set);
    for (int signal : {SIGCHLD, SIGTERM, SIGINT, SIGHUP, SIGUSR1, SIGUSR2})
        sigaddset(&set, signal);
    return set;
}

// Waits for the program, serving the signals meanwhile; its wait status.
int serve(virtualpedal::UsbfsPedal& pedal, pid_t pid, const sigset_t& signals) {
    for (;;) {
        int status = 0;
        if (waitpid(pid, &status, WNOHANG) == pid)
            return status;
        const int signal = sigwaitinfo(&signals, nullptr);
        if (signal == SIGUSR1)
            pedal.unplug();
        else if (signal == SIGUSR2)
            pedal.replug();
        else if (signal > 0 && signal != SIGCHLD)
            kill(pid, signal);
    }
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: talix-vpedal-run <program> [args]\n");
        return 2;
    }
    // Blocked before the testbed starts its threads, so that only serve() takes them.
    const sigset_t signals = handledSignals();
    pthread_sigmask(SIG_BLOCK, &signals, nullptr);

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

        const pid_t pid = fork();
        if (pid == 0) {
            pthread_sigmask(SIG_UNBLOCK, &signals, nullptr);
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
        status = serve(pedal, pid, signals);
    }
    g_object_unref(testbed);
    if (WIFSIGNALED(status))
        return 128 + WTERMSIG(status);
    return WEXITSTATUS(status);
}
