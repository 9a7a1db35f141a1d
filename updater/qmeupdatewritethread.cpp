#include "updater/qmeupdatewritethread.h"

#include "link/bytefields.h"
#include "link/frame.h"

#include <QDebug>
#include <QElapsedTimer>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <thread>

namespace {

constexpr int DataPayloadSize = 3 + QFirmwareImage::BlockSize;
constexpr unsigned char IdentityCode = 0x01;
constexpr int IdentitySize = 55;

// Text of a header field up to its first NUL, never beyond size bytes.
QByteArray text(const unsigned char* bytes, int size) {
    const char* chars = reinterpret_cast<const char*>(bytes);
    return QByteArray(chars, int(qstrnlen(chars, uint(size))));
}

} // namespace

QMEUpdateWriteThread::QMEUpdateWriteThread(QObject* parent)
    : QMEBaseWriteThread(parent), packet(Frame::overhead + DataPayloadSize, 0) {
    packet[0] = Frame::startByte0;
    packet[1] = Frame::startByte1;
}

QMEUpdateWriteThread::~QMEUpdateWriteThread() {
    finishThreads();
}

QMEUpdateWriteThread::SectionInfo QMEUpdateWriteThread::sectionInfo(const unsigned char* header) {
    SectionInfo info;
    info.dataSize = ByteFields::le32(header + QFirmwareImage::OffDataSize);
    info.dataCmd = header[QFirmwareImage::OffDataCmd];
    info.dataAck = header[QFirmwareImage::OffDataAck];
    info.delay = ByteFields::le32(header + QFirmwareImage::OffDelay);
    info.sectorAddrStart = quint16(ByteFields::le32(header + QFirmwareImage::OffSectorAddrStart));
    return info;
}

bool QMEUpdateWriteThread::expectedTypeMatches(const unsigned char* type, int size) const {
    const std::optional<std::string> expected = expectedDeviceType();
    return expected && text(type, size) == QByteArray::fromStdString(*expected);
}

bool QMEUpdateWriteThread::stopRequested() const {
    return stopFlag.load();
}

void QMEUpdateWriteThread::run() {
    runUpload();
    // Acknowledges the end, so that a stop waiting for it returns at once.
    ackEvent.set();
}

void QMEUpdateWriteThread::runUpload() {
    emit emitUpdateMsg(MsgProgress, 0);
    imageProblemValue = QFirmwareImage::NoProblem;
    QFirmwareImage image;
    if (firmwarePath.isEmpty()) {
        emit emitUpdateMsg(MsgImageFailed, float(NoPath));
        return;
    }
    if (image.open(firmwarePath.toUtf8()) == 0) {
        imageProblemValue = image.openProblem();
        emit emitUpdateMsg(MsgImageFailed, float(Unreadable));
        image.close();
        return;
    }
    emit emitUpdateMsg(MsgProgress, 2);
    image.header(imageHeader);
    qDebug() << "-----strSumTag--" << text(imageHeader, QFirmwareImage::HeaderSize);
    // Nothing goes to the pedal unless the image is made for it, every section lies inside the
    // file and is whole blocks, and there are blocks to count.
    const std::optional<std::string> expected = expectedDeviceType();
    const QFirmwareImage::Problem problem =
        image.check(expected ? QByteArray::fromStdString(*expected) : QByteArray());
    if (problem != QFirmwareImage::NoProblem) {
        imageProblemValue = problem;
        emit emitUpdateMsg(
            MsgImageFailed,
            float(problem == QFirmwareImage::OtherDevice ? OtherDeviceType : Unreadable));
        image.close();
        return;
    }
    sectionCount = image.sectionCount();
    totalBlocks = image.totalBlockCount();
    sectionHeaders.assign(std::size_t(sectionCount) * QFirmwareImage::SectionHeaderSize, 0);
    uploadImage(image);
    startAck = -1;
    sectionAck = -1;
    sectionHeaders.clear();
    sectionHeaders.shrink_to_fit();
    sectionData.clear();
    sectionData.shrink_to_fit();
    image.close();
}

void QMEUpdateWriteThread::uploadImage(QFirmwareImage& image) {
    startAck = imageHeader[QFirmwareImage::OffStartAck];

    const unsigned char handshake[] = {0x00, 0x00};
    if (!sendPacket(handshake, sizeof handshake) || !waitForAnswer()) {
        emit emitUpdateMsg(MsgHandshakeFailed, 4);
        return;
    }
    emit emitUpdateMsg(MsgProgress, 5);

    unsigned char start[5] = {imageHeader[QFirmwareImage::OffStartCmd]};
    std::memcpy(start + 1, imageHeader + QFirmwareImage::OffStartArg, 4);
    if (!sendPacket(start, sizeof start) || !waitForAnswer()) {
        emit emitUpdateMsg(MsgStartRejected, 9);
        return;
    }
    emit emitUpdateMsg(MsgProgress, 9);

    blocksSent = 0;
    for (int k = 1; k <= sectionCount; ++k) {
        unsigned char* header =
            sectionHeaders.data() + std::size_t(k - 1) * QFirmwareImage::SectionHeaderSize;
        image.sectionHeader(k, header);
        const SectionInfo section = sectionInfo(header);
        qDebug() << "-----DataSize---i_Delay----SectorAddrStar--" << section.dataSize
                 << section.delay << section.sectorAddrStart;
        qDebug() << "-----strBarTag--"
                 << text(sectionHeaders.data(), QFirmwareImage::SectionHeaderSize);
        image.sectionData(k, sectionData);
        if (!sendBlocks(section)) {
            sectionAck = -1;
            emit emitUpdateMsg(MsgBlockFailed, float(blockPercent() + 9));
            return;
        }
    }
    sectionAck = -1;

    emit emitUpdateMsg(MsgProgress, 99);
    // The boot loader may restart without answering the finish packet: every block has been
    // acknowledged, so an unanswered finish still completes the upload. One that never left
    // did not, nor one the boot loader refused: the pedal still waits in its boot loader.
    const unsigned char finish[] = {0xFF, 0x00};
    startStatus = -1;
    if (!sendPacket(finish, sizeof finish)) {
        emit emitUpdateMsg(MsgBlockFailed, float(blockPercent() + 9));
        return;
    }
    waitForAnswer();
    const int status = startStatus.load();
    if (status != -1 && status != 1) {
        emit emitUpdateMsg(MsgFinishRefused, 99);
        return;
    }
    // Done: the window says so while the pedal restarts into its new firmware.
    emit emitUpdateMsg(MsgProgress, 100);
    pause(completionPause.load());
    emit emitUpdateMsg(MsgComplete, 100);
}

