#!/usr/bin/env python3
"""Writes the seed images of fuzz_firmware_image into corpus/ beside this script."""
import os
import struct

HERE = os.path.join(os.path.dirname(os.path.abspath(__file__)), "corpus")


def header(count, device=b"TAL_IX"):
    h = bytearray(128)
    h[0:9] = b"Zelva_TAG"
    h[9:9 + len(device)] = device
    h[41:43] = bytes([0xA0, 0xA1])
    h[47] = count & 0xFF
    h[48:52] = struct.pack("<I", 0x11223344)
    return h


def section(data_pos, next_header, size, address):
    s = bytearray(512)
    s[0:9] = b"Zelva_TAG"
    s[9:27] = struct.pack("<IIIBBI", data_pos, next_header, size, 0xA2, 0xA3, 0)
    s[27:31] = struct.pack("<I", address)
    return s


def image(sizes, count=None):
    out = header(len(sizes) if count is None else count)
    for i, size in enumerate(sizes):
        data_pos = len(out) + 512
        out += section(data_pos + 1, data_pos + size, size, 0xFFFF - i)
        out += bytes((i * 31 + k * 7) & 0xFF for k in range(size))
    return bytes(out)


def main():
    os.makedirs(HERE, exist_ok=True)
    seeds = {
        "two_sections.zv": image([1024, 600]),
        "no_sections.zv": image([]),
        "count_0x80.zv": image([512], count=0x80),
        "chain_outside.zv": image([512, 512], count=3),
        "short_data.zv": image([1024])[:-100],
    }
    for name, data in seeds.items():
        with open(os.path.join(HERE, name), "wb") as f:
            f.write(data)


if __name__ == "__main__":
    main()
