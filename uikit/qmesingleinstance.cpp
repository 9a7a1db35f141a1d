#include "uikit/qmesingleinstance.h"

#include <QCryptographicHash>
#include <QDataStream>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace {

QString userKey() {
#ifdef Q_OS_UNIX
    return QString::number(::getuid());
#else
    return qEnvironmentVariable("USERNAME");
#endif
}

// Messages travel as a 32-bit length followed by UTF-8 bytes; the server answers one byte.
constexpr char kAck = 1;

} // namespace

QString QMESingleInstance::ServerName(const QString& id) {
    const QByteArray key =
        QCryptographicHash::hash((id + '\n' + userKey()).toUtf8(), QCryptographicHash::Sha256)
            .toHex()
            .left(16);
    return QString("talix-single-%1-%2").arg(QString::fromLatin1(key), userKey());
}

QString QMESingleInstance::LockPath(const QString& id) {
    return QDir::tempPath() + "/" + ServerName(id) + ".lock";
}

QMESingleInstance::QMESingleInstance(const QString& id, QObject* parent)
    : QObject(parent), m_id(id) {
    m_lock = new QLockFile(LockPath(id));
    // Stale only when its owner is gone, never by age.
    m_lock->setStaleLockTime(0);
    const bool locked = m_lock->tryLock(0);
    if (!locked && m_lock->error() == QLockFile::LockFailedError) {
        m_running = true;
        return;
    }
    // A lock that cannot be written at all says nothing about another instance: start anyway
    // rather than end without a word.
    if (!locked)
        qWarning("single instance: cannot lock %s", qPrintable(LockPath(id)));
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    const QString name = ServerName(id);
    // Holding the lock, a socket of that name can only be left over from a crash.
    if (locked)
        QLocalServer::removeServer(name);
    if (!m_server->listen(name))
        qWarning("single instance: cannot listen on %s", qPrintable(name));
    connect(m_server, &QLocalServer::newConnection, this, &QMESingleInstance::OnNewConnection);
}

QMESingleInstance::~QMESingleInstance() {
    if (m_server)
        m_server->close();
    delete m_lock;
}

QString QMESingleInstance::id() const {
    return m_id;
}

bool QMESingleInstance::isRunning() const {
    return m_running;
}

bool QMESingleInstance::sendMessage(const QString& message, int timeout) {
    if (!m_running)
        return false;
    const QByteArray bytes = message.toUtf8();
    if (bytes.size() > kMaxMessageBytes)
        return false;
    QLocalSocket socket;
    socket.connectToServer(ServerName(m_id));
    if (!socket.waitForConnected(timeout))
        return false;
    QByteArray frame;
    QDataStream out(&frame, QIODevice::WriteOnly);
    out << quint32(bytes.size());
    frame.append(bytes);
    socket.write(frame);
    if (!socket.waitForBytesWritten(timeout))
        return false;
    if (!socket.waitForReadyRead(timeout))
        return false;
    const bool acknowledged = socket.read(1) == QByteArray(1, kAck);
    socket.disconnectFromServer();
    return acknowledged;
}

void QMESingleInstance::OnNewConnection() {
    while (QLocalSocket* socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            if (socket->bytesAvailable() < 4)
                return;
            QDataStream in(socket->peek(4));
            quint32 length = 0;
            in >> length;
            if (length > quint32(kMaxMessageBytes)) {
                socket->abort();
                return;
            }
            if (socket->bytesAvailable() < qint64(4 + length))
                return;
            socket->read(4);
            const QString message = QString::fromUtf8(socket->read(length));
            socket->write(QByteArray(1, kAck));
            socket->flush();
            emit messageReceived(message);
        });
    }
}
