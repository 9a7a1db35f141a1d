#pragma once

#include <array>
#include <cstdint>

// The editor's picture of the pedal. One flat record: the panels read and write its fields
// directly, the parser fills it from the pedal's answers.
struct DeviceState {
    static constexpr int kPresetCount = 14;
    static constexpr int kValueCount = 10; // five values of CAB A, then the same five of CAB B
    static constexpr int kCabinetValueCount = 5;
    static constexpr int kSlotCount = 11;
    static constexpr int kNameSize = 50;

    // Positions inside a cabinet's five values.
    enum ValueIndex { Level = 0, CabinetSlot = 1, Latency = 2, LowCut = 3, HighCut = 4 };

    using Values = std::array<uint16_t, kValueCount>;
    using Name = std::array<char, kNameSize>;

    uint32_t deviceValue = 3;
    uint8_t currentPreset = 0;
    Values current{};
    std::array<Values, kPresetCount> presets{};
    std::array<uint8_t, kSlotCount> userIr{};
    std::array<Name, kSlotCount> slotNames{};
    uint8_t bypassA = 0;
    uint8_t bypassB = 0;
    uint8_t activeCabinet = 0;
    // Set by the first preset the pedal reports: until then the presets are only zeros.
    bool presetsRead = false;

    // Index into current / a preset of value `index` (ValueIndex) of CAB A (cabinet 0) or CAB B.
    static int valuePosition(int cabinet, int index) {
        return (cabinet == 0 ? 0 : kCabinetValueCount) + index;
    }
};
