// talix-vpedal-run <program> [args]: runs an unmodified program on the system libusb against the
// pedal emulated as a kernel USB device. The TALIX_VP_* variables configure the pedal as for the
// LD_PRELOAD pedal; the state file is kept. SIGUSR1 unplugs the pedal, SIGUSR2 plugs it in again;
// SIGTERM, SIGINT and SIGHUP are passed on to every program it serves. The programs hand over to
// each other (the editor starts the updater and ends), so the pedal is served until the program
// and every program it started have ended; the runner then exits with the program's status.
#include "virtualpedal/usbfs/usbfspedal.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <dirent.h>
#include <fstream>
#include <linux/capability.h>
#include <string>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

sigset_t handledSignals() {
    sigset_t set;
    sigemptyset(&set);
    for (int signal : {SIGCHLD, SIGTERM, SIGINT, SIGHUP, SIGUSR1, SIGUSR2})
        sigaddset(&set, signal);
    return set;
}

// The runner's children: the program and the orphans of the programs it started, which the kernel
// hands to the runner as their subreaper.
std::vector<pid_t> children() {
    std::vector<pid_t> found;
    const pid_t self = getpid();
    DIR* proc = opendir("/proc");
    if (!proc)
        return found;
    while (const dirent* entry = readdir(proc)) {
        const pid_t pid = static_cast<pid_t>(std::atol(entry->d_name));
        if (pid <= 0)
            continue;
        // "pid (name) state ppid ...": the name may hold brackets, so read after the last one.
        std::ifstream stat("/proc/" + std::string(entry->d_name) + "/stat");
        std::string line;
        std::getline(stat, line);
        const std::size_t end = line.rfind(')');
        if (end != std::string::npos && end + 4 < line.size() &&
            std::atol(line.c_str() + end + 4) == self)
            found.push_back(pid);
    }
    closedir(proc);
    return found;
}

// Notes how the program ended, so that a caller sees it while the programs it started still run.
void noteEnd(int status) {
    if (WIFSIGNALED(status))
        std::fprintf(stderr, "talix-vpedal-run: program ended by signal %d\n", WTERMSIG(status));
    else
        std::fprintf(stderr, "talix-vpedal-run: program ended, exit code %d\n",
                     WEXITSTATUS(status));
    std::fflush(stderr);
}

// Serves the signals until the program and all it started have ended; the program's wait status.
int serve(virtualpedal::UsbfsPedal& pedal, pid_t program, const sigset_t& signals) {
    int programStatus = 0;
    for (;;) {
        for (;;) {
            int status = 0;
            const pid_t ended = waitpid(-1, &status, WNOHANG);
            if (ended < 0)
                return programStatus; // no child left
            if (ended == 0)
                break;
            if (ended == program) {
                programStatus = status;
                noteEnd(status);
            }
        }
        const int signal = sigwaitinfo(&signals, nullptr);
        if (signal == SIGUSR1) {
            pedal.unplug();
        } else if (signal == SIGUSR2) {
            pedal.replug();
        } else if (signal > 0 && signal != SIGCHLD) {
            for (pid_t child : children())
                kill(child, signal);
        }
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

        // Programs started by the program, and left by it, stay the runner's children.
        prctl(PR_SET_CHILD_SUBREAPER, 1);
        const pid_t pid = fork();
        if (pid == 0) {
            pthread_sigmask(SIG_UNBLOCK, &signals, nullptr);
            // A runner killed outright must not leave the program running without its device.
            prctl(PR_SET_PDEATHSIG, SIGTERM);
            // Root opens any file whatever its permissions; without these rights the program
            // meets the node's refusal as a user without access does.
            if (pedal.deniesOpen() && geteuid() == 0) {
                prctl(PR_CAPBSET_DROP, CAP_DAC_OVERRIDE, 0, 0, 0);
                prctl(PR_CAPBSET_DROP, CAP_DAC_READ_SEARCH, 0, 0, 0);
            }
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
