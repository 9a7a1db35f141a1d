#include "link/qmebasereceivethread.h"

#include "link/frame.h"
#include "link/qmebaselibusb.h"

#include <chrono>
#include <thread>

namespace {

void sleepMs(int ms) {
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

} // namespace

bool QMEBaseReceiveThread::Access::with(const std::function<void(QMEBaseReceiveThread&)>& use) {
    std::lock_guard<std::mutex> lock(mutex);
    if (!thread)
        return false;
    use(*thread);
    return true;
}

QMEBaseReceiveThread* QMEBaseReceiveThread::Access::current() {
    std::lock_guard<std::mutex> lock(mutex);
    return thread;
}

void QMEBaseReceiveThread::Access::withdraw() {
    std::lock_guard<std::mutex> lock(mutex);
    thread = nullptr;
}

QMEBaseReceiveThread::QMEBaseReceiveThread(QObject* parent)
    : QObject(parent), accessPoint(std::make_shared<Access>()) {
    accessPoint->thread = this;
}

QMEBaseReceiveThread::~QMEBaseReceiveThread() {
    accessPoint->withdraw();
    stopFlag = true;
    quitEvent.set();
    // The buffer belongs to the worker until it has ended.
    joinWorkerBeforeDestruction();
}

void QMEBaseReceiveThread::setLink(QMEBaseLibusb* link) {
    usbLink = link;
}

QUtilThread::StartResult QMEBaseReceiveThread::start() {
    return startIdleWorker();
}

bool QMEBaseReceiveThread::stop() {
    return stopWorkerAndWait(finishedEvent, finishedTimeoutMs);
}

void QMEBaseReceiveThread::run() {
    // A frame cut off by a stop or a lost pedal must not swallow the next session's answers.
    receiveBuffer.clear();
    QMEBaseLibusb* link = usbLink.load();
    if (!link)
        return;

    sleepMs(20);
    for (int i = 0; i < 10 && !link->isOpen(); ++i)
        sleepMs(20);

    unsigned char packet[readBufferSize];
    while (link->isOpen()) {
        if (stopFlag) {
            finishedEvent.set();
            stopFlag = false;
            return;
        }
        sleepMs(1);
        const int count = link->readData(packet, readTimeoutMs);
        if (count < 0)
            break;
        if (count > 0)
            onData(packet, count);
    }

    finishedEvent.set();
    stopFlag = false;
    // Cleared before the report, so that whoever reconnects on it finds the worker ended.
    runningFlag = false;
    emit emitLostConnection();
}

void QMEBaseReceiveThread::onData(const unsigned char* packet, int count) {
    if (!packet || count < 2)
        return;
    // Byte 0 counts the frame bytes; everything behind it is buffered, padding included.
    receiveBuffer.insert(receiveBuffer.end(), packet + 1, packet + count);

    std::size_t scan = 0;
    for (;;) {
        std::vector<unsigned char>& buffer = receiveBuffer;
        std::size_t start = scan;
        while (start < buffer.size() && buffer[start] != Frame::startByte0)
            ++start;
        if (start == buffer.size()) {
            buffer.clear();
            return;
        }
        if (start + 1 == buffer.size()) {
            buffer.erase(buffer.begin(), buffer.begin() + static_cast<std::ptrdiff_t>(start));
            return;
        }
        if (buffer[start + 1] != Frame::startByte1) {
            scan = start + 1;
            continue;
        }
        if (buffer.size() < start + 4) {
            buffer.erase(buffer.begin(), buffer.begin() + static_cast<std::ptrdiff_t>(start));
            return;
        }
        const std::size_t frameSize = Frame::length(&buffer[start]) + Frame::overhead;
        if (buffer.size() < start + frameSize) {
            buffer.erase(buffer.begin(), buffer.begin() + static_cast<std::ptrdiff_t>(start));
            return;
        }
        // A length of 0 has no code byte: treated like a damaged frame.
        if (!Frame::check(&buffer[start], frameSize)) {
            buffer.erase(buffer.begin(), buffer.begin() + static_cast<std::ptrdiff_t>(start + 1));
            scan = 0;
            continue;
        }
        publish(std::vector<unsigned char>(buffer.begin() + static_cast<std::ptrdiff_t>(start),
                                           buffer.end()));
        buffer.erase(buffer.begin(),
                     buffer.begin() + static_cast<std::ptrdiff_t>(start + frameSize));
        scan = 0;
    }
}

void QMEBaseReceiveThread::publish(std::vector<unsigned char> message) {
    emit emitCMDCallback(std::move(message));
}
