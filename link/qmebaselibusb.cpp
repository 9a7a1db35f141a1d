#include "link/qmebaselibusb.h"

#include "link/frame.h"

#include <QDebug>

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace {

// Interrupt packets carry the count of the frame bytes that follow in byte 0.
constexpr int countedPayload = QMEBaseLibusb::interruptPacketSize - 1;

// Offset of the identity payload in an answer packet: count byte, AA, 55, length, code.
constexpr int identityOffset = 6;

int controlInterfaceFor(int interfaceCount) {
    return interfaceCount >= 4 ? 3 : 0;
}

using OpenFailure = QMEBaseLibusb::OpenFailure;

// The reason a libusb call made the open fail.
OpenFailure failureOf(int error) {
    switch (error) {
    case LIBUSB_ERROR_ACCESS:
        return OpenFailure::AccessDenied;
    case LIBUSB_ERROR_BUSY:
        return OpenFailure::Busy;
    case LIBUSB_ERROR_NO_DEVICE:
        return OpenFailure::Gone;
    default:
        return OpenFailure::NoAnswer;
    }
}

} // namespace

QMEBaseLibusb::QMEBaseLibusb() {
    // A sandbox or container without USB makes it fail; libusb then has no default context.
    initResult = libusb_init(nullptr);
}

QMEBaseLibusb::~QMEBaseLibusb() {
    closeDevice();
    if (initResult == LIBUSB_SUCCESS)
        libusb_exit(nullptr);
}

void QMEBaseLibusb::setTransferMode(int mode) {
    if (mode == ModeInterrupt || mode == ModeBulk)
        transferMode = mode;
}

int QMEBaseLibusb::openDevice(std::uint16_t vendor, std::uint16_t product, std::uint16_t release,
                              const char* deviceType, bool verify) {
    // A handle still open would keep the interface claimed and leak.
    closeDevice();

    openFailure = OpenFailure::NotFound;
    openDetail.clear();
    if (initResult != LIBUSB_SUCCESS && (initResult = libusb_init(nullptr)) != LIBUSB_SUCCESS) {
        openFailure = OpenFailure::UsbUnavailable;
        openDetail = libusb_error_name(initResult);
        return OpenFailed;
    }
    libusb_device** list = nullptr;
    const ssize_t count = libusb_get_device_list(nullptr, &list);
    if (count < 0)
        return OpenFailed;

    expectedType = deviceType ? std::optional<std::string>(deviceType) : std::nullopt;

    int result = OpenFailed;
    const int mode = transferMode.load();
    if (mode != ModeNone) {
        for (ssize_t i = 0; i < count && result == OpenFailed; ++i) {
            libusb_device_descriptor descriptor{};
            if (libusb_get_device_descriptor(list[i], &descriptor) != 0)
                continue;
            if (verify) {
                qDebug() << "-------idProduct--------idVendor-----bcdDevice----------"
                         << descriptor.idProduct << descriptor.idVendor << descriptor.bcdDevice;
            }
            const bool candidate = descriptor.idProduct == product &&
                                   descriptor.idVendor == vendor && descriptor.bcdDevice != 0 &&
                                   release != 0 && (verify || descriptor.bcdDevice == release);
            if (!candidate)
                continue;
            const OpenFailure opened = openAndConfigure(list[i]);
            if (opened != OpenFailure::None) {
                noteFailure(opened, list[i]);
                continue;
            }
            result = handshake();
            if (result == OpenFailed) {
                noteFailure(handshakeFailure(), list[i]);
                closeDevice();
            }
        }
    }
    libusb_free_device_list(list, 1);

    if (result != OpenFailed) {
        openFailure = OpenFailure::None;
        releaseNumber = release;
        vendorId = vendor;
        productId = product;
    }
    return result;
}

