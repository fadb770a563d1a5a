#!/usr/bin/env python3
"""Writes the status-button icons into resources/icons/ as 24-bit BMP files.

Each icon is drawn as sixteen rows of sixteen characters (the show-state icons
of list rows as eight rows of eight); every character names
a colour of the palette below ('.' is the white background). Run it from any
folder:  python3 tools/make_icons.py [output folder]
"""
import os
import struct
import sys

PALETTE = {
    ".": (255, 255, 255),  # background
    "k": (40, 40, 40),  # outline
    "g": (46, 160, 67),  # product in
    "b": (31, 111, 235),  # product out
    "o": (230, 126, 34),  # resources
    "p": (130, 80, 223),  # station
    "t": (0, 150, 150),  # grouping
    "r": (207, 34, 46),  # fastening
    "y": (240, 200, 40),  # highlight
    "s": (150, 150, 150),  # hidden part
}

ICONS = {
    # An arrow entering a part from the left.
    "ZitBltProductInput": [
        "................",
        "................",
        ".......kkkkkkkk.",
        ".......k......k.",
        "...g...k......k.",
        "...gg..k......k.",
        "gggggg.k......k.",
        "ggggggggg.....k.",
        "ggggggggg.....k.",
        "gggggg.k......k.",
        "...gg..k......k.",
        "...g...k......k.",
        ".......k......k.",
        ".......kkkkkkkk.",
        "................",
        "................",
    ],
    # An arrow leaving a part to the right.
    "ZitBltProductOutput": [
        "................",
        "................",
        ".kkkkkkkk.......",
        ".k......k.......",
        ".k......k...b...",
        ".k......k...bb..",
        ".k......kbbbbbb.",
        ".k.....bbbbbbbbb",
        ".k.....bbbbbbbbb",
        ".k......kbbbbbb.",
        ".k......k...bb..",
        ".k......k...b...",
        ".k......k.......",
        ".kkkkkkkk.......",
        "................",
        "................",
    ],
    # A robot arm on its base.
    "ZitBltResources": [
        "................",
        "..........ooo...",
        ".........o...o..",
        "........o..k..o.",
        "........o.....o.",
        ".......oo.o..o..",
        "......oo...oo...",
        ".....oo.........",
        "....oo..........",
        "...oo...........",
        "..ooo...........",
        "..ooo...........",
        ".kkkkkk.........",
        ".kkkkkk.........",
        "kkkkkkkk........",
        "................",
    ],
    # Three status bars of a station.
    "ZitBltStationStatus": [
        "................",
        "................",
        ".kkkkkkkkkkkkkk.",
        ".kppppppppppp.k.",
        ".kkkkkkkkkkkkkk.",
        "................",
        ".kkkkkkkkkkkkkk.",
        ".kppppppp.....k.",
        ".kkkkkkkkkkkkkk.",
        "................",
        ".kkkkkkkkkkkkkk.",
        ".kpppp........k.",
        ".kkkkkkkkkkkkkk.",
        "................",
        "................",
        "................",
    ],
    # Boxes grouped in a frame, with a status bar.
    "ZitBltGroupingStatus": [
        "................",
        ".tttttttttttttt.",
        ".t............t.",
        ".t.kkkk..kkkk.t.",
        ".t.k..k..k..k.t.",
        ".t.k..k..k..k.t.",
        ".t.kkkk..kkkk.t.",
        ".t............t.",
        ".tttttttttttttt.",
        "................",
        ".kkkkkkkkkkkkkk.",
        ".kttttttttt...k.",
        ".kkkkkkkkkkkkkk.",
        "................",
        "................",
        "................",
    ],
    # Weld spots along a seam.
    "ZitBltPointFastening": [
        "................",
        "................",
        "................",
        "kkkkkkkkkkkkkkkk",
        "................",
        ".rr...rr...rr...",
        "rrrr.rrrr.rrrr..",
        "rrrr.rrrr.rrrr..",
        ".rr...rr...rr...",
        "................",
        "kkkkkkkkkkkkkkkk",
        "................",
        ".kkkkkkkkkkkkkk.",
        ".krrrrrrr.....k.",
        ".kkkkkkkkkkkkkk.",
        "................",
    ],
    # A continuous bead along a curve.
    "ZitBltCurveFastening": [
        "................",
        "................",
        "rr..............",
        ".rr.............",
        "..rr............",
        "...rr......rrr..",
        "....rr....rr.rr.",
        ".....rr..rr...rr",
        "......rrrr......",
        ".......rr.......",
        "................",
        "................",
        ".kkkkkkkkkkkkkk.",
        ".krrrrrrrrr...k.",
        ".kkkkkkkkkkkkkk.",
        "................",
    ],
    # The show state of a listed part, 8x8 so that it fits a list row: shown
    # (filled), hidden (outline only, crossed), partially hidden (half filled).
    "I_PODShownInputPart": [
        "........",
        ".kkkkkk.",
        ".kggggk.",
        ".kggggk.",
        ".kggggk.",
        ".kggggk.",
        ".kkkkkk.",
        "........",
    ],
    "I_PODHiddenInputPart": [
        "........",
        ".ssssss.",
        ".sk..ks.",
        ".s.kk.s.",
        ".s.kk.s.",
        ".sk..ks.",
        ".ssssss.",
        "........",
    ],
    "I_PODPartiallyHiddenInputPart": [
        "........",
        ".kkkkkk.",
        ".kgg..k.",
        ".kgg..k.",
        ".kgg..k.",
        ".kgg..k.",
        ".kkkkkk.",
        "........",
    ],
}


def bmp_bytes(rows):
    """A 24-bit BMP of the square picture (rows from the top, 8 or 16 wide)."""
    size = len(rows)
    if size not in (8, 16) or any(len(r) != size for r in rows):
        raise ValueError("an icon is 8 rows of 8 or 16 rows of 16 characters")
    row_size = size * 3  # 24 or 48 bytes: a multiple of four, no padding
    pixels = bytearray()
    for row in reversed(rows):  # BMP rows run from the bottom
        for ch in row:
            r, g, b = PALETTE[ch]
            pixels += bytes((b, g, r))
    header = struct.pack("<2sIHHI", b"BM", 54 + len(pixels), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, size, size, 1, 24, 0, row_size * size, 2835, 2835, 0, 0)
    return header + info + bytes(pixels)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "resources", "icons")
    os.makedirs(out, exist_ok=True)
    for name, rows in sorted(ICONS.items()):
        with open(os.path.join(out, name + ".bmp"), "wb") as f:
            f.write(bmp_bytes(rows))
        print(os.path.join(out, name + ".bmp"))


if __name__ == "__main__":
    main()
