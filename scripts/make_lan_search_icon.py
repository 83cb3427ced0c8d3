#!/usr/bin/env python3
"""Writes link/lan_search.ico, the 16 x 16 icon of the LAN search buttons: a
magnifying glass over two linked network nodes, drawn pixel by pixel (32-bit
colour with an alpha channel, plus the 1-bit mask older readers use).

Run from the repository root: python3 scripts/make_lan_search_icon.py"""
import struct

SIZE = 16
# One character per pixel, top row first.
ROWS = [
    "................",
    ".....RRRR.......",
    "....R....R......",
    "...R..ww..R.....",
    "...R.w....R.....",
    "...R......R.....",
    "...R......R.....",
    "....R....R......",
    ".....RRRRHH.....",
    "..........HH....",
    "...........HH...",
    "BBB.....BBB.HH..",
    "BwB.....BwB.....",
    "BBB.....BBB.....",
    ".L.......L......",
    ".LLLLLLLLL......",
]
COLOURS = {  # (r, g, b, a)
    ".": (0, 0, 0, 0),
    "R": (40, 70, 140, 255),    # rim of the glass
    "w": (220, 235, 255, 255),  # glint, and the nodes' screens
    "H": (90, 60, 30, 255),     # handle
    "B": (20, 120, 60, 255),    # network nodes
    "L": (20, 120, 60, 255),    # their link
}


def image_bytes():
    pixels = bytearray()
    for row in reversed(ROWS):  # bitmaps are stored bottom row first
        assert len(row) == SIZE
        for ch in row:
            r, g, b, a = COLOURS[ch]
            pixels += bytes((b, g, r, a))
    mask = bytearray()
    for row in reversed(ROWS):
        bits = 0
        for x, ch in enumerate(row):
            if COLOURS[ch][3] == 0:
                bits |= 1 << (15 - x)
        mask += struct.pack(">H", bits) + b"\0\0"  # rows padded to 32 bits
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE * 2, 1, 32, 0, len(pixels) + len(mask),
                         0, 0, 0, 0)
    return header + pixels + mask


def main():
    image = image_bytes()
    directory = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", SIZE, SIZE, 0, 0, 1, 32, len(image), 6 + 16)
    with open("link/lan_search.ico", "wb") as f:
        f.write(directory + entry + image)


if __name__ == "__main__":
    main()
