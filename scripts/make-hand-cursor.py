#!/usr/bin/env python3
"""Writes resources/HAND-M.CUR: a 32x32 pointing-hand cursor (32-bit colour
with alpha), hotspot at the fingertip. Standard library only."""
import struct
import sys

ART = [
    "......##........",
    ".....#oo#.......",
    ".....#oo#.......",
    ".....#oo#.......",
    ".....#oo###.....",
    ".....#oo#oo###..",
    ".....#oo#oo#oo##",
    "..##.#oo#oo#oo#o#",
    ".#oo##oooooooo#o#",
    ".#ooo#oooooooooo#",
    "..#oo#oooooooooo#",
    "...#oooooooooooo#",
    "...#ooooooooooo#.",
    "....#oooooooooo#.",
    "....#ooooooooo#..",
    ".....#oooooooo#..",
    ".....#oooooooo#..",
    ".....##########..",
]
HOTSPOT = (6, 0)
SIZE = 32


def pixel(x, y):
    row = ART[y] if y < len(ART) else ""
    c = row[x] if x < len(row) else "."
    if c == "#":
        return (0, 0, 0, 255)
    if c == "o":
        return (255, 255, 255, 255)
    return (0, 0, 0, 0)


def main(path):
    xor = bytearray()
    for y in reversed(range(SIZE)):  # bottom-up rows
        for x in range(SIZE):
            r, g, b, a = pixel(x, y)
            xor += bytes((b, g, r, a))
    and_mask = bytearray()
    for y in reversed(range(SIZE)):
        bits = 0
        for x in range(SIZE):
            if pixel(x, y)[3] == 0:
                bits |= 1 << (31 - x)
        and_mask += struct.pack(">I", bits)
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE * 2, 1, 32, 0,
                         len(xor) + len(and_mask), 0, 0, 0, 0)
    image = header + xor + and_mask
    directory = struct.pack("<HHH", 0, 2, 1)
    entry = struct.pack("<BBBBHHII", SIZE, SIZE, 0, 0, HOTSPOT[0], HOTSPOT[1],
                        len(image), 6 + 16)
    with open(path, "wb") as f:
        f.write(directory + entry + image)


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else "resources/HAND-M.CUR")
