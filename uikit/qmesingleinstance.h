#pragma once

#include <QObject>
#include <QString>

class QLocalServer;
class QLockFile;

// One running instance per identifier and user. The first instance holds a lock file and serves
// a local socket; later instances find the lock held and pass their messages over the socket.
// A lock or socket left behind by a crashed instance does not block the next start.
class QMESingleInstance : public QObject {
    Q_OBJECT
public:
    static constexpr int kMaxMessageBytes = 64 * 1024;

    explicit QMESingleInstance(const QString& id, QObject* parent = nullptr);
    ~QMESingleInstance() override;

    QString id() const;
    // True when another instance with this identifier already runs for this user.
    bool isRunning() const;
    // Sends `message` to the running instance; false when there is none or it did not answer
    // within `timeout` ms.
    bool sendMessage(const QString& message, int timeout = 5000);

    // The names used for this identifier and user: the local socket and the lock file.
    static QString ServerName(const QString& id);
    static QString LockPath(const QString& id);

signals:
    void messageReceived(const QString& message);

private:
    void OnNewConnection();

    QString m_id;
    QLockFile* m_lock = nullptr;
    QLocalServer* m_server = nullptr;
    bool m_running = false;
};