void QMEBaseLibusb::noteFailure(OpenFailure failure, libusb_device* device) {
    // The first device that fails says why.
    if (openFailure != OpenFailure::NotFound)
        return;
    openFailure = failure;
    if (failure == OpenFailure::OtherDevice) {
        const IdentityRecord answered = getIdentity();
        openDetail.assign(answered.deviceType,
                          strnlen(answered.deviceType, sizeof answered.deviceType));
    } else if (failure == OpenFailure::AccessDenied) {
#ifdef __linux__
        char node[32];
        std::snprintf(node, sizeof node, "/dev/bus/usb/%03d/%03d", libusb_get_bus_number(device),
                      libusb_get_device_address(device));
        openDetail = node;
#else
        (void)device;
#endif
    }
}

std::string QMEBaseLibusb::lastOpenDetail() const {
    return openDetail;
}

QMEBaseLibusb::OpenFailure QMEBaseLibusb::openAndConfigure(libusb_device* candidate) {
    libusb_config_descriptor* config = nullptr;
    int rc = libusb_get_config_descriptor(candidate, 0, &config);
    if (rc != 0 || !config)
        return failureOf(rc);

    libusb_device_handle* opened = nullptr;
    OpenFailure failure = OpenFailure::None;
    if (config->bNumInterfaces == 0)
        failure = OpenFailure::NoAnswer;
    else if ((rc = libusb_open(candidate, &opened)) != 0 || !opened)
        failure = failureOf(rc);
    // A kernel driver holding the interface makes a configuration change fail with "busy" on
    // Linux: it is detached first. The configuration is set only when the active one differs.
    bool detached = false;
    const int number = controlInterfaceFor(config->bNumInterfaces);
    if (failure == OpenFailure::None && libusb_kernel_driver_active(opened, number) == 1) {
        rc = libusb_detach_kernel_driver(opened, number);
        detached = rc == 0;
        if (!detached)
            failure = rc == LIBUSB_ERROR_NO_DEVICE ? OpenFailure::Gone : OpenFailure::DriverStuck;
    }
    int active = -1;
    if (failure == OpenFailure::None && (rc = libusb_get_configuration(opened, &active)) != 0)
        failure = failureOf(rc);
    if (failure == OpenFailure::None && active != config->bConfigurationValue &&
        (rc = libusb_set_configuration(opened, config->bConfigurationValue)) != 0)
        failure = failureOf(rc);
    if (failure == OpenFailure::None) {
        interfaceCount = config->bNumInterfaces;
        if ((rc = claimControlInterface(opened, config)) != 0)
            failure = failureOf(rc);
    }
    libusb_free_config_descriptor(config);

    if (failure != OpenFailure::None) {
        if (detached)
            libusb_attach_kernel_driver(opened, number);
        if (opened)
            libusb_close(opened);
        return failure;
    }
    driverDetached = detached;
    handle = opened;
    return OpenFailure::None;
}

int QMEBaseLibusb::claimControlInterface(libusb_device_handle* opened,
                                         const libusb_config_descriptor* config) {
    const int number = controlInterfaceFor(config->bNumInterfaces);
    if (const int rc = libusb_claim_interface(opened, number); rc != 0)
        return rc;

    for (auto* address :
         {&bulkInEndpoint, &bulkOutEndpoint, &interruptInEndpoint, &interruptOutEndpoint})
        address->store(0);
    const libusb_interface& control = config->interface[number];
    for (int a = 0; a < control.num_altsetting; ++a) {
        const libusb_interface_descriptor& setting = control.altsetting[a];
        for (int e = 0; e < setting.bNumEndpoints; ++e) {
            const libusb_endpoint_descriptor& endpoint = setting.endpoint[e];
            const bool in = endpoint.bEndpointAddress > 15;
            switch (endpoint.bmAttributes & 0x03) {
            case LIBUSB_TRANSFER_TYPE_INTERRUPT:
                (in ? interruptInEndpoint : interruptOutEndpoint).store(endpoint.bEndpointAddress);
                break;
            case LIBUSB_TRANSFER_TYPE_BULK:
                (in ? bulkInEndpoint : bulkOutEndpoint).store(endpoint.bEndpointAddress);
                break;
            default:
                break;
            }
        }
    }
    return 0;
}

