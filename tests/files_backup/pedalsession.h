#pragma once

#include "files/qbackupwritethread.h"
#include "link/qmebaselibusb.h"
#include "protocol/qdataanalysis.h"
#include "protocol/qusbwritethread.h"

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QPair>

#include <cstdint>
#include <memory>
#include <vector>

// The editor's device objects against the virtual pedal: link, write thread (owning the receive
// thread), parser and backup thread attached to the same link. Records every progress message
// as the main window receives it, queued onto the test's thread.
class PedalSession final : public QObject {
    Q_OBJECT

public:
    using Environment = QList<QPair<QByteArray, QByteArray>>;
    using Message = QPair<int, int>; // (progress, message type)
    static constexpr int Progress = QMEBaseWriteThread::MSG_PROGRESS;
    static constexpr int Stopped = QMEBaseWriteThread::MSG_STOPPED;
    static constexpr int Finished = QMEBaseWriteThread::MSG_FINISHED;
    static constexpr int Failed = QMEBaseWriteThread::MSG_FAILED;
    using Frames = std::vector<std::vector<std::uint8_t>>;

    explicit PedalSession(const Environment& environment = {});
    ~PedalSession() override;

    // Opens the pedal as the editor does (result 2), starts receiving and forgets the open's
    // frames.
    bool open();

    QMEBaseLibusb& link() { return usbLink; }
    QUsbWriteThread& writeThread() { return *usbThread; }
    QBackupWriteThread& backupThread() { return *backup; }
    QDataAnalysis& analysis() { return *parser; }

    // Waits (bounded) until the last message of a transfer is not a progress message.
    static bool waitForEnd(const QList<Message>& messages, int timeoutMs);

    // Frames the pedal received since open(), in order.
    static Frames framesSent();
    static std::vector<std::uint8_t> frame(std::uint8_t code,
                                           const std::vector<std::uint8_t>& params);
    // A 114688-byte image unlike the pedal's factory pattern.
    static QByteArray randomImage(quint32 seed);
    // Replaces the pedal's memory image; false when the pedal is not active.
    static bool setPedalImage(const QByteArray& image);
    static QByteArray pedalImage();

    QList<Message> backupMessages;
    QList<Message> recallMessages;

private:
    // Sets the pedal's variables before the link starts the bus; unsets them after it ended.
    struct ScopedEnvironment {
        explicit ScopedEnvironment(const Environment& environment);
        ~ScopedEnvironment();
        QList<QByteArray> names;
    };

    ScopedEnvironment variables;
    QMEBaseLibusb usbLink;
    std::unique_ptr<QUsbWriteThread> usbThread;
    std::unique_ptr<QDataAnalysis> parser;
    std::unique_ptr<QBackupWriteThread> backup;
};
