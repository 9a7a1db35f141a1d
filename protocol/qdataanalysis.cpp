#include "protocol/qdataanalysis.h"

#include "link/frame.h"
#include "protocol/presetcodec.h"
#include "protocol/qusbwritethread.h"

#include <QDebug>

#include <algorithm>
#include <cstring>
#include <optional>

namespace {

constexpr int kPresetParams = 1 + PresetCodec::kBlockSize;

const char* const kFactoryNames[DeviceState::kSlotCount] = {
    "65DLX 1x12 ",    "A15 1x12",    "Twinverb.B 2x12", "AC30.S 2x12",
    "59Baseman 4x10", "1960AG 4x12", "Rect.S 4x12",     "German.V 4x12",
    "B.svt 1x15",     "B.svt 4x10",  "B.svt 8x10"};

QString textField(const unsigned char* field, size_t size) {
    const char* text = reinterpret_cast<const char*>(field);
    return QString::fromUtf8(text, static_cast<int>(strnlen(text, size)));
}

} // namespace

QDataAnalysis::QDataAnalysis(QObject* parent)
    : QObject(parent), mState(std::make_unique<DeviceState>()),
      mInfo(std::make_unique<ProductInfo>()) {}

QDataAnalysis::~QDataAnalysis() = default;

void QDataAnalysis::setWriteThread(QUsbWriteThread* thread) {
    if (mWriteThread)
        disconnect(mWriteThread, nullptr, this, nullptr);
    mWriteThread = thread;
    if (thread)
        connect(thread, &QUsbWriteThread::emitAnalysis, this, &QDataAnalysis::dataAnalysis,
                Qt::AutoConnection);
}

QUsbWriteThread* QDataAnalysis::writeThread() const {
    return mWriteThread;
}

void QDataAnalysis::dataAnalysis(std::vector<unsigned char> Data) {
    // Only the parameters inside the frame count; an answer too short for what its code reads
    // is ignored.
    const std::optional<unsigned char> code = Frame::code(Data);
    if (!code)
        return;
    const int count = static_cast<int>(Frame::parameterCount(Data));
    const unsigned char* p = Data.data() + Frame::firstParameterIndex;
    DeviceState& s = *mState;

    switch (*code) {
    case 0x01:
        if (count < 55)
            return;
        mInfo->deviceType = textField(p, 32);
        mInfo->infoText1 = textField(p + 32, 7);
        mInfo->firmwareVersion = textField(p + 39, 7);
        mInfo->infoText3 = textField(p + 46, 7);
        mInfo->runMode = textField(p + 53, 2);
        qDebug() << "----------ProductInfo---------------" << mInfo->deviceType << mInfo->infoText1
                 << mInfo->firmwareVersion << mInfo->infoText3 << mInfo->runMode;
        break;
    case 0x91:
        // A preset the pedal does not have would leave currentPreset pointing past the presets.
        if (count < 1 || p[0] >= DeviceState::kPresetCount)
            return;
        // The cabinet byte is read only for presets 0 and 1.
        if (p[0] <= 1 && count < 2)
            return;
        s.currentPreset = p[0];
        if (p[0] <= 1)
            s.activeCabinet = p[1];
        s.current = s.presets[p[0]];
        emit emitUpdatePresetIndex();
        emit emitUpdateCAB();
        break;
    case 0x92:
        setCabinetValue(Data, DeviceState::Level);
        break;
    case 0x93:
        setCabinetValue(Data, DeviceState::CabinetSlot);
        break;
    case 0x94:
        setCabinetValue(Data, DeviceState::Latency);
        break;
    case 0x95:
        setCabinetValue(Data, DeviceState::LowCut);
        break;
    case 0x96:
        setCabinetValue(Data, DeviceState::HighCut);
        break;
    case 0x97:
        if (count < 1)
            return;
        s.activeCabinet = p[0];
        break;
    case 0x98:
        if (count < 2)
            return;
        s.bypassA = p[0];
        s.bypassB = p[1];
        emit emitUpdateBypass();
        break;
    case 0x9A:
        if (count < 1 || p[0] >= DeviceState::kPresetCount || count < kPresetParams)
            return;
        s.presets[p[0]] = PresetCodec::decode(p + 1);
        s.presetsRead = true;
        if (p[0] == s.currentPreset) {
            s.current = s.presets[p[0]];
            emit emitUpdateCAB();
        }
        break;
    case 0x9C:
        if (count < 1)
            return;
        if (p[0] < DeviceState::kPresetCount) {
            if (count < kPresetParams)
                return;
            s.currentPreset = p[0];
            s.current = PresetCodec::decode(p + 1);
        } else {
            s.currentPreset = 0;
        }
        emit emitUpdateCAB();
        emit emitUpdatePresetIndex();
        break;
    case 0xE5: {
        if (count < 1 || p[0] >= DeviceState::kSlotCount)
            return;
        s.userIr[p[0]] = 0;
        DeviceState::Name& name = s.slotNames[p[0]];
        name.fill(0);
        const QByteArray factory = factoryName(p[0]).toLocal8Bit();
        std::copy_n(factory.constData(), std::min<int>(factory.size(), DeviceState::kNameSize - 1),
                    name.begin());
        emit emitUpdateIR();
        break;
    }
    case 0xE6:
        if (count < DeviceState::kSlotCount)
            return;
        std::copy_n(p, DeviceState::kSlotCount, s.userIr.begin());
        emit emitUpdateIR();
        break;
    case 0xE7:
        if (count < DeviceState::kSlotCount * DeviceState::kNameSize)
            return;
        for (int slot = 0; slot < DeviceState::kSlotCount; ++slot)
            std::copy_n(p + slot * DeviceState::kNameSize, DeviceState::kNameSize,
                        s.slotNames[slot].begin());
        emit emitUpdateIR();
        break;
    case 0xED:
        if (count < 1)
            return;
        s.deviceValue = p[0];
        break;
    default:
        break;
    }
}

