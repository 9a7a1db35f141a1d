#pragma once

#include "link/manualresetevent.h"
#include "link/qutilthread.h"

#include <QObject>

#include <atomic>
#include <memory>
#include <mutex>
#include <vector>

class QMEBaseLibusb;

// Reads the pedal without pause on its own worker, cuts the byte stream into checked frames and
// publishes each one as a received message (the frame's AA up to the end of what was buffered).
class QMEBaseReceiveThread : public QObject, public QUtilThread {
    Q_OBJECT

public:
    static constexpr int readTimeoutMs = 100;
    static constexpr int readBufferSize = 1024;
    static constexpr int finishedTimeoutMs = 1000;

    // How the write threads reach this thread from any of their threads. The owning write
    // thread withdraws it under the lock before destroying it, so a thread sharing it never
    // calls into a receive thread that is being destroyed.
    class Access {
    public:
        // Runs use on the receive thread unless it has been withdrawn; false then.
        bool with(const std::function<void(QMEBaseReceiveThread&)>& use);
        // The receive thread, null once withdrawn; for the thread that destroys it.
        QMEBaseReceiveThread* current();
        void withdraw();

    private:
        friend class QMEBaseReceiveThread;
        std::mutex mutex;
        QMEBaseReceiveThread* thread = nullptr;
    };

    explicit QMEBaseReceiveThread(QObject* parent = nullptr);
    ~QMEBaseReceiveThread() override;

    void setLink(QMEBaseLibusb* link);
    QMEBaseLibusb* getLink() const { return usbLink.load(); }
    std::shared_ptr<Access> access() const { return accessPoint; }

    // Start the worker, refused while one runs (QUtilThread::startIdleWorker) / ask it to end.
    // stop returns true once no worker runs any more.
    StartResult start();
    bool stop();
    bool isRunning() const { return runningFlag.load(); }

    // Appends one received packet (byte 0 is its count byte) and publishes every complete,
    // checked frame. Runs on the worker; public so the assembly can be fed directly.
    virtual void onData(const unsigned char* packet, int count);

signals:
    void emitCMDCallback(std::vector<unsigned char> cmd);
    void emitLostConnection();

protected:
    void run() override;
    virtual void publish(std::vector<unsigned char> message);

    std::vector<unsigned char> receiveBuffer;
    std::atomic<QMEBaseLibusb*> usbLink{nullptr};
    ManualResetEvent finishedEvent;

private:
    std::shared_ptr<Access> accessPoint;
};
