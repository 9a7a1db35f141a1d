#!/usr/bin/env python3
"""Writes the seed corpus: packet sequences as (length byte, bytes) records.

A length byte b gives a packet of 4 b bytes."""
import os

def crc(data):
    c = 0
    for b in data:
        c ^= b << 8
        for _ in range(8):
            c = ((c << 1) ^ 0x1021) & 0xFFFF if c & 0x8000 else (c << 1) & 0xFFFF
    return c ^ 0xFFFF

def frame(code, params):
    body = bytes([(len(params) + 1) & 0xFF, (len(params) + 1) >> 8, code]) + bytes(params)
    v = crc(body)
    return b"\xAA\x55" + body + bytes([v >> 8, v & 0xFF])

def packets(stream, padding=0):
    out = b""
    for at in range(0, len(stream), 63):
        chunk = stream[at:at + 63]
        out += bytes([16]) + bytes([len(chunk)]) + chunk + bytes([padding]) * (63 - len(chunk))
    return out

here = os.path.join(os.path.dirname(os.path.abspath(__file__)), "corpus")
os.makedirs(here, exist_ok=True)
seeds = {
    "identity": packets(frame(0x01, b"TAL_IX".ljust(32, b"\0") + b"\0" * 21 + b"A\0")),
    "two_frames": packets(frame(0x92, [1, 0, 75]) + frame(0xE3, [3, 7])),
    "name_list": packets(frame(0xE7, [i % 251 for i in range(550)])),
    "garbage": packets(b"\x00\xAA\x13\xAA" + frame(0x9A, [5] + [0] * 20)),
    "bad_check": packets(frame(0x92, [0, 0, 16])[:-1] + b"\x00" + frame(0x97, [1])),
    "aa_padding": packets(frame(0x9C, list(range(21))), padding=0xAA),
}
for name, data in seeds.items():
    with open(os.path.join(here, name), "wb") as f:
        f.write(data)
