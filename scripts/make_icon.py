#!/usr/bin/env python3
"""Draws Dustvane's icon and writes resources/dustvane.ico.

A broom sweeping up a sparkle on a blue rounded square. The icon holds six
images: 16x16 and 32x32, each at 4, 8 and 24 bits per pixel, with a 1-bit
transparency mask. Standard library only; run it again after changing the
drawing: python3 scripts/make_icon.py [OUTPUT]
"""
import math
import os
import struct
import sys

SUPERSAMPLE = 8

# Colours (r, g, b).
BLUE_TOP = (72, 150, 245)
BLUE_BOTTOM = (22, 84, 184)
EDGE = (14, 52, 120)
HANDLE = (222, 170, 102)
HANDLE_DARK = (150, 98, 44)
BAND = (200, 48, 48)
STRAW = (250, 206, 72)
STRAW_DARK = (206, 150, 30)
WHITE = (255, 255, 255)


def in_rounded_square(x, y, margin, radius):
    lo, hi = margin, 1.0 - margin
    if not (lo <= x <= hi and lo <= y <= hi):
        return False
    cx = min(max(x, lo + radius), hi - radius)
    cy = min(max(y, lo + radius), hi - radius)
    return (x - cx) ** 2 + (y - cy) ** 2 <= radius ** 2


def near_segment(x, y, a, b, width):
    (ax, ay), (bx, by) = a, b
    dx, dy = bx - ax, by - ay
    t = max(0.0, min(1.0, ((x - ax) * dx + (y - ay) * dy) / (dx * dx + dy * dy)))
    return math.hypot(x - (ax + t * dx), y - (ay + t * dy)) <= width / 2


def in_polygon(x, y, points):
    inside = False
    n = len(points)
    for i in range(n):
        (x1, y1), (x2, y2) = points[i], points[(i + 1) % n]
        if (y1 > y) != (y2 > y) and x < x1 + (y - y1) * (x2 - x1) / (y2 - y1):
            inside = not inside
    return inside


def star(cx, cy, outer, inner):
    """A four-pointed sparkle as a polygon."""
    points = []
    for i in range(8):
        angle = math.pi / 2 + i * math.pi / 4
        r = outer if i % 2 == 0 else inner
        points.append((cx + r * math.cos(angle), cy - r * math.sin(angle)))
    return points


def along(a, b, t):
    return (a[0] + (b[0] - a[0]) * t, a[1] + (b[1] - a[1]) * t)


# The broom lies on a diagonal from the top right to the bottom left.
HANDLE_TOP = (0.80, 0.17)
HEAD = (0.45, 0.52)          # where the straw starts
DIRECTION = (HEAD[0] - HANDLE_TOP[0], HEAD[1] - HANDLE_TOP[1])
LENGTH = math.hypot(*DIRECTION)
UNIT = (DIRECTION[0] / LENGTH, DIRECTION[1] / LENGTH)
NORMAL = (-UNIT[1], UNIT[0])


def broom_point(forward, side):
    return (HEAD[0] + UNIT[0] * forward + NORMAL[0] * side,
            HEAD[1] + UNIT[1] * forward + NORMAL[1] * side)


STRAW_SHAPE = [broom_point(0.0, -0.09), broom_point(0.0, 0.09),
               broom_point(0.27, 0.18), broom_point(0.30, 0.0),
               broom_point(0.27, -0.18)]
BAND_SHAPE = [broom_point(-0.05, -0.085), broom_point(-0.05, 0.085),
              broom_point(0.03, 0.095), broom_point(0.03, -0.095)]
SPARKLE_BIG = star(0.27, 0.27, 0.17, 0.045)
SPARKLE_SMALL = star(0.60, 0.80, 0.09, 0.025)


def colour_at(x, y):
    """Colour of one point of the drawing, or None outside the icon."""
    if not in_rounded_square(x, y, 0.03, 0.2):
        return None
    colour = tuple(round(t + (b - t) * y) for t, b in zip(BLUE_TOP, BLUE_BOTTOM))
    if not in_rounded_square(x, y, 0.075, 0.16):
        colour = EDGE
    if in_polygon(x, y, SPARKLE_BIG) or in_polygon(x, y, SPARKLE_SMALL):
        colour = WHITE
    if near_segment(x, y, HANDLE_TOP, broom_point(-0.02, 0), 0.105):
        colour = HANDLE_DARK
    if near_segment(x, y, HANDLE_TOP, broom_point(-0.02, 0), 0.06):
        colour = HANDLE
    if in_polygon(x, y, STRAW_SHAPE):
        # Darker streaks run along the straw.
        side = (x - HEAD[0]) * NORMAL[0] + (y - HEAD[1]) * NORMAL[1]
        colour = STRAW_DARK if int((side + 1.0) * 28) % 3 == 0 else STRAW
    if in_polygon(x, y, BAND_SHAPE):
        colour = BAND
    return colour


