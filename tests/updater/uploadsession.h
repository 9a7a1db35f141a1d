#pragma once

#include "link/qmebaselibusb.h"
#include "tests/updater/firmwareimagebuilder.h"
#include "updater/qmeupdatewritethread.h"

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QPair>
#include <QString>

#include <atomic>
#include <cstdint>
#include <vector>

// One upload against the virtual pedal in its boot loader: sets the pedal's environment, opens
// the link as the updater window does and records every update message on the test's thread.
class UploadSession final : public QObject {
    Q_OBJECT

public:
    using Message = QPair<int, float>;
    using Environment = QList<QPair<QByteArray, QByteArray>>;

    explicit UploadSession(const Environment& environment = {});
    // One pedal variable besides the boot-loader run mode.
    UploadSession(const QByteArray& name, const QByteArray& value);
    ~UploadSession() override = default;

    QMEUpdateWriteThread& thread() { return updateThread; }
    // Shorter than the updater's, for the cases that sit through them: the pause after a
    // finished upload, and (with shortenWaits) the wait for an answer run to its bound.
    static constexpr int kShortPauseMs = 100;
    static constexpr int kShortAnswerMs = 1000;
    void shortenWaits();
    // Opens the pedal (1 for its boot loader), starts receiving and forgets the open's frames.
    int open();
    bool start(const QString& firmwarePath);
    // Waits (bounded) for the last message of an upload: a failure type or type 10.
    bool waitForEnd(int timeoutMs);
    bool ended() const;

    QList<Message> messages;
    int lostConnections = 0;
    // Identification answers (code 1) received since open(), counted on the receive thread.
    std::atomic<int> identityAnswers{0};

    using Frames = std::vector<std::vector<std::uint8_t>>;
    // Frames the pedal received since open(), in order.
    static Frames framesSent();
    // What an upload of the image sends: handshake, start, the first `blocks` data blocks (all
    // with -1) and, when asked, the finish packet.
    static Frames expectedFrames(const FirmwareImageBuilder& image, int blocks, bool finish);
    // Block addresses of the data frames among frames.
    static QList<int> addresses(const Frames& frames, quint8 dataCmd);

private:
    // Set before the link exists (the pedal reads them when the link starts libusb).
    struct PedalEnvironment {
        explicit PedalEnvironment(const Environment& environment);
        ~PedalEnvironment();
        QList<QByteArray> names;
    };

    PedalEnvironment pedalEnvironment;
    QMEBaseLibusb link;
    QMEUpdateWriteThread updateThread;
};