void QDataAnalysis::setCabinetValue(const std::vector<unsigned char>& data, int valueIndex) {
    const unsigned char* p = Frame::parameters(data, 0, 3);
    if (!p)
        return;
    mState->activeCabinet = p[0];
    mState->current[DeviceState::valuePosition(p[0], valueIndex)] =
        static_cast<uint16_t>(p[1] << 8 | p[2]);
    emit emitUpdateCAB();
}

void QDataAnalysis::selectStoredPreset(int preset) {
    mState->currentPreset = static_cast<uint8_t>(preset);
    mState->current = mState->presets[preset];
}

void QDataAnalysis::choosePreset(int preset) {
    // Only the state is limited to the stored presets; the selection goes out for any number
    // that fits its byte.
    if (preset < 0 || preset > 0xFF)
        return;
    if (preset < DeviceState::kPresetCount)
        selectStoredPreset(preset);
    if (mWriteThread)
        mWriteThread->selectPreset(static_cast<uint8_t>(preset), mState->activeCabinet);
    emit emitUpdateCAB();
    emit emitUpdatePresetIndex();
}

void QDataAnalysis::saveCurrentPreset() {
    if (mState->currentPreset >= DeviceState::kPresetCount)
        return;
    storeCurrentPreset();
    if (mWriteThread)
        mWriteThread->writePreset(mState->currentPreset, PresetCodec::encode(mState->current));
    emit emitUpdateCAB();
    emit emitUpdatePresetIndex();
}

void QDataAnalysis::importPreset(int preset, const QByteArray& block) {
    if (block.size() < kPresetParams || preset < 0 || preset >= DeviceState::kPresetCount)
        return;
    const auto* bytes = reinterpret_cast<const uint8_t*>(block.constData());
    if (bytes[0] < DeviceState::kPresetCount)
        mState->presets[bytes[0]] = PresetCodec::decode(bytes + 1);
    if (mWriteThread)
        mWriteThread->writePreset(static_cast<uint8_t>(preset),
                                  PresetCodec::encode(mState->presets[preset]));
    selectStoredPreset(preset);
    emit emitUpdateCAB();
    emit emitUpdatePresetIndex();
}

bool QDataAnalysis::isPresetModified() const {
    if (mState->currentPreset >= DeviceState::kPresetCount)
        return false;
    return mState->current != mState->presets[mState->currentPreset];
}

void QDataAnalysis::chooseCabinetSlot(int cabinet, int slot) {
    if (cabinet == 0 || cabinet == 1)
        mState->current[DeviceState::valuePosition(cabinet, DeviceState::CabinetSlot)] =
            static_cast<uint16_t>(slot);
    if (mWriteThread)
        mWriteThread->setCabinetSlot(static_cast<uint8_t>(cabinet), static_cast<uint16_t>(slot));
    emit emitUpdateCAB();
}

int QDataAnalysis::storeValue(int cabinet, int index, int value) {
    static const int kPositions[] = {DeviceState::Level, DeviceState::Latency, DeviceState::LowCut,
                                     DeviceState::HighCut};
    const int stored = std::clamp(value, 0, static_cast<int>(PresetCodec::kValueLimit));
    if (index >= 0 && index < 4)
        mState->current[DeviceState::valuePosition(cabinet, kPositions[index])] =
            static_cast<uint16_t>(stored);
    return stored;
}

void QDataAnalysis::storeCurrentPreset() {
    if (mState->currentPreset < DeviceState::kPresetCount)
        mState->presets[mState->currentPreset] = mState->current;
}

bool QDataAnalysis::hasUserIr(int slot) const {
    return slot >= 0 && slot < DeviceState::kSlotCount && mState->userIr[slot] != 0;
}

QString QDataAnalysis::slotName(int slot) const {
    if (slot < 0 || slot >= DeviceState::kSlotCount)
        return QStringLiteral("EMPTY");
    const DeviceState::Name& name = mState->slotNames[slot];
    const size_t length = strnlen(name.data(), name.size());
    if (length == 0)
        return factoryName(slot);
    return QString::fromLocal8Bit(name.data(), static_cast<int>(length));
}

QString QDataAnalysis::factoryName(int slot) {
    if (slot < 0 || slot >= DeviceState::kSlotCount)
        return QStringLiteral("EMPTY");
    return QString::fromLatin1(kFactoryNames[slot]);
}
