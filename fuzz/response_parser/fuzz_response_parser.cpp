// Feeds arbitrary received messages to the response parser. Input: the bytes behind a frame's
// AA 55 (length field, code, parameters, anything). The parser lives across inputs, so sequences
// of answers build up state; after each one the state must still make sense.
#include "protocol/devicestate.h"
#include "protocol/qdataanalysis.h"

#include <QMetaObject>
#include <QtGlobal>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

namespace {

void require(bool condition) {
    if (!condition)
        std::abort();
}

void checkState(const QDataAnalysis& parser) {
    const DeviceState& s = *parser.deviceState();
    require(s.currentPreset < DeviceState::kPresetCount);
    for (const DeviceState::Values& preset : s.presets)
        for (int i = 0; i < DeviceState::kValueCount; ++i)
            require(preset[i] <=
                    (i % DeviceState::kCabinetValueCount == DeviceState::CabinetSlot ? 10 : 100));
    for (int slot = -1; slot <= DeviceState::kSlotCount; ++slot)
        require(!parser.slotName(slot).isNull());
    parser.isPresetModified();
}

// The identity answer writes a debug line; thousands of them would only slow the run.
void quiet(QtMsgType, const QMessageLogContext&, const QString&) {}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    qInstallMessageHandler(quiet);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static QDataAnalysis parser;
    std::vector<unsigned char> message{0xAA, 0x55};
    message.insert(message.end(), data, data + size);
    QMetaObject::invokeMethod(&parser, "dataAnalysis", Qt::DirectConnection,
                              Q_ARG(std::vector<unsigned char>, message));
    checkState(parser);
    return 0;
}
