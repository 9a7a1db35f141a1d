#include "link/qmebasewritethread.h"

#include "link/qmebaselibusb.h"

#include <QMetaType>

#include <chrono>
#include <thread>

QMEBaseWriteThread::QMEBaseWriteThread(QObject* parent) : QObject(parent) {
    qRegisterMetaType<std::vector<unsigned char>>("std::vector<unsigned char>");
    qRegisterMetaType<QMEBaseWriteThread::MSGType>();
    qRegisterMetaType<QMEBaseWriteThread::MSGType>("MSGType");
}

QMEBaseWriteThread::~QMEBaseWriteThread() {
    detachCallbacks();
    stopFlag = true;
    if (ownsReceiver)
        delete receiver.data();
    {
        std::lock_guard<std::mutex> lock(deviceTypeMutex);
        deviceTypeCopy.reset();
    }
    if (quitEvent.isSet()) {
        ackEvent.set();
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    quitEvent.set();
    joinWorkerBeforeDestruction();
}

void QMEBaseWriteThread::attachLink(QMEBaseLibusb* link) {
    ownsReceiver = true;
    usbLink = link;
    receiver = createReceiveThread();
    receiver->setLink(link);
    connectReceiver();
}

void QMEBaseWriteThread::attachShared(QMEBaseLibusb* link, QMEBaseReceiveThread* receiveThread) {
    ownsReceiver = false;
    usbLink = link;
    if (receiveThread)
        receiveThread->setLink(link);
    receiver = receiveThread;
    connectReceiver();
}

void QMEBaseWriteThread::connectReceiver() {
    if (!receiver)
        return;
    connect(receiver, &QMEBaseReceiveThread::emitCMDCallback, this,
            &QMEBaseWriteThread::CMDCallback, Qt::DirectConnection);
    connect(receiver, &QMEBaseReceiveThread::emitLostConnection, this,
            &QMEBaseWriteThread::LostConnection, Qt::AutoConnection);
}

void QMEBaseWriteThread::startReceiving() {
    if (receiver)
        receiver->start();
}

bool QMEBaseWriteThread::sendFrame(unsigned char* frame, int timeoutMs) {
    QMEBaseLibusb* link = usbLink.load();
    return link && link->sendFrame(frame, timeoutMs);
}

bool QMEBaseWriteThread::sendFrame(std::vector<unsigned char>& frame, int timeoutMs) {
    QMEBaseLibusb* link = usbLink.load();
    return link && link->sendFrame(frame, timeoutMs);
}

bool QMEBaseWriteThread::startWorker() {
    return restartWorker();
}

void QMEBaseWriteThread::stopWorker() {
    stopWorkerAndWait(ackEvent, ackTimeoutMs);
}

void QMEBaseWriteThread::detachCallbacks() {
    if (receiver)
        disconnect(receiver, nullptr, this, nullptr);
    // A message already on its way may still arrive after the disconnect; it finds the flag.
    std::lock_guard<std::mutex> lock(callbackMutex);
    callbacksDetached = true;
}

void QMEBaseWriteThread::finishThreads() {
    detachCallbacks();
    stopWorker();
    joinWorker(workerEndTimeoutMs);
}

int QMEBaseWriteThread::AutoRead(unsigned char* Data, int TomeOut) {
    QMEBaseLibusb* link = usbLink.load();
    return link ? link->readData(Data, TomeOut) : -1;
}

uchar QMEBaseWriteThread::openUsbConnect(ushort Vid, ushort Pid, ushort ReleaseNum,
                                         std::string deviceType) {
    {
        std::lock_guard<std::mutex> lock(deviceTypeMutex);
        deviceTypeCopy = deviceType;
    }
    QMEBaseLibusb* link = usbLink.load();
    if (!link)
        return 0;
    return static_cast<uchar>(link->openDevice(Vid, Pid, ReleaseNum, deviceType.c_str(), true));
}

std::optional<std::string> QMEBaseWriteThread::expectedDeviceType() const {
    std::lock_guard<std::mutex> lock(deviceTypeMutex);
    return deviceTypeCopy;
}

bool QMEBaseWriteThread::closeUsbConnect() {
    if (receiver)
        receiver->stop();
    if (QMEBaseLibusb* link = usbLink.load())
        link->closeDevice();
    return true;
}

void QMEBaseWriteThread::LostConnection() {
    ackEvent.set();
    if (QMEBaseLibusb* link = usbLink.load())
        link->closeDevice();
    emit emitDeviceLostConnect();
}

bool QMEBaseWriteThread::usbIsOpen() {
    QMEBaseLibusb* link = usbLink.load();
    return link && link->isOpen();
}

void QMEBaseWriteThread::CMDCallback(std::vector<unsigned char> cmd) {
    std::lock_guard<std::mutex> lock(callbackMutex);
    if (callbacksDetached)
        return;
    emit emitAnalysis(cmd);
    DealData(std::move(cmd));
}

void QMEBaseWriteThread::DealData(std::vector<unsigned char>) {}

QMEBaseReceiveThread* QMEBaseWriteThread::createReceiveThread() {
    return new QMEBaseReceiveThread();
}

void QMEBaseWriteThread::run() {}
