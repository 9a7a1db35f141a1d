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
    if (ownsReceiver && receiver) {
        QMEBaseReceiveThread* owned = receiver->current();
        receiver->withdraw();
        delete owned;
    }
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
    QMEBaseReceiveThread* created = createReceiveThread();
    created->setLink(link);
    connectReceiver(created);
}

void QMEBaseWriteThread::attachShared(QMEBaseLibusb* link, QMEBaseReceiveThread* receiveThread) {
    ownsReceiver = false;
    usbLink = link;
    receiver.reset();
    if (!receiveThread)
        return;
    receiveThread->setLink(link);
    connectReceiver(receiveThread);
}

void QMEBaseWriteThread::connectReceiver(QMEBaseReceiveThread* receiveThread) {
    receiver = receiveThread->access();
    connect(receiveThread, &QMEBaseReceiveThread::emitCMDCallback, this,
            &QMEBaseWriteThread::CMDCallback, Qt::DirectConnection);
    connect(receiveThread, &QMEBaseReceiveThread::emitLostConnection, this,
            &QMEBaseWriteThread::LostConnection, Qt::AutoConnection);
}

QMEBaseReceiveThread* QMEBaseWriteThread::receiveThread() const {
    return receiver ? receiver->current() : nullptr;
}

void QMEBaseWriteThread::startReceiving() {
    if (receiver)
        receiver->with([](QMEBaseReceiveThread& thread) { thread.start(); });
}

void QMEBaseWriteThread::stopReceiving() {
    if (receiver)
        receiver->with([](QMEBaseReceiveThread& thread) { thread.stop(); });
}

bool QMEBaseWriteThread::sendFrame(unsigned char* frame, int timeoutMs) {
    QMEBaseLibusb* link = usbLink.load();
    return link && link->sendFrame(frame, timeoutMs);
}

bool QMEBaseWriteThread::sendFrame(std::vector<unsigned char>& frame, int timeoutMs) {
    QMEBaseLibusb* link = usbLink.load();
    return link && link->sendFrame(frame, timeoutMs);
}

QUtilThread::StartResult QMEBaseWriteThread::startWorker(const std::function<void()>& prepare) {
    return startIdleWorker(prepare);
}

void QMEBaseWriteThread::stopWorker() {
    stopWorkerAndWait(ackEvent, ackTimeoutMs);
}

void QMEBaseWriteThread::detachCallbacks() {
    if (receiver)
        receiver->with(
            [this](QMEBaseReceiveThread& thread) { disconnect(&thread, nullptr, this, nullptr); });
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
    stopReceiving();
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
