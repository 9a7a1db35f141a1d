#pragma once

#include <QObject>
#include <QString>

#include <memory>

class QDeadlineTimer;
class QLocalServer;
class QMEProcessLock;

// One running instance per identifier, user and session. The first instance holds a lock and
// serves a local socket, both in the user's private runtime folder; later instances find the
// lock held and pass their messages over the socket. A lock or socket left behind by a crashed
// instance does not block the next start.
class QMESingleInstance : public QObject {
    Q_OBJECT
public:
    static constexpr int kMaxMessageBytes = 64 * 1024;

    explicit QMESingleInstance(const QString& id, QObject* parent = nullptr);
    ~QMESingleInstance() override;

    QString id() const;
    // True when another instance with this identifier already runs for this user.
    bool isRunning() const;
    // Sends `message` to the running instance, trying again until it answers or `timeout` ms
    // have passed in all. When the running instance ends meanwhile, this one takes its place:
    // the send fails and isRunning() turns false, so the caller starts as the first instance.
    bool sendMessage(const QString& message, int timeout = 5000);
    // Gives up the lock and the socket, so that a start from now on is the first instance.
    void release();

    // The folder of the lock and the socket: the user's runtime folder when it is the user's
    // own and closed to everybody else, otherwise empty (no single instance then).
    static QString PrivateFolder();
    // The names used for this identifier and user: the local socket and the lock file.
    static QString ServerName(const QString& id);
    static QString LockPath(const QString& id);

signals:
    void messageReceived(const QString& message);

private:
    // Becomes the first instance unless another holds the lock (false).
    bool Claim();
    bool SendOnce(const QByteArray& frame, const QDeadlineTimer& deadline);
    void OnNewConnection();

    QString m_id;
    std::unique_ptr<QMEProcessLock> m_lock;
    QLocalServer* m_server = nullptr;
    bool m_running = false;
};
