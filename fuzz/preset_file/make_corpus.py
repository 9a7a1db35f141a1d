#!/usr/bin/env python3
"""Writes the seed files: a preset image, a longer one, a short one and a bad tag."""
import os
import struct

HERE = os.path.join(os.path.dirname(os.path.abspath(__file__)), "corpus")


def preset(data):
    image = bytearray(660)
    for offset, text in ((0, b"Sarnel"), (8, b"TALIX Edit"), (40, b"V1.0.0"), (72, b"PRESET")):
        image[offset:offset + len(text)] = text
    image[80:92] = struct.pack("<III", 1, 512, 0)
    image[640:660] = data
    return bytes(image)


GOOD = preset(bytes(range(20)))
SEEDS = {
    "preset.pfs": GOOD,
    "longer.pfs": GOOD + b"\xff" * 16,
    "short.pfs": GOOD[:100],
    "bad_tag.pfs": GOOD[:72] + b"PRESXT" + GOOD[78:],
}

for name, content in SEEDS.items():
    with open(os.path.join(HERE, name), "wb") as f:
        f.write(content)
