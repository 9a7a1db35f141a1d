// Starts the real editor on the virtual pedal under its own Xvfb and measures it from outside:
//   bench editor_start time_s=<launch to window mapped, median of 3> rss_mb=<resident once shown>
//   bench editor_idle cpu_pct=<CPU over 10 s, connected through the switch and idle>
// Needs Xvfb and xdotool (scripts/setup-packages). Prints figures, asserts nothing.
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QThread>

#include <xcb/xcb.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include <poll.h>
#include <unistd.h>

namespace {

constexpr int kStarts = 3;
constexpr int kIdleSeconds = 10;

bool waitUntil(int timeoutMs, const std::function<bool()>& done) {
    QElapsedTimer timer;
    timer.start();
    while (!done()) {
        if (timer.elapsed() > timeoutMs)
            return false;
        QThread::msleep(10);
    }
    return true;
}

// Waits for the first top-level window mapped on the display; 0 on time-out.
xcb_window_t waitForMap(xcb_connection_t* x, int timeoutMs) {
    QElapsedTimer timer;
    timer.start();
    pollfd fd{xcb_get_file_descriptor(x), POLLIN, 0};
    while (timer.elapsed() < timeoutMs) {
        while (xcb_generic_event_t* event = xcb_poll_for_event(x)) {
            const bool mapped = (event->response_type & 0x7f) == XCB_MAP_NOTIFY;
            const auto* map = reinterpret_cast<xcb_map_notify_event_t*>(event);
            const xcb_window_t window = mapped && !map->override_redirect ? map->window : 0;
            free(event);
            if (window)
                return window;
        }
        poll(&fd, 1, 50);
    }
    return 0;
}

long statusKb(qint64 pid, const char* field) {
    QFile status(QString("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith(field))
            return line.mid(int(strlen(field))).trimmed().split(' ').value(0).toLong();
    return 0;
}

// User plus system time of the process, in clock ticks.
long cpuTicks(qint64 pid) {
    QFile stat(QString("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return 0;
    const QByteArray text = stat.readAll();
    // Fields after the command name, which may hold spaces, start after the last ')'.
    const QList<QByteArray> fields = text.mid(text.lastIndexOf(')') + 2).split(' ');
    return fields.value(11).toLong() + fields.value(12).toLong();
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    int display = 99;
    while (QFile::exists(QString("/tmp/.X%1-lock").arg(display)) ||
           QFile::exists(QString("/tmp/.X11-unix/X%1").arg(display)))
        ++display;
    const QString name = QString(":%1").arg(display);

    QProcess xvfb;
    xvfb.start("Xvfb", {name, "-noreset", "-screen", "0", "1600x1000x24", "-nolisten", "tcp"});
    xcb_connection_t* x = nullptr;
    const bool up = xvfb.waitForStarted(10000) && waitUntil(20000, [&] {
                        if (x)
                            xcb_disconnect(x);
                        x = xcb_connect(name.toLatin1().constData(), nullptr);
                        return !xcb_connection_has_error(x);
                    });
    if (!up) {
        std::fprintf(stderr, "bench_editor: Xvfb did not start\n");
        return 1;
    }
    xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(x)).data;
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(x, screen->root, XCB_CW_EVENT_MASK, &mask);
    xcb_flush(x);

    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("DISPLAY", name);
    env.insert("LD_PRELOAD", PRELOAD_LIBRARY);
    env.insert("TALIX_VP_STATE", dir.filePath("pedal.state"));
    env.insert("TALIX_VP_LOG", dir.filePath("traffic.log"));
    env.insert("HOME", dir.filePath("home"));
    env.insert("XDG_DATA_HOME", dir.filePath("home/data"));
    env.insert("TMPDIR", dir.path());
    env.remove("QT_QPA_PLATFORM");

    std::vector<double> times;
    QProcess editor;
    editor.setProcessEnvironment(env);
    editor.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    xcb_window_t window = 0;
    long rssKb = 0;
    for (int i = 0; i < kStarts; ++i) {
        if (editor.state() != QProcess::NotRunning) {
            editor.kill();
            editor.waitForFinished(10000);
        }
        QElapsedTimer timer;
        timer.start();
        editor.start(EDITOR_PROGRAM, QStringList());
        window = waitForMap(x, 30000);
        if (!window) {
            std::fprintf(stderr, "bench_editor: the editor window was not mapped\n");
            return 1;
        }
        times.push_back(timer.nsecsElapsed() / 1e9);
        QThread::msleep(500); // first paint done
        rssKb = statusKb(editor.processId(), "VmRSS:");
    }
    std::sort(times.begin(), times.end());
    std::printf("bench editor_start time_s=%.3f rss_mb=%.1f\n", times[kStarts / 2], rssKb / 1024.0);
    std::fflush(stdout);

    // Connect through the switch, which has the keyboard focus when the window opens.
    QProcessEnvironment xenv = QProcessEnvironment::systemEnvironment();
    xenv.insert("DISPLAY", name);
    QProcess xdotool;
    xdotool.setProcessEnvironment(xenv);
    const QString id = QString::number(window);
    xdotool.start("xdotool", {"windowfocus", "--sync", id, "key", "--window", id, "space"});
    xdotool.waitForFinished(20000);
    const bool connected = waitUntil(30000, [&] {
        QFile log(dir.filePath("traffic.log"));
        // The device value is the pedal's last answer of the connect sequence.
        static const QRegularExpression deviceValue("^IN AA 55 .. .. ED",
                                                    QRegularExpression::MultilineOption);
        return log.open(QIODevice::ReadOnly) && deviceValue.match(log.readAll()).hasMatch();
    });
    if (!connected) {
        std::fprintf(stderr, "bench_editor: the editor did not connect\n");
    } else {
        QThread::msleep(1000);
        const long before = cpuTicks(editor.processId());
        QThread::sleep(kIdleSeconds);
        const long ticks = cpuTicks(editor.processId()) - before;
        std::printf("bench editor_idle cpu_pct=%.2f\n",
                    100.0 * ticks / sysconf(_SC_CLK_TCK) / kIdleSeconds);
    }
    editor.kill();
    editor.waitForFinished(10000);
    xcb_disconnect(x);
    xvfb.kill();
    xvfb.waitForFinished(10000);
    return connected ? 0 : 1;
}
