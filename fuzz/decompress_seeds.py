#!/usr/bin/env python3
"""Writes the seed corpus of the decompress fuzz target: one valid block per method
(and a picture block), each behind the byte that picks the method."""
import bz2, lzma, os, struct, zlib

here = os.path.dirname(os.path.abspath(__file__))
out = os.path.join(here, "corpus", "decompress")
os.makedirs(out, exist_ok=True)

plain = (b"the quick brown fox jumps over the lazy dog " * 20 + bytes(range(256)) + b"\0" * 300)


def adler32(b):
    return zlib.adler32(b) & 0xFFFFFFFF


def rle(b):
    o = bytearray(struct.pack("<II", len(b), adler32(b)))
    i = 0
    while i < len(b):
        run = 1
        while i + run < len(b) and run < 130 and b[i + run] == b[i]:
            run += 1
        if run >= 3:
            o += bytes([0x80 + run - 3, b[i]])
            i += run
            continue
        lit = 0
        while i + lit < len(b) and lit < 128:
            p = i + lit
            if p + 2 < len(b) and b[p] == b[p + 1] == b[p + 2]:
                break
            lit += 1
        o += bytes([lit - 1]) + b[i:i + lit]
        i += lit
    return bytes(o)


def lzo_literals(b):
    # An LZO1X stream of one literal run (up to 238 bytes) and the end marker.
    assert 4 <= len(b) <= 238
    return struct.pack("<II", len(b), adler32(b)) + bytes([17 + len(b)]) + b + b"\x11\x00\x00"


seeds = {
    "zip": b"\x00" + zlib.compress(plain),
    "bzip2": b"\x01" + bz2.compress(plain),
    "lzma": b"\x02" + lzma.compress(plain, format=lzma.FORMAT_XZ, check=lzma.CHECK_CRC32),
    "lzo": b"\x03" + lzo_literals(plain[:200]),
    "rle": b"\x04" + rle(plain),
}
# A 16 x 8 picture of 3 channels, coded as planes.
w, h, c = 16, 8, 3
pixels = bytes((x * 16 if ch == 0 else (y * 30 if ch == 1 else 200)) for y in range(h) for x in range(w) for ch in range(c))
planes = b"".join(pixels[ch::c] for ch in range(c))
seeds["rle_image"] = bytes([5, w - 1, h - 1, c - 1]) + rle(planes)

for name, data in seeds.items():
    with open(os.path.join(out, name), "wb") as f:
        f.write(data)
