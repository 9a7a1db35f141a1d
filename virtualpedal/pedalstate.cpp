#include "virtualpedal/pedalstate.h"

#include <algorithm>
#include <cstring>

namespace virtualpedal {

namespace {

const char magic[8] = {'T', 'V', 'P', 'S', 'T', 'A', 'T', '1'};
constexpr std::size_t versionSize = 8;

class Reader {
public:
    explicit Reader(const std::vector<std::uint8_t>& data) : data_(data) {}
    bool take(void* out, std::size_t size) {
        if (data_.size() - pos_ < size)
            return false;
        std::memcpy(out, data_.data() + pos_, size);
        pos_ += size;
        return true;
    }
    bool atEnd() const { return pos_ == data_.size(); }

private:
    const std::vector<std::uint8_t>& data_;
    std::size_t pos_ = 0;
};

void put(std::vector<std::uint8_t>& out, const void* data, std::size_t size) {
    const auto* bytes = static_cast<const std::uint8_t*>(data);
    out.insert(out.end(), bytes, bytes + size);
}

} // namespace

PedalState PedalState::factory() {
    PedalState state;
    for (int p = 0; p < presetCount; ++p) {
        const int values[10] = {10 + 5 * p, p % 11,       p,     3 * p,      100 - p,
                                80 - 5 * p, (p + 5) % 11, 2 * p, 50 - 3 * p, 60 + 2 * p};
        for (int i = 0; i < 10; ++i)
            setValue(state.presets[p], i, values[i]);
    }
    state.current = state.presets[0];
    for (auto& lanes : state.irLanes)
        lanes.assign(laneCount * laneSize, 0);
    state.memoryImage.resize(imageSize);
    for (int k = 0; k < imageSize; ++k)
        state.memoryImage[k] = imagePattern(k);
    return state;
}

std::uint8_t PedalState::imagePattern(int k) {
    return static_cast<std::uint8_t>(k * 7 + k / blockSize);
}

int PedalState::value(const Preset& preset, int index) {
    return preset[2 * index] << 8 | preset[2 * index + 1];
}

void PedalState::setValue(Preset& preset, int index, int value) {
    preset[2 * index] = static_cast<std::uint8_t>(value >> 8);
    preset[2 * index + 1] = static_cast<std::uint8_t>(value);
}

int PedalState::maximum(int index) {
    return index == 1 || index == 6 ? 10 : 100;
}

std::vector<std::uint8_t> PedalState::serialize() const {
    std::vector<std::uint8_t> out;
    put(out, magic, sizeof magic);
    for (const Preset& preset : presets)
        put(out, preset.data(), preset.size());
    put(out, &currentPreset, 1);
    put(out, current.data(), current.size());
    put(out, &bypassA, 1);
    put(out, &bypassB, 1);
    put(out, userIr.data(), userIr.size());
    for (const auto& name : irNames)
        put(out, name.data(), name.size());
    for (const auto& lanes : irLanes) {
        std::vector<std::uint8_t> fixed(lanes);
        fixed.resize(laneCount * laneSize);
        put(out, fixed.data(), fixed.size());
    }
    std::vector<std::uint8_t> image(memoryImage);
    image.resize(imageSize);
    put(out, image.data(), image.size());
    char version[versionSize] = {};
    std::memcpy(version, firmwareVersion.data(), std::min(firmwareVersion.size(), versionSize - 1));
    put(out, version, sizeof version);
    put(out, &runMode, 1);
    put(out, &deviceValue, 1);
    auto blocks = static_cast<std::uint32_t>(bootBlocks.size());
    put(out, &blocks, sizeof blocks);
    for (const auto& [address, data] : bootBlocks) {
        std::vector<std::uint8_t> block(data);
        block.resize(blockSize);
        put(out, &address, sizeof address);
        put(out, block.data(), block.size());
    }
    return out;
}

bool PedalState::deserialize(const std::vector<std::uint8_t>& data, PedalState& out) {
    Reader in(data);
    PedalState state = factory();
    char head[sizeof magic];
    if (!in.take(head, sizeof head) || std::memcmp(head, magic, sizeof magic) != 0)
        return false;
    bool ok = true;
    for (Preset& preset : state.presets)
        ok = ok && in.take(preset.data(), preset.size());
    ok = ok && in.take(&state.currentPreset, 1) && in.take(state.current.data(), presetSize) &&
         in.take(&state.bypassA, 1) && in.take(&state.bypassB, 1) &&
         in.take(state.userIr.data(), slotCount);
    for (auto& name : state.irNames)
        ok = ok && in.take(name.data(), nameSize);
    for (auto& lanes : state.irLanes)
        ok = ok && in.take(lanes.data(), lanes.size());
    ok = ok && in.take(state.memoryImage.data(), imageSize);
    char version[versionSize];
    std::uint32_t blocks = 0;
    ok = ok && in.take(version, sizeof version) && in.take(&state.runMode, 1) &&
         in.take(&state.deviceValue, 1) && in.take(&blocks, sizeof blocks);
    if (!ok || (state.runMode != 'A' && state.runMode != 'B') || state.currentPreset >= presetCount)
        return false;
    version[versionSize - 1] = '\0';
    state.firmwareVersion = version;
    for (std::uint32_t k = 0; k < blocks; ++k) {
        std::uint16_t address = 0;
        std::vector<std::uint8_t> block(blockSize);
        if (!in.take(&address, sizeof address) || !in.take(block.data(), block.size()))
            return false;
        state.bootBlocks[address] = std::move(block);
    }
    if (!in.atEnd())
        return false;
    out = std::move(state);
    return true;
}

} // namespace virtualpedal
