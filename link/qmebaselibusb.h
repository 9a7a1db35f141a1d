#pragma once

#include "link/identityrecord.h"

#include <libusb.h>

#include <atomic>
#include <cstdint>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

// The only code that touches the USB bus: finds and opens the pedal, confirms its identity and
// moves packets. One instance per program, shared by every thread. Writes are serialised per
// whole frame, so the packets of two frames never interleave; closing waits for a running
// transfer, so no thread uses a handle that another one has closed.
class QMEBaseLibusb {
public:
    enum TransferMode { ModeNone = 0, ModeInterrupt = 1, ModeBulk = 2 };
    enum OpenResult { OpenFailed = 0, OpenBootLoader = 1, OpenRunning = 2 };
    // Why the last open did not succeed.
    enum class OpenFailure {
        None,           // it succeeded
        NotFound,       // no device with the ids on the bus
        AccessDenied,   // the device may not be opened by this user
        Busy,           // another program holds the device or its interface
        DriverStuck,    // a kernel driver holds the interface and cannot be detached
        OtherDevice,    // the ids match, the identity names another device type (getIdentity())
        NoAnswer,       // opened, but no usable identity came back
        Gone,           // the device went away during the open
        UsbUnavailable, // libusb could not start: no USB here for this program
    };

    static constexpr int interruptPacketSize = 64;
    static constexpr int bulkPacketSize = 512;
    static constexpr int identityTimeoutMs = 100;
    static constexpr int identityReads = 5;

    QMEBaseLibusb();
    virtual ~QMEBaseLibusb();

    QMEBaseLibusb(const QMEBaseLibusb&) = delete;
    QMEBaseLibusb& operator=(const QMEBaseLibusb&) = delete;

    // 1 interrupt, 2 bulk; anything else is ignored. Call before openDevice.
    void setTransferMode(int mode);

    // 0 not found or failed, 1 pedal in its boot loader ("B"), 2 running pedal ("A").
    int openDevice(std::uint16_t vendorId, std::uint16_t productId, std::uint16_t releaseNumber,
                   const char* deviceType, bool verify);
    void closeDevice();

    // Sends a whole frame by the current mode; false on any failure, with no handle or no mode.
    bool writeData(const unsigned char* data, int length, int timeoutMs);

    // Completes the check value from the length field and sends L + 6 bytes; the buffer must
    // hold them. The vector form refuses a vector shorter than its frame.
    bool sendFrame(unsigned char* frame, int timeoutMs);
    bool sendFrame(std::vector<unsigned char>& frame, int timeoutMs);

    // One packet into buffer (64 bytes in interrupt mode, 512 in bulk mode): byte count, 0 when
    // nothing arrived in time or no mode is set, -1 on failure or without a handle.
    int readData(unsigned char* buffer, int timeoutMs);

    // Send the identity request and read the answer into a zeroed buffer of 64 (interrupt) or
    // 512 (bulk) bytes.
    virtual bool requestIdentityInterrupt(unsigned char* buffer);
    virtual bool requestIdentityBulk(unsigned char* buffer);
    // Copies the identity out of an answer (at least 61 bytes) and judges it: 0, 1 or 2.
    virtual int checkIdentity(const unsigned char* answer, int mode);

    // Why the last openDevice returned 0; the first failing device of several counts.
    OpenFailure lastOpenFailure() const { return openFailure.load(); }
    // What that failure names, empty when nothing: the device node this user may not open
    // (where the system has one), the device type another device answered, or libusb's error
    // when USB could not start.
    std::string lastOpenDetail() const;

    bool isOpen() const { return handle.load() != nullptr; }
    libusb_device_handle* getHandle() const { return handle.load(); }
    IdentityRecord getIdentity() const;
    int getInterfaceCount() const { return interfaceCount.load(); }
    // Interface claimed by the last successful open, -1 while closed.
    int claimedInterface() const;
    std::uint8_t getBulkInEndpoint() const { return bulkInEndpoint; }
    std::uint8_t getBulkOutEndpoint() const { return bulkOutEndpoint; }
    std::uint8_t getInterruptInEndpoint() const { return interruptInEndpoint; }
    std::uint8_t getInterruptOutEndpoint() const { return interruptOutEndpoint; }
    std::uint16_t getReleaseNumber() const { return releaseNumber; }
    std::uint16_t getVendorId() const { return vendorId; }
    std::uint16_t getProductId() const { return productId; }

protected:
    // Written while opening, read by every thread that moves packets or asks.
    std::atomic<std::uint8_t> bulkInEndpoint{0};
    std::atomic<std::uint8_t> bulkOutEndpoint{0};
    std::atomic<std::uint8_t> interruptInEndpoint{0};
    std::atomic<std::uint8_t> interruptOutEndpoint{0};
    std::atomic<int> interfaceCount{0};
    std::atomic<libusb_device_handle*> handle{nullptr};
    std::atomic<int> transferMode{ModeNone};
    std::atomic<std::uint16_t> releaseNumber{0};
    std::atomic<std::uint16_t> vendorId{0};
    std::atomic<std::uint16_t> productId{0};
    std::optional<std::string> expectedType;
    IdentityRecord identity{};

private:
    // OpenFailure::None when the device is open and its control interface claimed.
    OpenFailure openAndConfigure(libusb_device* candidate);
    // Keeps the first failure of an open and what it names.
    void noteFailure(OpenFailure failure, libusb_device* device);
    int claimControlInterface(libusb_device_handle* opened, const libusb_config_descriptor* config);
    // Why a handshake that gave OpenFailed failed.
    OpenFailure handshakeFailure() const;
    int handshake();
    bool requestIdentity(unsigned char* buffer);
    bool writeInterrupt(libusb_device_handle* open, const unsigned char* data, int length,
                        int timeoutMs);
    bool writeBulk(libusb_device_handle* open, const unsigned char* data, int length,
                   int timeoutMs);

    // The open took the control interface from a kernel driver; closing gives it back.
    bool driverDetached = false;
    std::atomic<OpenFailure> openFailure{OpenFailure::NotFound};
    std::string openDetail;
    // libusb_init's result for the default context: no libusb call is made without one.
    int initResult = LIBUSB_ERROR_OTHER;
    // How the last identity request ended, for the open's failure reason.
    OpenFailure identityFailure = OpenFailure::None;
    std::mutex writeMutex; // held for a whole frame
    std::mutex readMutex;  // held for one packet read
    mutable std::mutex identityMutex;
};
