#include "tests/common/xsession.h"

#include <QFile>
#include <QStandardPaths>
#include <QtTest>

#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>

XSession::~XSession() {
    if (!m_xvfb)
        return;
    m_xvfb->terminate();
    if (!m_xvfb->waitForFinished(10000)) {
        m_xvfb->kill();
        m_xvfb->waitForFinished(10000);
    }
}

bool XSession::start(QString& reason) {
    if (m_xvfb && m_xvfb->state() == QProcess::Running)
        return true;
    for (const char* tool : {"Xvfb", "xdotool"}) {
        if (QStandardPaths::findExecutable(tool).isEmpty()) {
            reason = QString("%1 is not installed").arg(tool);
            return false;
        }
    }
    m_xvfb = std::make_unique<QProcess>();
    // Xvfb picks a free display and writes its number to standard output. Without -noreset it
    // restarts when its last client leaves and refuses the program that is starting meanwhile
    // (the updater the editor hands over to).
    m_xvfb->start("Xvfb", {"-displayfd", "1", "-noreset", "-screen", "0", "1600x1000x24",
                           "-nolisten", "tcp"});
    if (!m_xvfb->waitForStarted(30000) ||
        !QTest::qWaitFor([&] { return m_xvfb->canReadLine(); }, 30000)) {
        reason = "Xvfb did not start";
        return false;
    }
    m_display = ":" + QString::fromLatin1(m_xvfb->readLine().trimmed());
    qputenv("DISPLAY", m_display.toLatin1());
    return true;
}

QByteArray XSession::run(const QString& program, const QStringList& args, int timeoutMs) {
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(timeoutMs) || p.exitStatus() != QProcess::NormalExit ||
        p.exitCode() != 0)
        return QByteArray();
    return p.readAllStandardOutput().trimmed();
}

bool XSession::xdotool(const QStringList& args) const {
    QProcess p;
    p.start("xdotool", args);
    return p.waitForFinished(30000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}

QString XSession::findWindow(const QString& name, int timeoutMs) const {
    QString id;
    const bool found = QTest::qWaitFor(
        [&] {
            id = QString::fromLatin1(run("xdotool", {"search", "--onlyvisible", "--name", name}))
                     .section('\n', 0, 0);
            return !id.isEmpty();
        },
        timeoutMs);
    return found ? id : QString();
}

QStringList XSession::windowsOf(qint64 pid) const {
    const QByteArray found =
        run("xdotool", {"search", "--onlyvisible", "--pid", QString::number(pid), "--name", ""});
    QStringList windows;
    // The search also names the root window, which belongs to no process.
    for (const QString& window : QString::fromLatin1(found).split('\n', Qt::SkipEmptyParts))
        if (windowPid(window) == pid)
            windows << window;
    return windows;
}

qint64 XSession::windowPid(const QString& window) const {
    return run("xdotool", {"getwindowpid", window}).toLongLong();
}

bool XSession::matchesEntry(const QString& window, const QString& desktopEntry) const {
    QFile file(desktopEntry);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray key = "StartupWMClass=";
    for (const QByteArray& line : file.readAll().split('\n')) {
        if (line.startsWith(key)) {
            const QString windowClass = QString::fromUtf8(line.mid(key.size()));
            const QByteArray found = run("xdotool", {"search", "--class", "^" + windowClass + "$"});
            return found.split('\n').contains(window.toLatin1());
        }
    }
    return false;
}

QString XSession::windowUnderPointer() const {
    const QByteArray shell = run("xdotool", {"getmouselocation", "--shell"});
    for (const QByteArray& line : shell.split('\n'))
        if (line.startsWith("WINDOW="))
            return QString::fromLatin1(line.mid(7));
    return QString();
}

bool XSession::moveTo(const QString& window, int x, int y) const {
    return xdotool(
        {"mousemove", "--sync", "--window", window, QString::number(x), QString::number(y)});
}

bool XSession::click(const QString& window, int x, int y) const {
    return moveTo(window, x, y) && xdotool({"click", "1"});
}

bool XSession::pressKey(const QString& window, const QString& key) const {
    // Typed on the keyboard (not sent to the window): a prompt closing on the press is gone before
    // its release, which a sent event would then miss.
    return xdotool({"windowfocus", "--sync", window}) && xdotool({"key", key});
}

bool XSession::closeWindow(const QString& window) const {
    xcb_connection_t* x = xcb_connect(m_display.toLatin1().constData(), nullptr);
    auto atom = [x](const char* name) {
        xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(
            x, xcb_intern_atom(x, 0, std::uint16_t(std::strlen(name)), name), nullptr);
        const xcb_atom_t found = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
        std::free(reply);
        return found;
    };
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = window.toUInt();
    message.type = atom("WM_PROTOCOLS");
    message.data.data32[0] = atom("WM_DELETE_WINDOW");
    xcb_generic_error_t* error =
        xcb_request_check(x, xcb_send_event_checked(x, 0, message.window, XCB_EVENT_MASK_NO_EVENT,
                                                    reinterpret_cast<const char*>(&message)));
    const bool sent = !error && !xcb_connection_has_error(x);
    std::free(error);
    xcb_disconnect(x);
    return sent;
}
