#include "virtualpedal/pedalconfig.h"

#include <cstdlib>
#include <sstream>

namespace virtualpedal {

namespace {

const char* env(const char* name) {
    const char* value = std::getenv(name);
    return value && *value ? value : nullptr;
}

// Decimal or 0x hex; `fallback` for anything else.
long number(const std::string& text, long fallback) {
    if (text.empty())
        return fallback;
    char* end = nullptr;
    long value = std::strtol(text.c_str(), &end, 0);
    return *end == '\0' ? value : fallback;
}

long numberVar(const char* name, long fallback) {
    const char* value = env(name);
    return value ? number(value, fallback) : fallback;
}

std::vector<std::string> split(const std::string& text, char separator) {
    std::vector<std::string> parts;
    std::stringstream stream(text);
    std::string part;
    while (std::getline(stream, part, separator)) {
        auto first = part.find_first_not_of(' ');
        auto last = part.find_last_not_of(' ');
        if (first != std::string::npos)
            parts.push_back(part.substr(first, last - first + 1));
    }
    return parts;
}

std::string text(const char* name, const std::string& fallback, std::size_t maxSize) {
    const char* value = env(name);
    return value ? std::string(value).substr(0, maxSize) : fallback;
}

void readDevices(PedalConfig& config) {
    if (const char* none = env("TALIX_VP_NO_DEVICE"); none && std::string(none) == "1") {
        config.devices.clear();
        return;
    }
    const char* list = env("TALIX_VP_DEVICES");
    if (!list)
        return;
    config.devices.clear();
    for (const std::string& entry : split(list, ',')) {
        PedalConfig::Device device;
        if (entry == "pedal") {
            device.kind = PedalConfig::Device::Kind::Pedal;
        } else if (entry.rfind("type=", 0) == 0) {
            device.kind = PedalConfig::Device::Kind::OtherPedal;
            device.deviceType = entry.substr(5, 31);
        } else if (entry.rfind("usb=", 0) == 0 && entry.size() == 13 && entry[8] == ':') {
            device.kind = PedalConfig::Device::Kind::Foreign;
            device.vendorId = static_cast<std::uint16_t>(number("0x" + entry.substr(4, 4), 0));
            device.productId = static_cast<std::uint16_t>(number("0x" + entry.substr(9, 4), 0));
        } else {
            continue;
        }
        config.devices.push_back(device);
    }
}

} // namespace

PedalConfig PedalConfig::fromEnvironment() {
    PedalConfig config;
    config.stateFile = text("TALIX_VP_STATE", "", std::string::npos);
    if (const char* mode = env("TALIX_VP_RUN_MODE"); mode && mode[0] == 'B')
        config.runMode = 'B';
    config.firmwareVersion = text("TALIX_VP_FIRMWARE", config.firmwareVersion, 7);
    config.newFirmwareVersion = text("TALIX_VP_NEW_FIRMWARE", config.newFirmwareVersion, 7);
    config.deviceType = text("TALIX_VP_DEVICE_TYPE", config.deviceType, 31);
    long interfaces = numberVar("TALIX_VP_INTERFACES", 1);
    config.interfaceCount = interfaces >= 1 && interfaces <= 8 ? static_cast<int>(interfaces) : 1;
    config.bcdDevice = static_cast<std::uint16_t>(numberVar("TALIX_VP_BCD", 0x0200));
    readDevices(config);
    config.logFile = text("TALIX_VP_LOG", "", std::string::npos);
    config.timing = numberVar("TALIX_VP_TIMING", 0) != 0;
    if (const char* driver = env("TALIX_VP_KERNEL_DRIVER"))
        config.kernelDriver = std::string(driver) == "stuck" ? 2 : number(driver, 0) != 0;

    config.unplugAfter = static_cast<int>(numberVar("TALIX_VP_UNPLUG_AFTER", -1));
    config.unplugOn = static_cast<int>(numberVar("TALIX_VP_UNPLUG_ON", -1));
    if (const char* silent = env("TALIX_VP_SILENT_ON"))
        for (const std::string& code : split(silent, ','))
            config.silentOn.insert(static_cast<int>(number(code, -1)));
    config.dropIrAck = static_cast<int>(numberVar("TALIX_VP_DROP_IR_ACK", -1));
    config.ackSlot11 = numberVar("TALIX_VP_ACK_SLOT11", 1) != 0;
    if (const char* corrupt = env("TALIX_VP_CORRUPT")) {
        std::vector<std::string> parts = split(corrupt, ':');
        if (!parts.empty())
            config.corruptCode = static_cast<int>(number(parts[0], -1));
        if (parts.size() > 1)
            config.corruptNth = static_cast<int>(number(parts[1], 0));
    }
    if (const char* stall = env("TALIX_VP_STALL_ON")) {
        std::vector<std::string> parts = split(stall, ':');
        if (!parts.empty())
            config.stallCode = static_cast<int>(number(parts[0], -1));
        if (parts.size() > 1)
            config.stallNth = static_cast<int>(number(parts[1], 0));
    }
    config.repeatBlock = static_cast<int>(numberVar("TALIX_VP_REPEAT_BLOCK", -1));
    config.longBlock = static_cast<int>(numberVar("TALIX_VP_LONG_BLOCK", -1));
    if (const char* garbage = env("TALIX_VP_GARBAGE"))
        for (const std::string& byte : split(garbage, ' '))
            config.garbage.push_back(static_cast<std::uint8_t>(number("0x" + byte, 0)));
    config.paddingSeed = static_cast<std::uint32_t>(numberVar("TALIX_VP_PADDING", 0));
    if (const char* delay = env("TALIX_VP_DELAY_MS")) {
        for (const std::string& entry : split(delay, ',')) {
            std::vector<std::string> parts = split(entry, ':');
            if (parts.size() == 1)
                config.delayAllMs = static_cast<int>(number(parts[0], 0));
            else if (parts.size() == 2)
                config.delayOnMs[static_cast<int>(number(parts[0], -1))] =
                    static_cast<int>(number(parts[1], 0));
        }
    }

    if (const char* codes = env("TALIX_VP_BOOT_CODES")) {
        std::vector<std::string> parts = split(codes, ',');
        std::uint8_t* targets[] = {&config.startCmd, &config.startAck, &config.dataCmd,
                                   &config.dataAck};
        for (std::size_t k = 0; k < parts.size() && k < 4; ++k)
            *targets[k] = static_cast<std::uint8_t>(number(parts[k], *targets[k]));
    }
    config.openDenied = numberVar("TALIX_VP_OPEN_DENIED", 0) != 0;
    config.claimBusy = numberVar("TALIX_VP_CLAIM_BUSY", 0) != 0;
    config.rejectStart = numberVar("TALIX_VP_BOOT_REJECT_START", 0) != 0;
    config.refuseFinish = numberVar("TALIX_VP_BOOT_REFUSE_FINISH", 0) != 0;
    config.refuseBlock = static_cast<int>(numberVar("TALIX_VP_BOOT_REFUSE_BLOCK", -1));
    config.handshakeType = text("TALIX_VP_HANDSHAKE_TYPE", "", 31);
    return config;
}

bool PedalConfig::initFails() {
    return numberVar("TALIX_VP_INIT_FAIL", 0) != 0;
}

} // namespace virtualpedal
