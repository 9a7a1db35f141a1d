#include "protocol/commandframes.h"

#include "link/frame.h"

#include <QFileInfo>

#include <algorithm>

namespace CommandFrames {

namespace {

uint8_t high(uint16_t value) {
    return static_cast<uint8_t>(value >> 8);
}
uint8_t low(uint16_t value) {
    return static_cast<uint8_t>(value & 0xFF);
}

Bytes build(uint8_t code, const std::vector<uint8_t>& params) {
    return Frame::make(code, params);
}

Bytes cabinetValue(uint8_t code, uint8_t cabinet, uint16_t value) {
    return build(code, {cabinet, high(value), low(value)});
}

} // namespace

Bytes requestIdentity() {
    return build(0x00, {});
}

Bytes selectPreset(uint8_t preset, uint8_t cabinet) {
    return build(0x91, {preset, cabinet});
}

Bytes setLevel(uint8_t cabinet, uint16_t value) {
    return cabinetValue(0x92, cabinet, value);
}

Bytes setCabinetSlot(uint8_t cabinet, uint16_t slot) {
    return cabinetValue(0x93, cabinet, slot);
}

Bytes setLatency(uint8_t cabinet, uint16_t value) {
    return cabinetValue(0x94, cabinet, value);
}

Bytes setLowCut(uint8_t cabinet, uint16_t value) {
    return cabinetValue(0x95, cabinet, value);
}

Bytes setHighCut(uint8_t cabinet, uint16_t value) {
    return cabinetValue(0x96, cabinet, value);
}

Bytes selectCabinet(uint8_t cabinet) {
    return build(0x97, {cabinet});
}

Bytes setBypass(uint8_t bypassA, uint8_t bypassB) {
    return build(0x98, {bypassA, bypassB});
}

Bytes requestPreset(uint8_t preset) {
    return build(0x99, {preset});
}

Bytes writePreset(uint8_t preset, const PresetCodec::Block& values) {
    std::vector<uint8_t> params{preset};
    params.insert(params.end(), values.begin(), values.end());
    return build(0x9A, params);
}

Bytes requestCurrent() {
    return build(0x9B, {});
}

Bytes resetDevice() {
    return build(0xE1, {1});
}

Bytes irData(uint8_t slot, uint8_t sequence, const uint8_t* lane) {
    std::vector<uint8_t> params{slot, sequence};
    params.insert(params.end(), lane, lane + kIrLaneSize);
    params.push_back(0);
    return build(0xE2, params);
}

Bytes irName(uint8_t slot, const QByteArray& name) {
    std::vector<uint8_t> params(2 + kIrNameSize, 0);
    params[0] = slot;
    params[1] = kIrNameSequence;
    const int count = std::min(static_cast<int>(name.size()), kIrNameSize);
    std::copy(name.constData(), name.constData() + count, params.begin() + 2);
    return build(0xE2, params);
}

QByteArray irFileName(const QString& path) {
    const QFileInfo file(path);
    const QString name = file.baseName().isEmpty() ? file.fileName() : file.baseName();
    QByteArray bytes;
    // Grown a character at a time: a cut inside one would show a broken character on the pedal.
    for (int end = 0; end < name.size();) {
        const int next = end + (name.at(end).isHighSurrogate() && end + 1 < name.size() ? 2 : 1);
        const QByteArray longer = name.left(next).toLocal8Bit();
        if (longer.size() > kIrNameSize)
            break;
        bytes = longer;
        end = next;
    }
    return bytes;
}

Bytes deleteUserIr(uint8_t slot) {
    return build(0xE4, {slot});
}

Bytes enterUpdateMode() {
    return build(0xEB, {1});
}

Bytes requestIrList() {
    return build(0xEC, {1});
}

Bytes finishConnect() {
    return build(0xEE, {});
}

Bytes beginBackup() {
    return build(0xE8, {1});
}

Bytes requestBackupBlock(uint16_t block) {
    return build(0xEA, {high(block), low(block)});
}

Bytes writeBackupBlock(uint16_t block, const QByteArray& data) {
    if (data.size() > kMaxBackupBlockSize)
        return {};
    std::vector<uint8_t> params(2 + std::size_t(data.size()));
    params[0] = high(block);
    params[1] = low(block);
    std::copy(data.constBegin(), data.constEnd(), params.begin() + 2);
    return build(0xE9, params);
}

} // namespace CommandFrames
