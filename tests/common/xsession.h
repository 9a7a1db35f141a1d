#pragma once

#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QStringList>

#include <memory>

// A private X display (Xvfb) on which a test presses a real program's buttons with xdotool, as a
// person would.
class XSession final {
public:
    XSession() = default;
    ~XSession();
    XSession(const XSession&) = delete;
    XSession& operator=(const XSession&) = delete;

    // Starts the display once and points DISPLAY at it; false with the reason when it cannot run.
    bool start(QString& reason);
    QString display() const { return m_display; }

    // The first visible window whose name matches, waiting for it; empty when none showed.
    QString findWindow(const QString& name, int timeoutMs = 60000) const;
    // The visible windows of a process.
    QStringList windowsOf(qint64 pid) const;
    qint64 windowPid(const QString& window) const;
    // Whether the window's class (WM_CLASS) is the StartupWMClass of the desktop entry file, by
    // which the desktop ties the window to the entry's menu item and icon.
    bool matchesEntry(const QString& window, const QString& desktopEntry) const;
    // The window under the pointer.
    QString windowUnderPointer() const;
    bool click(const QString& window, int x, int y) const;
    bool moveTo(const QString& window, int x, int y) const;
    // Gives the window the keyboard focus and presses the key there.
    bool pressKey(const QString& window, const QString& key) const;
    // Asks the window to close as a window manager does for Alt+F4 or the task bar's close
    // button: the WM_DELETE_WINDOW message of the window's WM_PROTOCOLS.
    bool closeWindow(const QString& window) const;
    bool xdotool(const QStringList& args) const;

    // Runs a command to its end and gives its output; empty when it failed.
    static QByteArray run(const QString& program, const QStringList& args, int timeoutMs = 30000);

private:
    std::unique_ptr<QProcess> m_xvfb;
    QString m_display;
};