QMEBaseLibusb::OpenFailure QMEBaseLibusb::handshakeFailure() const {
    if (identityFailure != OpenFailure::None)
        return identityFailure;
    const IdentityRecord answered = getIdentity();
    const std::size_t typeLength = strnlen(answered.deviceType, sizeof answered.deviceType);
    const bool sameType = expectedType && typeLength < sizeof answered.deviceType &&
                          std::string(answered.deviceType, typeLength) == *expectedType;
    // The right device with a run mode of neither kind has not answered usably.
    return sameType ? OpenFailure::NoAnswer : OpenFailure::OtherDevice;
}

int QMEBaseLibusb::handshake() {
    const int mode = transferMode.load();
    std::vector<unsigned char> buffer(mode == ModeBulk ? bulkPacketSize : interruptPacketSize, 0);
    identityFailure = OpenFailure::NoAnswer;
    const bool answered = mode == ModeBulk ? requestIdentityBulk(buffer.data())
                                           : requestIdentityInterrupt(buffer.data());
    if (!answered)
        return OpenFailed;
    identityFailure = OpenFailure::None;
    return checkIdentity(buffer.data(), mode);
}

void QMEBaseLibusb::closeDevice() {
    // Waits for a frame being written and a packet being read, so neither uses a closed handle.
    std::scoped_lock lock(writeMutex, readMutex);
    libusb_device_handle* open = handle.exchange(nullptr);
    if (!open)
        return;
    const int number = controlInterfaceFor(interfaceCount);
    libusb_release_interface(open, number);
    // The interface goes back to the driver it was taken from.
    if (driverDetached)
        libusb_attach_kernel_driver(open, number);
    driverDetached = false;
    libusb_close(open);
}

int QMEBaseLibusb::claimedInterface() const {
    return isOpen() ? controlInterfaceFor(interfaceCount) : -1;
}

IdentityRecord QMEBaseLibusb::getIdentity() const {
    std::lock_guard<std::mutex> lock(identityMutex);
    return identity;
}

bool QMEBaseLibusb::writeData(const unsigned char* data, int length, int timeoutMs) {
    // Positions inside a message are 16-bit.
    if (!data || length <= 0 || length > static_cast<int>(Frame::maxLength))
        return false;
    std::lock_guard<std::mutex> lock(writeMutex);
    libusb_device_handle* open = handle.load();
    if (!open)
        return false;
    switch (transferMode.load()) {
    case ModeInterrupt:
        return writeInterrupt(open, data, length, timeoutMs);
    case ModeBulk:
        return writeBulk(open, data, length, timeoutMs);
    default:
        return false;
    }
}

bool QMEBaseLibusb::writeInterrupt(libusb_device_handle* open, const unsigned char* data,
                                   int length, int timeoutMs) {
    unsigned char packet[interruptPacketSize];
    for (int position = 0; position < length; position += countedPayload) {
        const int chunk = std::min(countedPayload, length - position);
        std::memset(packet, 0, sizeof packet);
        packet[0] = static_cast<unsigned char>(chunk);
        std::memcpy(packet + 1, data + position, static_cast<std::size_t>(chunk));
        int moved = 0;
        if (libusb_interrupt_transfer(open, interruptOutEndpoint, packet, interruptPacketSize,
                                      &moved, static_cast<unsigned>(timeoutMs)) != 0)
            return false;
    }
    return true;
}

bool QMEBaseLibusb::writeBulk(libusb_device_handle* open, const unsigned char* data, int length,
                              int timeoutMs) {
    unsigned char chunkBuffer[bulkPacketSize];
    for (int position = 0; position < length; position += bulkPacketSize) {
        const int chunk = std::min(bulkPacketSize, length - position);
        std::memset(chunkBuffer, 0, sizeof chunkBuffer);
        std::memcpy(chunkBuffer, data + position, static_cast<std::size_t>(chunk));
        int sent = 0;
        while (sent < bulkPacketSize) {
            int moved = 0;
            const int rc = libusb_bulk_transfer(open, bulkOutEndpoint, chunkBuffer + sent,
                                                bulkPacketSize - sent, &moved,
                                                static_cast<unsigned>(timeoutMs));
            if (rc == 0)
                break;
            if (rc != LIBUSB_ERROR_TIMEOUT || moved <= 0)
                return false;
            sent += moved;
        }
    }
    return true;
}

