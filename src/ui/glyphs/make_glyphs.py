#!/usr/bin/python3
"""Writes the bitmap buttons' glyphs, BBOK.bmp and BBCLOSE.bmp, from the
pictures below: 36 x 18 pixels, the normal picture then the disabled one,
olive (#808000) where the button face shows through.

Run it again after changing a picture: python3 make_glyphs.py
"""
import struct

PALETTE = {
    '.': (0x80, 0x80, 0x00),  # transparent
    'g': (0x00, 0x80, 0x00),  # green
    'G': (0x00, 0xC0, 0x00),  # light green
    'k': (0x00, 0x00, 0x00),
    'w': (0xFF, 0xFF, 0xFF),
    'b': (0x80, 0x40, 0x00),  # door brown
    'B': (0xC0, 0x80, 0x40),  # lit door
    'y': (0xFF, 0xFF, 0x00),  # door knob
    's': (0x80, 0x80, 0x80),  # frame grey
    'd': (0x40, 0x40, 0x40),  # dark opening
}

CHECK = [
    "..................",
    "..................",
    "..............g...",
    ".............gg...",
    "............ggg...",
    "...........ggg....",
    "..........ggg.....",
    "..g......ggg......",
    "..gg....ggg.......",
    "..ggg..ggg........",
    "...gggggg.........",
    "....gggg..........",
    ".....gg...........",
    "..................",
    "..................",
    "..................",
    "..................",
    "..................",
]

DOOR = [
    "....gGGGGGGGGg....",
    "....gwwgwwgwwg....",
    "....gGGGGGGGGg....",
    "..................",
    "..ssssssssssss....",
    "..sddddddddbbs....",
    "..sdddddddbBBs....",
    "..sddddddbBBBs....",
    "..sdddddbBBBBs....",
    "..sddddbBBBBBs....",
    "..sddddbBBByBs....",
    "..sddddbBBBBBs....",
    "..sddddbBBBBBs....",
    "..sddddbBBBBBs....",
    "..sdddddbBBBBs....",
    "..sddddddbBBBs....",
    "..ssssssssssss....",
    "..................",
]


def disabled(picture):
    """The disabled look: the shape in grey with a white shadow below right."""
    height, width = len(picture), len(picture[0])
    out = [['.'] * width for _ in range(height)]
    for y in range(height):
        for x in range(width):
            if picture[y][x] != '.' and y + 1 < height and x + 1 < width:
                out[y + 1][x + 1] = 'w'
    for y in range(height):
        for x in range(width):
            if picture[y][x] != '.':
                out[y][x] = 's'
    return [''.join(row) for row in out]


def write_bmp(path, rows):
    height, width = len(rows), len(rows[0])
    stride = (width * 3 + 3) & ~3
    pixels = bytearray()
    for row in reversed(rows):  # bottom-up
        line = bytearray()
        for c in row:
            r, g, b = PALETTE[c]
            line += bytes((b, g, r))
        pixels += line + bytes(stride - len(line))
    header = struct.pack('<2sIHHI', b'BM', 14 + 40 + len(pixels), 0, 0, 14 + 40)
    info = struct.pack('<IiiHHIIiiII', 40, width, height, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    with open(path, 'wb') as f:
        f.write(header + info + pixels)


for name, picture in (('BBOK.bmp', CHECK), ('BBCLOSE.bmp', DOOR)):
    write_bmp(name, [a + b for a, b in zip(picture, disabled(picture))])
