#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace virtualpedal {

// Everything the pedal keeps; also what a test reads back through VirtualPedal::snapshot().
struct PedalState {
    static constexpr int presetCount = 14;
    static constexpr int presetSize = 20;
    static constexpr int slotCount = 11;
    static constexpr int nameSize = 50;
    static constexpr int laneCount = 12;
    static constexpr int laneSize = 512;
    static constexpr int blockSize = 512;
    static constexpr int blockCount = 224;
    static constexpr int imageSize = blockSize * blockCount;

    using Preset = std::array<std::uint8_t, presetSize>;

    std::array<Preset, presetCount> presets{};
    std::uint8_t currentPreset = 0;
    Preset current{};
    std::uint8_t bypassA = 1;
    std::uint8_t bypassB = 1;
    std::array<std::uint8_t, slotCount> userIr{};
    std::array<std::array<std::uint8_t, nameSize>, slotCount> irNames{};
    // Per slot: 12 lanes of 512 bytes, lane k at offset 512 * k.
    std::array<std::vector<std::uint8_t>, slotCount> irLanes;
    std::vector<std::uint8_t> memoryImage;
    // Boot-loader data blocks of the last upload, by block address.
    std::map<std::uint16_t, std::vector<std::uint8_t>> bootBlocks;
    std::string firmwareVersion = "V1.2.2";
    char runMode = 'A';
    std::uint8_t deviceValue = 3;

    // Factory state: distinct presets with values in range, the known memory pattern.
    static PedalState factory();
    // Byte k of the factory memory image.
    static std::uint8_t imagePattern(int k);
    // 16-bit value `index` (0-9) of a preset block, high byte first.
    static int value(const Preset& preset, int index);
    static void setValue(Preset& preset, int index, int value);
    // Largest valid value at `index`: the cabinet slots (1 and 6) go to 10, the rest to 100.
    static int maximum(int index);

    std::vector<std::uint8_t> serialize() const;
    // False (and `out` untouched) for data that is not a complete state image.
    static bool deserialize(const std::vector<std::uint8_t>& data, PedalState& out);
};

} // namespace virtualpedal
