#include "settings/qmeprocesslock.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QThread>

#ifdef Q_OS_WIN
#include <QDir>

#include <windows.h>
#else
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

// Pause between attempts while another process holds the lock.
constexpr int kRetryMs = 2;

} // namespace

QMEProcessLock::QMEProcessLock(const QString& path) : m_path(path) {}

QMEProcessLock::~QMEProcessLock() {
    unlock();
}

QString QMEProcessLock::path() const {
    return m_path;
}

#ifdef Q_OS_WIN

QMEProcessLock::Result QMEProcessLock::tryLock() {
    if (isLocked())
        return Result::Locked;
    const QString native = QDir::toNativeSeparators(m_path);
    HANDLE handle = CreateFileW(reinterpret_cast<const wchar_t*>(native.utf16()),
                                GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return Result::Failed;
    OVERLAPPED whole = {};
    if (!LockFileEx(handle, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &whole)) {
        const DWORD error = GetLastError();
        CloseHandle(handle);
        return error == ERROR_LOCK_VIOLATION ? Result::Busy : Result::Failed;
    }
    m_handle = handle;
    return Result::Locked;
}

void QMEProcessLock::unlock() {
    if (!m_handle)
        return;
    // Closing the handle drops the lock.
    CloseHandle(static_cast<HANDLE>(m_handle));
    m_handle = nullptr;
}

bool QMEProcessLock::isLocked() const {
    return m_handle != nullptr;
}

#else

QMEProcessLock::Result QMEProcessLock::tryLock() {
    if (isLocked())
        return Result::Locked;
    const QByteArray name = QFile::encodeName(m_path);
    const int fd = ::open(name.constData(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0)
        return Result::Failed;
    struct stat info;
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || info.st_uid != ::geteuid()) {
        ::close(fd);
        return Result::Failed;
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int error = errno;
        ::close(fd);
        return error == EWOULDBLOCK ? Result::Busy : Result::Failed;
    }
    // The file is never removed: removing it could let two processes lock two different files.
    m_fd = fd;
    return Result::Locked;
}

void QMEProcessLock::unlock() {
    if (m_fd < 0)
        return;
    ::close(m_fd);
    m_fd = -1;
}

bool QMEProcessLock::isLocked() const {
    return m_fd >= 0;
}

#endif

QMEProcessLock::Result QMEProcessLock::lock(int timeoutMs) {
    const QDeadlineTimer deadline(timeoutMs);
    for (;;) {
        const Result result = tryLock();
        if (result != Result::Busy || deadline.hasExpired())
            return result;
        QThread::msleep(quint64(qMin<qint64>(kRetryMs, deadline.remainingTime())));
    }
}
