#!/usr/bin/env python3
"""Draws Lantern's own pictures as .ico files from the pixel grids below (16 x 16; the
program icon also at 32 x 32, doubled). Run it after changing a grid; the .ico files it
writes are kept in the repository so that the build needs no Python."""
import os
import struct

PALETTE = {
    '.': None,                 # transparent
    'K': (40, 32, 32),         # black
    'D': (128, 16, 16),        # dark red
    'R': (200, 32, 24),        # red
    'O': (240, 128, 32),       # orange
    'Y': (255, 224, 96),       # lantern light
    'W': (255, 250, 220),      # bright core
    'B': (120, 90, 20),        # folder outline
    'F': (240, 200, 72),       # folder
    'L': (255, 232, 150),      # folder, lit
    'G': (110, 110, 120),      # grey outline
    'S': (190, 190, 200),      # silver
    'H': (230, 230, 236),      # highlight
    'N': (20, 70, 160),        # globe, deep blue
    'U': (70, 140, 230),       # globe, blue
    'E': (60, 170, 80),        # globe, land
}

LANTERN = """
......KKKK......
......K..K......
.....KKKKKK.....
....RRRRRRRR....
...RROOOOOORR...
..RROYYYYYYORR..
..ROYYWWWWYYOR..
..DDDDDDDDDDDD..
..ROYWWWWWWYOR..
..ROYYWWWWYYOR..
..DDDDDDDDDDDD..
..RROYYYYYYORR..
...RROOOOOORR...
....RRRRRRRR....
.....KKKKKK.....
.......KK.......
"""

GROUP = """
................
................
.BBBBB..........
BFFFFFB.........
BFFFFFBBBBBBBBB.
BFFFFFFFFFFFFFB.
BFFFFFFFFFFFFFB.
BFFFFFFFFFFFFFB.
BFFFFFFFFFFFFFB.
BFFFFFFFFFFFFFB.
BFFFFFFFFFFFFFB.
BFFFFFFFFFFFFFB.
BFFFFFFFFFFFFFB.
BBBBBBBBBBBBBBB.
................
................
"""

CURRENT_GROUP = """
................
................
.BBBBB..........
BFFFFFB.........
BFFFFFBBBBBBBB..
BFFFFFFFFFFFFB..
BFFBBBBBBBBBBBBB
BFBLLLLLLLLLLLB.
BFBLLLLLLLLLLLB.
BBLLLLLLLLLLLB..
BBLLLLLLLLLLLB..
BLLLLLLLLLLLB...
BLLLLLLLLLLLB...
BBBBBBBBBBBB....
................
................
"""

TRASH = """
................
......GGGG......
..GGGGSSSSGGGG..
..GSSSSSSSSSSG..
..GGGGGGGGGGGG..
...GSHSSHSSHSG..
...GSHSSHSSHSG..
...GSHSSHSSHSG..
...GSHSSHSSHSG..
...GSHSSHSSHSG..
...GSHSSHSSHSG..
...GSHSSHSSHSG..
...GSSSSSSSSSG..
...GGGGGGGGGGG..
................
................
"""

CURRENT_TRASH = """
.........GGGG...
.....GGGGSSSSG..
...GGSSSSSSSGG..
..GSSSSSSSGG....
..GGGGGGGG......
...GSHSSHSSHSG..
...GSHSSHSSHSG..
...GSHSSHSSHSG..
...GSHSSHSSHSG..
...GSHSSHSSHSG..
...GSHSSHSSHSG..
...GSHSSHSSHSG..
...GSSSSSSSSSG..
...GGGGGGGGGGG..
................
................
"""

URL = """
................
.....NNNNNN.....
...NNUUUEEUNN...
..NUUUUEEEEUUN..
..NUEEUUEEUUUN..
.NUEEEEUUUUUUUN.
.NUEEEEEUUUUUUN.
.NUUEEEUUUUEEUN.
.NUUUEEUUUEEEUN.
.NUUUUEUUUEEEUN.
.NUUUUUUUUEEUUN.
..NUUUUUUUEUUN..
..NUUUUUUUUUUN..
...NNUUUUUUNN...
.....NNNNNN.....
................
"""


def pixels(grid, scale=1):
    rows = [r for r in grid.strip('\n').split('\n')]
    assert len(rows) == 16 and all(len(r) == 16 for r in rows), grid
    return [[PALETTE[c] for c in row for _ in range(scale)] for row in rows for _ in range(scale)]


def icon_entry(px):
    size = len(px)
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    color = b''.join(
        bytes((c[2], c[1], c[0], 255)) if c else b'\0\0\0\0' for row in reversed(px) for c in row)
    stride = ((size + 31) // 32) * 4
    mask = b''
    for row in reversed(px):
        bits = 0
        line = bytearray(stride)
        for x, c in enumerate(row):
            if c is None:
                line[x // 8] |= 0x80 >> (x % 8)
        mask += bytes(line)
    return header + color + mask


def write_ico(name, images):
    entries = [icon_entry(px) for px in images]
    out = struct.pack('<HHH', 0, 1, len(entries))
    offset = 6 + 16 * len(entries)
    for px, data in zip(images, entries):
        size = len(px)
        out += struct.pack('<BBBBHHII', size % 256, size % 256, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    out += b''.join(entries)
    with open(os.path.join(os.path.dirname(os.path.abspath(__file__)), name), 'wb') as f:
        f.write(out)


write_ico('Lantern.ico', [pixels(LANTERN), pixels(LANTERN, 2)])
write_ico('Group.ico', [pixels(GROUP)])
write_ico('CurrentGroup.ico', [pixels(CURRENT_GROUP)])
write_ico('Trash.ico', [pixels(TRASH)])
write_ico('CurrentTrash.ico', [pixels(CURRENT_TRASH)])
write_ico('Url.ico', [pixels(URL)])
