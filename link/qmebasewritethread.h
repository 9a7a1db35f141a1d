#pragma once

#include "link/manualresetevent.h"
#include "link/qmebasereceivethread.h"
#include "link/qutilthread.h"

#include <QObject>

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

class QMEBaseLibusb;

// Base of every sending thread: owns the device connection, turns received messages into
// DealData calls and emitAnalysis, and a lost device into emitDeviceLostConnect.
//
// A subclass whose run or DealData uses its own members calls finishThreads() first in its
// destructor, so neither runs any more once those members are gone.
class QMEBaseWriteThread : public QObject, public QUtilThread {
    Q_OBJECT

public:
    // Type of a transfer progress message.
    enum MSGType { MSG_PROGRESS = 0, MSG_STOPPED = 1, MSG_FINISHED = 2, MSG_FAILED = 3 };
    Q_ENUM(MSGType)

    // Longest time stopWorker waits for the acknowledgement event once the worker has ended.
    static constexpr int ackTimeoutMs = 200;
    // Bound of every wait for one of the pedal's answers.
    static constexpr int answerTimeoutMs = 5000;

    explicit QMEBaseWriteThread(QObject* parent = nullptr);
    ~QMEBaseWriteThread() override;

    // Creates and owns a receive thread for link.
    void attachLink(QMEBaseLibusb* link);
    // Shares another write thread's link and receive thread (not owned).
    void attachShared(QMEBaseLibusb* link, QMEBaseReceiveThread* receiveThread);

    QMEBaseLibusb* link() const { return usbLink.load(); }
    // Null without one, and once the write thread owning a shared one has destroyed it.
    QMEBaseReceiveThread* receiveThread() const;

    void startReceiving();

    // Completes the frame's check value and sends L + 6 bytes; false without a link.
    bool sendFrame(unsigned char* frame, int timeoutMs);
    bool sendFrame(std::vector<unsigned char>& frame, int timeoutMs);

    // Starts a worker running run(), refused with Busy while one runs (the running worker and
    // its settings stay as they are); prepare stores the new worker's settings once the start
    // is certain.
    StartResult startWorker(const std::function<void()>& prepare = {});
    // Ask the worker to end and wait (bounded) for it and for the acknowledgement event.
    void stopWorker();
    // True from a start until the worker's run has returned.
    bool isWorkerRunning() const { return runningFlag.load(); }

    int answerTimeout() const { return answerWaitMs.load(); }
    // Tests shorten the bound so a silent pedal costs them less time; the programs keep it.
    void setAnswerTimeout(int ms) { answerWaitMs.store(ms); }

signals:
    void emitDeviceLostConnect();
    void emitAnalysis(std::vector<unsigned char> cmd);

public slots:
    int AutoRead(unsigned char* Data, int TomeOut = 100);
    uchar openUsbConnect(ushort Vid, ushort Pid, ushort ReleaseNum, std::string deviceType);
    bool closeUsbConnect();
    virtual void LostConnection();
    bool usbIsOpen();

protected slots:
    void CMDCallback(std::vector<unsigned char> cmd);
    virtual void DealData(std::vector<unsigned char> Data);

protected:
    virtual QMEBaseReceiveThread* createReceiveThread();
    void run() override;

    // Stops the worker and stops delivering received messages to this object; returns once no
    // DealData runs any more.
    void finishThreads();
    // Stops the receive thread, safe from any thread while its owner may be destroying it.
    void stopReceiving();

    std::atomic<QMEBaseLibusb*> usbLink{nullptr};
    // Shared: a shared receive thread dies with the write thread that owns it.
    std::shared_ptr<QMEBaseReceiveThread::Access> receiver;
    bool ownsReceiver = true;
    ManualResetEvent ackEvent;

    // The device type of the last openUsbConnect, for workers and DealData on other threads.
    std::optional<std::string> expectedDeviceType() const;

private:
    void connectReceiver(QMEBaseReceiveThread* receiveThread);
    void detachCallbacks();

    std::mutex callbackMutex; // held while a received message is handled
    mutable std::mutex deviceTypeMutex;
    std::optional<std::string> deviceTypeCopy;
    bool callbacksDetached = false;
    std::atomic<int> answerWaitMs{answerTimeoutMs};
};