bool QMEBaseLibusb::sendFrame(unsigned char* frame, int timeoutMs) {
    if (!frame)
        return false;
    Frame::complete(frame);
    return writeData(frame, Frame::length(frame) + static_cast<int>(Frame::overhead), timeoutMs);
}

bool QMEBaseLibusb::sendFrame(std::vector<unsigned char>& frame, int timeoutMs) {
    if (!Frame::complete(frame))
        return false;
    return writeData(frame.data(), Frame::length(frame.data()) + static_cast<int>(Frame::overhead),
                     timeoutMs);
}

int QMEBaseLibusb::readData(unsigned char* buffer, int timeoutMs) {
    const int mode = transferMode.load();
    if (mode == ModeNone)
        return 0;
    if (!buffer)
        return -1;

    int moved = 0;
    int rc = 0;
    {
        std::lock_guard<std::mutex> lock(readMutex);
        libusb_device_handle* open = handle.load();
        if (!open)
            return -1;
        if (mode == ModeInterrupt)
            rc = libusb_interrupt_transfer(open, interruptInEndpoint, buffer, interruptPacketSize,
                                           &moved, static_cast<unsigned>(timeoutMs));
        else
            rc = libusb_bulk_transfer(open, bulkInEndpoint, buffer, bulkPacketSize, &moved,
                                      static_cast<unsigned>(timeoutMs));
    }
    if (rc == 0)
        return moved;
    if (rc == LIBUSB_ERROR_TIMEOUT)
        return mode == ModeInterrupt ? 0 : moved;
    if (rc == LIBUSB_ERROR_NO_DEVICE || mode == ModeBulk)
        closeDevice();
    return -1;
}

bool QMEBaseLibusb::requestIdentityInterrupt(unsigned char* buffer) {
    return requestIdentity(buffer);
}

bool QMEBaseLibusb::requestIdentityBulk(unsigned char* buffer) {
    return requestIdentity(buffer);
}

bool QMEBaseLibusb::requestIdentity(unsigned char* buffer) {
    unsigned char request[] = {0xAA, 0x55, 0x01, 0x00, 0x00, 0x00, 0x00};
    if (!sendFrame(request, identityTimeoutMs))
        return false;
    for (int attempt = 0; attempt < identityReads; ++attempt) {
        const int got = readData(buffer, identityTimeoutMs);
        if (got > 0)
            return true;
        if (got < 0) {
            // A read that found the device gone has closed the link.
            if (!isOpen())
                identityFailure = OpenFailure::Gone;
            return false;
        }
    }
    closeDevice();
    return false;
}

int QMEBaseLibusb::checkIdentity(const unsigned char* answer, int mode) {
    if (!answer || (mode != ModeInterrupt && mode != ModeBulk))
        return OpenFailed;
    IdentityRecord received;
    std::memcpy(&received, answer + identityOffset, sizeof received);
    {
        std::lock_guard<std::mutex> lock(identityMutex);
        identity = received;
    }
    // The model name must be NUL-terminated within its field to match.
    const std::size_t typeLength = strnlen(received.deviceType, sizeof received.deviceType);
    if (!expectedType || typeLength == sizeof received.deviceType ||
        std::string(received.deviceType, typeLength) != *expectedType)
        return OpenFailed;
    if (received.runMode[1] != '\0')
        return OpenFailed;
    if (received.runMode[0] == 'B')
        return OpenBootLoader;
    if (received.runMode[0] == 'A')
        return OpenRunning;
    return OpenFailed;
}
