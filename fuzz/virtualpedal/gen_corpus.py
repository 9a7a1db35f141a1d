#!/usr/bin/env python3
"""Writes the seed corpus: byte 0 picks the target (0 running, 1 boot loader, 2 state file)."""
import os


def crc(data):
    value = 0
    for byte in data:
        value ^= byte << 8
        for _ in range(8):
            value = ((value << 1) ^ 0x1021) if value & 0x8000 else value << 1
            value &= 0xFFFF
    return value ^ 0xFFFF


def frame(code, params=b""):
    body = bytes([len(params) + 1 & 0xFF, len(params) + 1 >> 8, code]) + params
    check = crc(body)
    return b"\xAA\x55" + body + bytes([check >> 8, check & 0xFF])


def packet(data):
    return bytes([len(data)]) + data + bytes(63 - len(data))


here = os.path.join(os.path.dirname(os.path.abspath(__file__)), "corpus")
os.makedirs(here, exist_ok=True)
seeds = {
    "identity": b"\x00" + packet(frame(0x00)),
    "ir_list": b"\x00" + packet(frame(0xEC, b"\x01")),
    "preset_write": b"\x00" + packet(frame(0x9A, b"\x03" + bytes(range(20)))),
    "backup_next": b"\x00" + packet(frame(0xEA, b"\x00\x05")),
    "boot_start": b"\x01" + packet(frame(0xA0, b"\x01\x02\x03\x04")),
    "state_head": b"\x02TVPSTAT1",
}
for name, data in seeds.items():
    with open(os.path.join(here, name), "wb") as out:
        out.write(data)
