// Feeds arbitrary OUT traffic to the pedal model, and arbitrary bytes to the state-file reader.
// Byte 0 picks the target: 0 running pedal, 1 boot loader, 2 state file.

#include "virtualpedal/pedalconfig.h"
#include "virtualpedal/pedalmodel.h"
#include "virtualpedal/pedalstate.h"

#include <cstdint>
#include <cstdlib>
#include <vector>

using virtualpedal::PedalConfig;
using virtualpedal::PedalModel;
using virtualpedal::PedalState;

namespace {

void drain(PedalModel& model, PedalModel::Pipe pipe, PedalModel::Clock::time_point now) {
    std::vector<std::uint8_t> packet;
    while (model.takePacket(pipe, now, packet)) {
        const std::size_t size = pipe == PedalModel::Pipe::Bulk ? PedalModel::bulkPacketSize
                                                                : PedalModel::interruptPacketSize;
        if (packet.size() != size || (pipe == PedalModel::Pipe::Interrupt && packet[0] > 63))
            std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1)
        return 0;
    const std::uint8_t target = data[0] % 3;
    ++data;
    --size;
    if (target == 2) {
        // A loaded file need not be byte-identical to what the pedal writes back (bytes behind
        // the version's NUL, repeated block addresses), but what it writes must load unchanged.
        PedalState state;
        if (PedalState::deserialize(std::vector<std::uint8_t>(data, data + size), state)) {
            const std::vector<std::uint8_t> written = state.serialize();
            PedalState again;
            if (!PedalState::deserialize(written, again) || again.serialize() != written)
                std::abort();
        }
        return 0;
    }
    static const PedalConfig config;
    static const PedalState factory = PedalState::factory();
    PedalState state = factory;
    state.runMode = target == 1 ? 'B' : 'A';
    PedalModel model(config, config.deviceType, state, nullptr, nullptr);
    const auto now = PedalModel::Clock::now();
    // Alternate: a 64-byte interrupt packet, then a bulk chunk of up to 512 bytes.
    std::size_t at = 0;
    bool bulk = false;
    while (at < size && model.present()) {
        const std::size_t chunk = std::min<std::size_t>(size - at, bulk ? 512 : 64);
        const PedalModel::Pipe pipe = bulk ? PedalModel::Pipe::Bulk : PedalModel::Pipe::Interrupt;
        model.receive(pipe, data + at, chunk, now);
        drain(model, pipe, now);
        model.advance(now);
        at += chunk;
        bulk = !bulk;
    }
    return 0;
}
