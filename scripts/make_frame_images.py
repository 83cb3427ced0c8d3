#!/usr/bin/env python3
"""Writes the main window's images into app/images: the program icon (157,
32 x 32 and 16 x 16), its small icon (162), the three 16 x 16 icons of the
small image list (158-160) and the logo bitmap of the top bar (164, 120 x 24,
24-bit). All are drawn here pixel by pixel: a sine wave for the program, and
the product name in a 5 x 7 pixel font for the logo.

Run from the repository root: python3 scripts/make_frame_images.py"""
import math
import os
import struct

OUT = os.path.join("app", "images")

BLUE = (24, 70, 140)
WHITE = (245, 248, 255)
CLEAR = None


def wave_icon(size):
    """A blue rounded square with a white sine wave across it."""
    pixels = [[CLEAR] * size for _ in range(size)]
    r = size // 6
    for y in range(size):
        for x in range(size):
            dx = max(r - x, 0, x - (size - 1 - r))
            dy = max(r - y, 0, y - (size - 1 - r))
            if dx * dx + dy * dy <= r * r:
                pixels[y][x] = BLUE
    thick = max(1, size // 16)
    for x in range(2, size - 2):
        centre = size / 2 - (size / 3.2) * math.sin(2 * math.pi * (x - 2) / (size - 4))
        for t in range(-thick, thick + 1):
            y = int(round(centre)) + t
            if 0 <= y < size:
                pixels[y][x] = WHITE
    return pixels


def dot_icon(colour):
    """A filled disc of one colour with a darker rim."""
    size = 16
    rim = tuple(c * 2 // 3 for c in colour)
    pixels = [[CLEAR] * size for _ in range(size)]
    for y in range(size):
        for x in range(size):
            d = math.hypot(x - 7.5, y - 7.5)
            if d <= 6.5:
                pixels[y][x] = colour if d <= 5.3 else rim
    return pixels


def icon_image(pixels):
    """One icon image: BITMAPINFOHEADER (height doubled), BGRA rows bottom-up,
    then the 1-bit AND mask (set where the icon is clear)."""
    size = len(pixels)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    colour = bytearray()
    for row in reversed(pixels):
        for p in row:
            colour += bytes((0, 0, 0, 0)) if p is CLEAR else bytes((p[2], p[1], p[0], 255))
    mask_stride = ((size + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(pixels):
        bits = bytearray(mask_stride)
        for x, p in enumerate(row):
            if p is CLEAR:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    return header + colour + mask


def write_icon(name, images):
    data = [icon_image(p) for p in images]
    offset = 6 + 16 * len(data)
    out = struct.pack("<HHH", 0, 1, len(data))
    for pixels, image in zip(images, data):
        size = len(pixels)
        out += struct.pack("<BBBBHHII", size, size, 0, 0, 1, 32, len(image), offset)
        offset += len(image)
    with open(os.path.join(OUT, name), "wb") as f:
        f.write(out + b"".join(data))


# 5 x 7 glyphs of the letters of the product name.
GLYPHS = {
    "K": ["X...X", "X..X.", "X.X..", "XX...", "X.X..", "X..X.", "X...X"],
    "E": ["XXXXX", "X....", "X....", "XXXX.", "X....", "X....", "XXXXX"],
    "S": [".XXXX", "X....", "X....", ".XXX.", "....X", "....X", "XXXX."],
    "T": ["XXXXX", "..X..", "..X..", "..X..", "..X..", "..X..", "..X.."],
    "R": ["XXXX.", "X...X", "X...X", "XXXX.", "X.X..", "X..X.", "X...X"],
    "O": [".XXX.", "X...X", "X...X", "X...X", "X...X", "X...X", ".XXX."],
    "V": ["X...X", "X...X", "X...X", "X...X", "X...X", ".X.X.", "..X.."],
    "A": [".XXX.", "X...X", "X...X", "XXXXX", "X...X", "X...X", "X...X"],
}


def logo():
    """120 x 24: a small wave at the left and "KESTROVA" in white on blue."""
    width, height = 120, 24
    pixels = [[BLUE] * width for _ in range(height)]
    for x in range(3, 21):
        y = int(round(12 - 6 * math.sin(2 * math.pi * (x - 3) / 18)))
        for t in (0, 1):
            pixels[y + t][x] = WHITE
    left, top, scale = 26, 5, 2
    for i, letter in enumerate("KESTROVA"):
        for gy, line in enumerate(GLYPHS[letter]):
            for gx, c in enumerate(line):
                if c != "X":
                    continue
                for sy in range(scale):
                    for sx in range(scale):
                        pixels[top + gy * scale + sy][left + i * 11 + gx * scale + sx] = WHITE
    return pixels


def write_bitmap(name, pixels):
    height, width = len(pixels), len(pixels[0])
    stride = (width * 3 + 3) // 4 * 4
    rows = bytearray()
    for row in reversed(pixels):
        line = bytearray()
        for p in row:
            line += bytes((p[2], p[1], p[0]))
        rows += line + bytes(stride - len(line))
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, 0, 3780, 3780, 0, 0)
    head = struct.pack("<2sIHHI", b"BM", 54 + len(rows), 0, 0, 54)
    with open(os.path.join(OUT, name), "wb") as f:
        f.write(head + info + rows)


def main():
    os.makedirs(OUT, exist_ok=True)
    write_icon("kestrova.ico", [wave_icon(32), wave_icon(16)])
    write_icon("kestrova_small.ico", [wave_icon(16)])
    write_icon("list_1.ico", [dot_icon((40, 160, 70))])
    write_icon("list_2.ico", [dot_icon((40, 110, 210))])
    write_icon("list_3.ico", [dot_icon((230, 160, 30))])
    write_bitmap("logo.bmp", logo())


if __name__ == "__main__":
    main()
