#pragma once

#include <QByteArray>

#include <vector>

// The wire time every benchmark reports against: a full-speed link carrying one 64-byte packet
// (63 frame bytes) per millisecond and direction. Exchanges with the pedal are stop-and-wait,
// the host sends a request and waits for its answer before it sends the next, so packets of the
// two directions pass one after the other and their times add up. Answers to one request share
// packets, as the pedal packs them; answers before the first request are not waited for.
class WireTime final {
public:
    // One frame of the pedal's traffic log ("OUT AA 55 ..." received, "IN AA 55 ..." sent).
    struct Frame {
        bool out = false;
        int code = -1;
        int bytes = 0;
    };

    static int packets(int frameBytes);
    // The frames of a part of the traffic log, in order; event and damaged-frame lines are left
    // out.
    static std::vector<Frame> frames(const QByteArray& log);

    void add(const Frame& frame);
    // Every frame of a part of the traffic log.
    void addLog(const QByteArray& log);
    // Leaves out the answers to the last request, for a transfer that ends without them.
    void dropLastAnswers() { answerBytes = 0; }

    long outPackets() const { return out; }
    long inPackets() const { return in + packets(answerBytes); }
    double seconds() const { return double(outPackets() + inPackets()) / 1000.0; }

private:
    long out = 0;
    long in = 0;         // packets of the answers to earlier requests
    int answerBytes = 0; // answer bytes since the last request
    bool asked = false;
};
