#!/usr/bin/env python3
"""Draws the main window's pictures and icons into app/res/.

The pictures are the program's own: a banner and a bottom strip (1018 x 56),
16 x 16 link and panel icons, a 32 x 32 results icon, the 32 x 32 window icon
(256 colours) and the 32 x 32 two-colour hand cursor. Run it again after
changing a drawing; the files it writes are committed.
"""
import math
import os
import struct

OUT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "app", "res")


def bmp24(width, height, pixel):
    """A bottom-up 24-bit BMP file; pixel(x, y) gives (r, g, b) with y from the top."""
    row = (width * 3 + 3) & ~3
    data = bytearray()
    for y in range(height - 1, -1, -1):
        line = bytearray()
        for x in range(width):
            r, g, b = pixel(x, y)
            line += bytes((b, g, r))
        line += b"\0" * (row - width * 3)
        data += line
    header = struct.pack("<2sIHHI", b"BM", 14 + 40 + len(data), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    return header + info + bytes(data)


def dib32(size, pixel):
    """The image part of an icon: 32-bit BGRA, bottom-up, with an AND mask."""
    info = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    colour = bytearray()
    for y in range(size - 1, -1, -1):
        for x in range(size):
            r, g, b, a = pixel(x, y)
            colour += bytes((b, g, r, a))
    return info + bytes(colour) + and_mask(size, lambda x, y: pixel(x, y)[3] == 0)


def and_mask(size, transparent):
    """The AND mask of an icon image, bottom-up: 1 where the screen shows through."""
    row = ((size + 31) // 32) * 4
    mask = bytearray()
    for y in range(size - 1, -1, -1):
        line = bytearray(row)
        for x in range(size):
            if transparent(x, y):
                line[x // 8] |= 0x80 >> (x % 8)
        mask += line
    return bytes(mask)


def dib8(size, pixel):
    """A 256-colour icon image: a palette of the colours used, one byte a pixel."""
    palette = []
    index = {}
    for y in range(size):
        for x in range(size):
            r, g, b, a = pixel(x, y)
            colour = (r, g, b) if a else (0, 0, 0)
            if colour not in index:
                index[colour] = len(palette)
                palette.append(colour)
    assert len(palette) <= 256, "too many colours for a 256-colour icon"
    palette += [(0, 0, 0)] * (256 - len(palette))
    info = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 8, 0, 0, 0, 0, 256, 0)
    colours = b"".join(bytes((b, g, r, 0)) for r, g, b in palette)
    pixels = bytearray()
    for y in range(size - 1, -1, -1):
        for x in range(size):
            r, g, b, a = pixel(x, y)
            pixels.append(index[(r, g, b) if a else (0, 0, 0)])
    return info + colours + bytes(pixels) + and_mask(size, lambda x, y: pixel(x, y)[3] == 0)


def dib1(size, pixel):
    """A two-colour image (black and white) with its AND mask."""
    info = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 1, 0, 0, 0, 0, 2, 0)
    colours = bytes((0, 0, 0, 0, 255, 255, 255, 0))
    row = ((size + 31) // 32) * 4
    bits = bytearray()
    for y in range(size - 1, -1, -1):
        line = bytearray(row)
        for x in range(size):
            r, g, b, a = pixel(x, y)
            if a and (r, g, b) == (255, 255, 255):
                line[x // 8] |= 0x80 >> (x % 8)
        bits += line
    return info + colours + bytes(bits) + and_mask(size, lambda x, y: pixel(x, y)[3] == 0)


def ico(size, pixel, bits=32):
    """An icon file of one image: 32-bit with alpha, or 256 colours (bits 8)."""
    image = dib8(size, pixel) if bits == 8 else dib32(size, pixel)
    header = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", size, size, 0, 0, 1, bits, len(image), 6 + 16)
    return header + entry + image


def cur(size, pixel, hotspot):
    """A two-colour cursor file of one image."""
    image = dib1(size, pixel)
    header = struct.pack("<HHH", 0, 2, 1)
    entry = struct.pack("<BBBBHHII", size, size, 2, 0, hotspot[0], hotspot[1], len(image), 6 + 16)
    return header + entry + image


def mix(a, b, t):
    return tuple(int(round(a[i] + (b[i] - a[i]) * t)) for i in range(3))


def banner(x, y):
    # Deep blue to teal from left to right, a soft light band near the top.
    base = mix((16, 42, 92), (22, 110, 132), x / 1017)
    glow = max(0.0, 1 - abs(y - 14) / 18) * 0.18
    wave = 0.06 * math.sin(x / 45.0 + y / 9.0)
    return mix(base, (255, 255, 255), max(0.0, min(1.0, glow + wave)))


def strip(x, y):
    # Light grey, slightly darker towards the foot, a thin light line on top.
    if y == 0:
        return (250, 250, 250)
    return mix((232, 232, 232), (208, 208, 210), y / 55)


def disc(size, centre, radius, inner, outer):
    def pixel(x, y):
        d = math.hypot(x + 0.5 - centre, y + 0.5 - centre)
        if d > radius:
            return (0, 0, 0, 0)
        return mix(inner, outer, d / radius) + (255,)
    return pixel


def home(x, y):
    # A house: roof triangle over a square body with a door.
    if 2 <= y <= 7 and abs(x - 7.5) <= (y - 1) + 0.5:
        return (200, 60, 40, 255)
    if 8 <= y <= 14 and 3 <= x <= 12:
        if 6 <= x <= 9 and y >= 10:
            return (110, 70, 30, 255)
        return (240, 230, 210, 255)
    return (0, 0, 0, 0)


def help_icon(x, y):
    # A blue disc with a white question mark.
    d = math.hypot(x + 0.5 - 8, y + 0.5 - 8)
    if d > 7.5:
        return (0, 0, 0, 0)
    mark = {(6, 4), (7, 3), (8, 3), (9, 4), (10, 5), (9, 6), (8, 7), (8, 8), (8, 9), (8, 11), (8, 12),
            (7, 4), (9, 5), (7, 11), (7, 12)}
    if (x, y) in mark:
        return (255, 255, 255, 255)
    return mix((70, 140, 230), (20, 70, 170), d / 7.5) + (255,)


def results(x, y):
    # A shield with a check mark, 32 x 32.
    cx = 16
    half = 12 if y < 18 else 12 - (y - 18) * 0.9
    if not (3 <= y <= 30 and abs(x + 0.5 - cx) <= half):
        return (0, 0, 0, 0)
    on_check = abs((y - 18) - (x - 12)) <= 1.2 and 9 <= x <= 14 or abs((y - 22) + (x - 14) * 1.0) <= 1.2 and 14 <= x <= 23
    if on_check:
        return (255, 255, 255, 255)
    return mix((60, 160, 80), (20, 100, 40), y / 31) + (255,)


def list_icon(x, y):
    # A page with lines.
    if 2 <= x <= 13 and 1 <= y <= 14:
        if x in (2, 13) or y in (1, 14):
            return (120, 120, 120, 255)
        if y in (4, 7, 10) and 4 <= x <= 11:
            return (60, 100, 170, 255)
        return (255, 255, 255, 255)
    return (0, 0, 0, 0)


def undo_icon(x, y):
    # A curved arrow pointing left.
    d = math.hypot(x + 0.5 - 9, y + 0.5 - 9)
    if 4.0 <= d <= 6.5 and not (x < 9 and y > 9):
        return (40, 110, 190, 255)
    if 2 <= x <= 6 and 7 <= y <= 12 and abs(y - 9.5) <= (x - 1.5):
        return (40, 110, 190, 255)
    return (0, 0, 0, 0)


def window_icon(x, y):
    # A broom of sorts: a disc with a sweeping arc, in the banner's colours.
    d = math.hypot(x + 0.5 - 16, y + 0.5 - 16)
    if d > 15:
        return (0, 0, 0, 0)
    if 8 <= d <= 11 and y < 20:
        return (255, 255, 255, 255)
    return mix((22, 110, 132), (16, 42, 92), d / 15) + (255,)


def hand(x, y):
    # A pointing hand, black outline on white, hot spot at the finger tip.
    finger = 5 <= x <= 8 and 0 <= y <= 12
    palm = 5 <= x <= 16 and 9 <= y <= 21
    knuckles = 9 <= x <= 16 and 7 <= y <= 9 and x not in (12,)
    inside = finger or palm or knuckles
    if not inside:
        return (0, 0, 0, 0)
    edge = False
    for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1)):
        nx, ny = x + dx, y + dy
        n_inside = (5 <= nx <= 8 and 0 <= ny <= 12) or (5 <= nx <= 16 and 9 <= ny <= 21) or \
                   (9 <= nx <= 16 and 7 <= ny <= 9 and nx not in (12,))
        edge |= not n_inside
    return (0, 0, 0, 255) if edge else (255, 255, 255, 255)


def main():
    os.makedirs(OUT, exist_ok=True)
    files = {
        "banner.bmp": bmp24(1018, 56, banner),
        "strip.bmp": bmp24(1018, 56, strip),
        "home.ico": ico(16, home),
        "help.ico": ico(16, help_icon),
        "results.ico": ico(32, results),
        "list.ico": ico(16, list_icon),
        "undo.ico": ico(16, undo_icon),
        "hivesweep.ico": ico(32, window_icon, bits=8),
        "hand.cur": cur(32, hand, hotspot=(6, 0)),
    }
    for name, data in files.items():
        with open(os.path.join(OUT, name), "wb") as f:
            f.write(data)


if __name__ == "__main__":
    main()
