#pragma once

#include <libusb-1.0/libusb.h>

#include <QByteArray>
#include <QList>

// A plain libusb user of the virtual pedal for the tests: init, open, claim, frames in and out.
class PedalClient final {
public:
    enum class Pipe { Interrupt, Bulk };

    PedalClient();
    ~PedalClient();
    PedalClient(const PedalClient&) = delete;
    PedalClient& operator=(const PedalClient&) = delete;

    // Opens the device at `position` of the device list whose ids are the pedal's (0: first one),
    // configures it and claims its control interface (3 with four or more interfaces, else 0).
    bool open(int position = 0);
    void close();
    libusb_device_handle* handle() const { return handle_; }

    // Sends a frame: interrupt packets of 64 bytes with the count byte first, or bulk chunks of
    // 512 bytes zero-filled. Returns the libusb result of the first failing packet, else 0.
    int send(const QByteArray& frame, Pipe pipe = Pipe::Interrupt);
    // One IN transfer of `size` bytes (64 by default for interrupt, 512 for bulk).
    int readPacket(QByteArray& packet, int timeoutMs, Pipe pipe = Pipe::Interrupt, int size = 0);
    // Reads until `count` frames with a good check value arrived or `timeoutMs` passed.
    // Interrupt packets contribute the bytes their count byte announces.
    QList<QByteArray> readFrames(int count, int timeoutMs, Pipe pipe = Pipe::Interrupt);
    // Last libusb result of readFrames.
    int lastResult() const { return lastResult_; }

    static QByteArray frame(quint8 code, const QByteArray& params);
    static QByteArray hex(const char* text) { return QByteArray::fromHex(text); }

private:
    libusb_device_handle* handle_ = nullptr;
    int claimed_ = -1;
    QByteArray stream_;
    int lastResult_ = 0;
};