quint64 QMEUpdateWriteThread::blockPercent() const {
    if (totalBlocks <= 0)
        return 0;
    // Overlapping sections can send more blocks than the file holds; the figure stays below 100.
    return std::min<quint64>(quint64(blocksSent) * 90 / quint64(totalBlocks), 90);
}

bool QMEUpdateWriteThread::sendBlocks(const SectionInfo& section) {
    sectionAck = section.dataAck;
    unsigned char* payload = packet.data() + Frame::codeIndex;
    // The image was checked before anything was sent; the copy bounds the loop all the same.
    const quint32 blocks = quint32(std::min<std::size_t>(section.dataSize, sectionData.size()) /
                                   QFirmwareImage::BlockSize);
    for (quint32 i = 0; i < blocks; ++i) {
        const quint16 address = quint16(section.sectorAddrStart + i);
        payload[0] = section.dataCmd;
        payload[1] = quint8(address >> 8);
        payload[2] = quint8(address & 0xFF);
        std::memcpy(payload + 3, sectionData.data() + std::size_t(i) * QFirmwareImage::BlockSize,
                    QFirmwareImage::BlockSize);

        ++blocksSent;
        const quint64 p = blockPercent();
        emit emitUpdateMsg(MsgProgress, p <= 1 ? 11.0f : float(p + 9));

        if (!sendPacket(payload, DataPayloadSize) || !waitForBlockAck()) {
            return false;
        }
        qDebug() << "-------UpdataData-----" << i;
    }
    return true;
}

bool QMEUpdateWriteThread::sendPacket(const unsigned char* payload, int length) {
    unsigned char* frame = packet.data();
    frame[2] = quint8(length & 0xFF);
    frame[3] = quint8(length >> 8);
    if (payload != frame + Frame::codeIndex) {
        std::memcpy(frame + Frame::codeIndex, payload, std::size_t(length));
    }
    ackFlag = false;
    ackEvent.reset();
    return sendFrame(frame, sendTimeoutMs);
}

bool QMEUpdateWriteThread::waitForAnswer() {
    QElapsedTimer timer;
    timer.start();
    while (!ackEvent.wait(pollMs)) {
        if (stopRequested() || !usbIsOpen() || timer.elapsed() >= answerTimeout()) {
            break;
        }
    }
    return ackFlag;
}

bool QMEUpdateWriteThread::waitForBlockAck() {
    // DealData sets the flag before it signals, so the event's reset cannot hide it.
    return ackEvent.waitUntil([this] { return ackFlag.load(); },
                              [this] { return stopRequested() || !usbIsOpen(); }, answerTimeout(),
                              pollMs);
}

void QMEUpdateWriteThread::pause(int ms) {
    QElapsedTimer timer;
    timer.start();
    while (!stopRequested() && timer.elapsed() < ms) {
        std::this_thread::sleep_for(std::chrono::milliseconds(pollMs));
    }
}

void QMEUpdateWriteThread::DealData(std::vector<unsigned char> Data) {
    const std::optional<unsigned char> code = Frame::code(Data);
    if (!code) {
        return;
    }
    if (*code == IdentityCode) {
        qDebug() << "-------- -CMD_Callback-------mReceiveCmd--------";
        // A short answer names no device type beyond its own bytes.
        unsigned char identity[IdentitySize] = {};
        const std::size_t available =
            std::min<std::size_t>(Frame::parameterCount(Data), IdentitySize);
        if (available > 0) {
            std::memcpy(identity, Frame::parameters(Data, 0, available), available);
        }
        if (expectedTypeMatches(identity, QFirmwareImage::DeviceTypeSize)) {
            ackFlag = true;
            ackEvent.set();
        }
        return;
    }
    const std::optional<unsigned char> status = Frame::parameter(Data, 0);
    if (int(*code) == startAck.load()) {
        startStatus = status ? int(*status) : 0;
        if (status == 1) {
            qDebug() << "-------- -CMD_Callback-------mReceiveCmd--------";
            ackFlag = true;
        }
        // A rejected start wakes the waiter with the flag clear.
        ackEvent.set();
        return;
    }
    if (int(*code) == sectionAck.load() && status == 1) {
        ackFlag = true;
        ackEvent.set();
    }
}
