#pragma once

#include <QString>

// An exclusive lock across processes, taken on a lock file. The system drops it when its holder
// ends in any way, so a lock file left behind by a crash, empty or not, never blocks anybody;
// the file itself stays and is reused. A lock file owned by another user is never used.
class QMEProcessLock final {
public:
    enum class Result { Locked, Busy, Failed };

    explicit QMEProcessLock(const QString& path);
    ~QMEProcessLock();
    QMEProcessLock(const QMEProcessLock&) = delete;
    QMEProcessLock& operator=(const QMEProcessLock&) = delete;

    // One attempt: Busy when another holder has it, Failed when the file cannot be used.
    Result tryLock();
    // Attempts until the lock is taken, it fails, or `timeoutMs` has passed (Busy).
    Result lock(int timeoutMs);
    void unlock();
    bool isLocked() const;
    QString path() const;

private:
    QString m_path;
#ifdef Q_OS_WIN
    void* m_handle = nullptr;
#else
    int m_fd = -1;
#endif
};
