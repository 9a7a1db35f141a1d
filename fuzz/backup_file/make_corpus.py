#!/usr/bin/env python3
"""Writes the seed files: small backup files with one area and one record."""
import os
import struct

HERE = os.path.join(os.path.dirname(os.path.abspath(__file__)), "corpus")


def backup(data, records=1):
    header = bytearray(1024)
    for offset, text in ((0, b"SARNEL"), (8, b"TALIX_Edit"), (40, b"V1.0.0"), (47, b"V1.0.0"),
                         (54, b"V1.0.0"), (72, b"BUFF")):
        header[offset:offset + len(text)] = text
    header[76:80] = struct.pack("<I", 1)
    header[80:88] = struct.pack("<Q", 1024)
    area = bytearray(256)
    area[0:10] = b"TALIX_DATA"
    area[32] = area[36] = 0xE9
    area[40:48] = struct.pack("<II", records, len(data))
    area[48] = 1
    body = bytes(area)
    for number in range(1, records + 1):
        body += bytes(32) + struct.pack("<H", number) + data
    header[1016:1024] = struct.pack("<Q", sum(header[:1016]) + sum(body))
    return bytes(header) + body


SEEDS = {
    "one_block.bfl": backup(bytes(range(256)) * 2),
    "two_records.bfl": backup(b"\x5a" * 40, records=2),
    "empty_record.bfl": backup(b""),
    "header_only.bfl": backup(b"")[:1024],
}

for name, content in SEEDS.items():
    with open(os.path.join(HERE, name), "wb") as f:
        f.write(content)
