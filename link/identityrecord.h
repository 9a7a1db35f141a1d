#pragma once

// The pedal's identity answer, copied byte for byte from behind its answer code.
#pragma pack(push, 1)
struct IdentityRecord {
    char deviceType[32];     // NUL-terminated model name
    char infoText1[7];       // NUL-padded
    char firmwareVersion[7]; // NUL-padded, e.g. "V1.2.2"
    char infoText3[7];       // NUL-padded
    char runMode[2];         // "A" running, "B" boot loader
};
#pragma pack(pop)

static_assert(sizeof(IdentityRecord) == 55, "the identity answer carries 55 bytes");
