#!/usr/bin/env python3
"""Writes the seed corpus: a few tiny WAVE files of each layout and two GIR files."""
import os
import struct

here = os.path.join(os.path.dirname(os.path.abspath(__file__)), "corpus")


def chunk(tag, body):
    return tag + struct.pack("<I", len(body)) + body + (b"\0" if len(body) % 2 else b"")


def wave(tag, channels, rate, bits, frames, ext=None, before=b""):
    align = channels * (bits // 8)
    fmt = struct.pack("<HHIIHH", 0xFFFE if ext else tag, channels, rate, rate * align, align, bits)
    if ext:
        fmt += struct.pack("<HHIH", 22, bits, 4, ext) + bytes.fromhex("000000001000800000aa00389b71")
    data = bytes((i * 37 + 11) & 0xFF for i in range(frames * align))
    return b"RIFF" + struct.pack("<I", 0) + b"WAVE" + before + chunk(b"fmt ", fmt) + chunk(b"data", data)


def gir(magic, floats):
    rest = b"info" + struct.pack("<I5I", 36, 1, 2, 3, 4, 4) + b"blob"
    rest += b"data" + struct.pack("<I", 4 * len(floats)) + struct.pack("<%df" % len(floats), *floats)
    return magic + struct.pack("<I", len(rest)) + rest


files = {
    "pcm16_mono_44100.wav": wave(1, 1, 44100, 16, 24),
    "pcm24_stereo_48000.wav": wave(1, 2, 48000, 24, 16),
    "pcm8_mono_88200.wav": wave(1, 1, 88200, 8, 32),
    "float_mono_96000.wav": wave(3, 1, 96000, 32, 12),
    "pcm32_stereo_44100.wav": wave(1, 2, 44100, 32, 8),
    "extensible_float.wav": wave(0, 1, 48000, 32, 8, ext=3),
    "list_before_fmt.wav": wave(1, 1, 44100, 16, 8, before=chunk(b"LIST", b"INFOdata\x02\0\0\0ab")),
    "zelvage.gir": gir(b"zelvage\0", [1.0, 0.5, -0.5, -1.0, 0.0]),
    "zelvast.gir": gir(b"zelvast\0", [0.25, -0.75]),
}
os.makedirs(here, exist_ok=True)
for name, content in files.items():
    with open(os.path.join(here, name), "wb") as out:
        out.write(content)
