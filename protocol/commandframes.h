#pragma once

#include "protocol/presetcodec.h"

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <vector>

// Byte layouts of the editor's commands. Each builder returns a whole frame of L + 6 bytes with
// its check value.
namespace CommandFrames {

using Bytes = std::vector<uint8_t>;

constexpr int kIrLaneSize = 512;
constexpr int kIrNameSize = 50;
constexpr uint8_t kIrNameSequence = 12;
// The longest backup block that still fits a frame of at most 65535 bytes.
constexpr int kMaxBackupBlockSize = 65535 - 6 - 3;

Bytes requestIdentity();
Bytes selectPreset(uint8_t preset, uint8_t cabinet);
Bytes setLevel(uint8_t cabinet, uint16_t value);
Bytes setCabinetSlot(uint8_t cabinet, uint16_t slot);
Bytes setLatency(uint8_t cabinet, uint16_t value);
Bytes setLowCut(uint8_t cabinet, uint16_t value);
Bytes setHighCut(uint8_t cabinet, uint16_t value);
Bytes selectCabinet(uint8_t cabinet);
Bytes setBypass(uint8_t bypassA, uint8_t bypassB);
Bytes requestPreset(uint8_t preset);
Bytes writePreset(uint8_t preset, const PresetCodec::Block& values);
Bytes requestCurrent();
Bytes resetDevice();
// One byte lane of 512 samples (kIrLaneSize bytes read from lane), sequence 0–11.
Bytes irData(uint8_t slot, uint8_t sequence, const uint8_t* lane);
// The name bytes, cut to kIrNameSize, zero-padded; sequence 12.
Bytes irName(uint8_t slot, const QByteArray& name);
// The name an IR file gets on the pedal: its base name (its whole name when that is empty) in the
// local 8-bit encoding, cut after the last whole character within kIrNameSize bytes.
QByteArray irFileName(const QString& path);
Bytes deleteUserIr(uint8_t slot);
Bytes enterUpdateMode();
Bytes requestIrList();
Bytes finishConnect();
Bytes beginBackup();
Bytes requestBackupBlock(uint16_t block);
// Empty when data is longer than kMaxBackupBlockSize.
Bytes writeBackupBlock(uint16_t block, const QByteArray& data);

} // namespace CommandFrames
