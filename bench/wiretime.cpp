#include "bench/wiretime.h"

#include <QList>

namespace {

constexpr int PacketData = 63; // frame bytes per interrupt packet

} // namespace

int WireTime::packets(int frameBytes) {
    return (frameBytes + PacketData - 1) / PacketData;
}

std::vector<WireTime::Frame> WireTime::frames(const QByteArray& log) {
    std::vector<Frame> out;
    for (const QByteArray& line : log.split('\n')) {
        const QList<QByteArray> fields = line.simplified().split(' ');
        const bool sent = fields[0] == "OUT";
        // Start bytes, length field and code come first.
        if ((!sent && fields[0] != "IN") || fields.size() < 6)
            continue;
        out.push_back({sent, fields[5].toInt(nullptr, 16), int(fields.size()) - 1});
    }
    return out;
}

void WireTime::add(const Frame& frame) {
    if (frame.out) {
        in += packets(answerBytes);
        answerBytes = 0;
        out += packets(frame.bytes);
        asked = true;
    } else if (asked) {
        answerBytes += frame.bytes;
    }
}

void WireTime::addLog(const QByteArray& log) {
    for (const Frame& frame : frames(log))
        add(frame);
}
