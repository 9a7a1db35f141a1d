#!/usr/bin/env python3
"""Writes the seed inputs: answers as the pedal sends them, without their leading AA 55."""
import os

HERE = os.path.dirname(os.path.abspath(__file__))


def body(code, params):
    length = len(params) + 1
    return bytes([length & 0xFF, length >> 8, code]) + bytes(params) + b"\0\0"


def preset(number, values):
    out = [number]
    for v in values:
        out += [v >> 8, v & 0xFF]
    return out


identity = (b"TAL_IX".ljust(32, b"\0") + b"VPEDAL\0" + b"V1.2.2\0" + b"R1".ljust(7, b"\0")
            + b"A\0")
seeds = {
    "identity": body(0x01, identity),
    "preset_selected": body(0x91, [3, 1]),
    "level": body(0x92, [1, 0, 75]),
    "bypass": body(0x98, [1, 0]),
    "preset_content": body(0x9A, preset(5, [300, 15, 20, 30, 90, 60, 10, 0, 100, 7])),
    "current_values": body(0x9C, preset(2, [50, 3, 20, 30, 90, 60, 10, 0, 100, 7])),
    "ir_deleted": body(0xE5, [4]),
    "ir_flags": body(0xE6, [1, 0, 0, 1, 0, 0, 0, 0, 0, 0, 1]),
    "ir_names": body(0xE7, list(b"Room Mic".ljust(50, b"\0")) * 11),
    "device_value": body(0xED, [3]),
}
for name, data in seeds.items():
    with open(os.path.join(HERE, name), "wb") as f:
        f.write(data)