def render(size):
    """Returns rows of (r, g, b, coverage) with coverage 0..1."""
    rows = []
    n = SUPERSAMPLE
    for py in range(size):
        row = []
        for px in range(size):
            total = [0, 0, 0]
            hits = 0
            for sy in range(n):
                for sx in range(n):
                    c = colour_at((px + (sx + 0.5) / n) / size, (py + (sy + 0.5) / n) / size)
                    if c is not None:
                        hits += 1
                        for i in range(3):
                            total[i] += c[i]
            if hits:
                row.append((round(total[0] / hits), round(total[1] / hits),
                            round(total[2] / hits), hits / (n * n)))
            else:
                row.append((0, 0, 0, 0.0))
        rows.append(row)
    return rows


def median_cut(colours, count):
    """Reduces a list of colours to at most `count` representative colours."""
    boxes = [list(colours)]
    while len(boxes) < count:
        boxes.sort(key=lambda b: max(max(c[i] for c in b) - min(c[i] for c in b) for i in range(3)))
        box = boxes.pop()
        spread = [max(c[i] for c in box) - min(c[i] for c in box) for i in range(3)]
        if max(spread) == 0:
            boxes.append(box)
            break
        axis = spread.index(max(spread))
        box.sort(key=lambda c: c[axis])
        half = len(box) // 2
        boxes += [box[:half], box[half:]]
    return [tuple(round(sum(c[i] for c in b) / len(b)) for i in range(3)) for b in boxes if b]


def nearest(palette, colour):
    return min(range(len(palette)),
               key=lambda i: sum((palette[i][k] - colour[k]) ** 2 for k in range(3)))


def row_bytes(bits_per_row):
    return (bits_per_row + 31) // 32 * 4


def encode(pixels, bpp):
    """One icon image: BITMAPINFOHEADER, palette, colour bits, AND mask."""
    size = len(pixels)
    opaque = [[p[3] >= 0.5 for p in row] for row in pixels]
    palette = []
    if bpp < 24:
        used = [p[:3] for row in pixels for p in row if p[3] >= 0.5]
        distinct = sorted(set(used))
        wanted = (1 << bpp) - 1  # index 0 stays black for transparent pixels
        palette = [(0, 0, 0)] + (distinct if len(distinct) <= wanted else median_cut(used, wanted))
        palette += [(0, 0, 0)] * ((1 << bpp) - len(palette))
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, bpp, 0, 0, 0, 0,
                         len(palette), 0)
    body = bytearray(header)
    for r, g, b in palette:
        body += bytes((b, g, r, 0))
    stride = row_bytes(size * bpp)
    cache = {}
    for y in reversed(range(size)):
        line = bytearray(stride)
        for x in range(size):
            r, g, b, _ = pixels[y][x]
            if bpp == 24:
                line[x * 3:x * 3 + 3] = bytes((b, g, r)) if opaque[y][x] else b"\0\0\0"
                continue
            index = 0
            if opaque[y][x]:
                if (r, g, b) not in cache:
                    cache[(r, g, b)] = 1 + nearest(palette[1:], (r, g, b))
                index = cache[(r, g, b)]
            if bpp == 8:
                line[x] = index
            else:
                line[x // 2] |= index << (4 if x % 2 == 0 else 0)
        body += line
    mask_stride = row_bytes(size)
    for y in reversed(range(size)):
        line = bytearray(mask_stride)
        for x in range(size):
            if not opaque[y][x]:
                line[x // 8] |= 0x80 >> (x % 8)
        body += line
    return bytes(body)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "resources", "dustvane.ico")
    images = []
    for size in (16, 32):
        pixels = render(size)
        for bpp in (4, 8, 24):
            images.append((size, bpp, encode(pixels, bpp)))
    data = bytearray(struct.pack("<HHH", 0, 1, len(images)))
    offset = 6 + 16 * len(images)
    for size, bpp, blob in images:
        colours = 16 if bpp == 4 else 0
        data += struct.pack("<BBBBHHII", size, size, colours, 0, 1, bpp, len(blob), offset)
        offset += len(blob)
    for _, _, blob in images:
        data += blob
    with open(out, "wb") as f:
        f.write(data)
    print(f"wrote {os.path.normpath(out)} ({len(data)} bytes, {len(images)} images)")


if __name__ == "__main__":
    main()
