#include "pedalclient.h"

#include "virtualpedal/virtualpedal.h"

#include <QElapsedTimer>

PedalClient::PedalClient() {
    libusb_init(nullptr);
}

PedalClient::~PedalClient() {
    close();
    libusb_exit(nullptr);
}

bool PedalClient::open(int position) {
    close();
    libusb_device** list = nullptr;
    const ssize_t count = libusb_get_device_list(nullptr, &list);
    if (count < 0)
        return false;
    for (ssize_t k = 0; k < count && !handle_; ++k) {
        libusb_device_descriptor desc{};
        if (libusb_get_device_descriptor(list[k], &desc) != 0 || desc.idVendor != 0x0483 ||
            desc.idProduct != 0x5703 || position-- > 0)
            continue;
        libusb_config_descriptor* config = nullptr;
        if (libusb_get_config_descriptor(list[k], 0, &config) != 0)
            break;
        const int control = config->bNumInterfaces >= 4 ? 3 : 0;
        libusb_device_handle* handle = nullptr;
        if (libusb_open(list[k], &handle) == 0) {
            if (libusb_set_configuration(handle, config->bConfigurationValue) == 0 &&
                libusb_claim_interface(handle, control) == 0) {
                handle_ = handle;
                claimed_ = control;
            } else {
                libusb_close(handle);
            }
        }
        libusb_free_config_descriptor(config);
    }
    libusb_free_device_list(list, 1);
    return handle_ != nullptr;
}

void PedalClient::close() {
    if (!handle_)
        return;
    libusb_release_interface(handle_, claimed_);
    libusb_close(handle_);
    handle_ = nullptr;
    stream_.clear();
}

int PedalClient::send(const QByteArray& frame, Pipe pipe) {
    int moved = 0;
    if (pipe == Pipe::Bulk) {
        for (int at = 0; at < frame.size(); at += 512) {
            QByteArray chunk = frame.mid(at, 512);
            chunk.append(QByteArray(512 - chunk.size(), '\0'));
            const int rc =
                libusb_bulk_transfer(handle_, 0x02, reinterpret_cast<unsigned char*>(chunk.data()),
                                     chunk.size(), &moved, 100);
            if (rc != 0)
                return rc;
        }
        return 0;
    }
    for (int at = 0; at < frame.size(); at += 63) {
        QByteArray packet(64, '\0');
        const QByteArray part = frame.mid(at, 63);
        packet[0] = static_cast<char>(part.size());
        packet.replace(1, part.size(), part);
        const int rc = libusb_interrupt_transfer(
            handle_, 0x01, reinterpret_cast<unsigned char*>(packet.data()), 64, &moved, 100);
        if (rc != 0)
            return rc;
    }
    return 0;
}

int PedalClient::readPacket(QByteArray& packet, int timeoutMs, Pipe pipe, int size) {
    if (size == 0)
        size = pipe == Pipe::Bulk ? 512 : 64;
    packet = QByteArray(size, '\0');
    int moved = 0;
    const int rc =
        pipe == Pipe::Bulk
            ? libusb_bulk_transfer(handle_, 0x82, reinterpret_cast<unsigned char*>(packet.data()),
                                   size, &moved, static_cast<unsigned>(timeoutMs))
            : libusb_interrupt_transfer(handle_, 0x81,
                                        reinterpret_cast<unsigned char*>(packet.data()), size,
                                        &moved, static_cast<unsigned>(timeoutMs));
    packet.truncate(moved);
    return rc;
}

QList<QByteArray> PedalClient::readFrames(int count, int timeoutMs, Pipe pipe) {
    QList<QByteArray> frames;
    QElapsedTimer timer;
    timer.start();
    lastResult_ = 0;
    while (frames.size() < count) {
        const int left = timeoutMs - static_cast<int>(timer.elapsed());
        if (left <= 0)
            break;
        QByteArray packet;
        lastResult_ = readPacket(packet, left, pipe);
        if (lastResult_ == LIBUSB_ERROR_TIMEOUT)
            break;
        if (lastResult_ != 0)
            return frames;
        stream_.append(pipe == Pipe::Bulk ? packet : packet.mid(1, quint8(packet.at(0))));
        for (;;) {
            const int start = stream_.indexOf("\xAA\x55");
            if (start < 0 || stream_.size() < start + 4)
                break;
            const int length = quint8(stream_[start + 2]) | quint8(stream_[start + 3]) << 8;
            if (stream_.size() < start + length + 6)
                break;
            const QByteArray candidate = stream_.mid(start, length + 6);
            const auto* bytes = reinterpret_cast<const std::uint8_t*>(candidate.constData());
            const quint16 crc = virtualpedal::VirtualPedal::checkValue(bytes + 2, length + 2);
            const bool good = bytes[length + 4] == crc >> 8 && bytes[length + 5] == (crc & 0xFF);
            if (good) {
                frames.append(candidate);
                stream_.remove(0, start + length + 6);
            } else {
                stream_.remove(0, start + 1);
            }
        }
    }
    return frames;
}

QByteArray PedalClient::frame(quint8 code, const QByteArray& params) {
    std::vector<std::uint8_t> p(params.begin(), params.end());
    const std::vector<std::uint8_t> bytes = virtualpedal::VirtualPedal::frame(code, p);
    return QByteArray(reinterpret_cast<const char*>(bytes.data()), static_cast<int>(bytes.size()));
}
