#include "uikit/qmesingleinstance.h"

#include "settings/qmeprocesslock.h"

#include <QCryptographicHash>
#include <QDataStream>
#include <QDeadlineTimer>
#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>
#include <QThread>

#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

// Messages travel as a 32-bit length followed by UTF-8 bytes; the server answers one byte.
constexpr char kAck = 1;
// Pause before asking again when the running instance did not answer.
constexpr int kRetryMs = 20;

QString idKey(const QString& id) {
    const QByteArray hash =
        QCryptographicHash::hash(id.toUtf8(), QCryptographicHash::Sha256).toHex().left(16);
    return "talix-single-" + QString::fromLatin1(hash);
}

int remainingMs(const QDeadlineTimer& deadline) {
    return int(qMax<qint64>(0, deadline.remainingTime()));
}

} // namespace

QString QMESingleInstance::PrivateFolder() {
#ifdef Q_OS_WIN
    // The temporary folder of a Windows user lies in the user's own profile.
    return QStandardPaths::writableLocation(QStandardPaths::TempLocation);
#else
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    struct stat info;
    if (folder.isEmpty() || ::stat(QFile::encodeName(folder).constData(), &info) != 0)
        return QString();
    if (!S_ISDIR(info.st_mode) || info.st_uid != ::geteuid() || (info.st_mode & 077) != 0)
        return QString();
    return folder;
#endif
}

QString QMESingleInstance::ServerName(const QString& id) {
#ifdef Q_OS_WIN
    // Pipe names are machine-wide: name the user and the session.
    DWORD session = 0;
    ProcessIdToSessionId(GetCurrentProcessId(), &session);
    return QString("%1-%2-%3-%4")
        .arg(idKey(id), qEnvironmentVariable("USERDOMAIN"), qEnvironmentVariable("USERNAME"))
        .arg(session);
#else
    const QString folder = PrivateFolder();
    return folder.isEmpty() ? QString() : folder + "/" + idKey(id) + ".socket";
#endif
}

QString QMESingleInstance::LockPath(const QString& id) {
    const QString folder = PrivateFolder();
    return folder.isEmpty() ? QString() : folder + "/" + idKey(id) + ".lock";
}

QMESingleInstance::QMESingleInstance(const QString& id, QObject* parent)
    : QObject(parent), m_id(id) {
    const QString lockPath = LockPath(id);
    if (lockPath.isEmpty()) {
        // Anything placed in a folder others can write to could be taken over by them.
        qWarning("single instance: no private runtime folder");
        return;
    }
    m_lock = std::make_unique<QMEProcessLock>(lockPath);
    m_running = !Claim();
}

QMESingleInstance::~QMESingleInstance() {
    release();
}

bool QMESingleInstance::Claim() {
    const QMEProcessLock::Result result = m_lock->tryLock();
    if (result == QMEProcessLock::Result::Busy)
        return false;
    // A lock that cannot be taken at all says nothing about another instance: start anyway
    // rather than end without a word.
    if (result == QMEProcessLock::Result::Failed)
        qWarning("single instance: cannot lock %s", qPrintable(m_lock->path()));
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    const QString name = ServerName(m_id);
    // Holding the lock, a socket of that name can only be left over from a crash.
    if (result == QMEProcessLock::Result::Locked)
        QLocalServer::removeServer(name);
    if (!m_server->listen(name))
        qWarning("single instance: cannot listen on %s", qPrintable(name));
    connect(m_server, &QLocalServer::newConnection, this, &QMESingleInstance::OnNewConnection);
    return true;
}

void QMESingleInstance::release() {
    // The socket goes first, so that whoever takes the lock next finds its name free.
    delete m_server;
    m_server = nullptr;
    if (m_lock)
        m_lock->unlock();
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
    QByteArray frame;
    QDataStream out(&frame, QIODevice::WriteOnly);
    out << quint32(bytes.size());
    frame.append(bytes);

    const QDeadlineTimer deadline(qMax(0, timeout));
    for (;;) {
        if (SendOnce(frame, deadline))
            return true;
        // No answer: the running instance may be on its way out. Once it has let go of the
        // lock, this start is the first.
        if (Claim()) {
            m_running = false;
            return false;
        }
        if (deadline.hasExpired())
            return false;
        QThread::msleep(quint64(qMin(kRetryMs, remainingMs(deadline))));
    }
}

bool QMESingleInstance::SendOnce(const QByteArray& frame, const QDeadlineTimer& deadline) {
    QLocalSocket socket;
    socket.connectToServer(ServerName(m_id));
    if (!socket.waitForConnected(remainingMs(deadline)))
        return false;
    socket.write(frame);
    while (socket.bytesToWrite() > 0) {
        if (!socket.waitForBytesWritten(remainingMs(deadline)))
            return false;
    }
    if (!socket.waitForReadyRead(remainingMs(deadline)))
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
