#!/usr/bin/env python3
"""Draws the program's two icons and writes them as .ico files into packaging/.

calmora.ico  The application icon: the Quillmoor monogram, a red "Q" whose tail is a quill, on a
             white disc in a red square. One 32 x 32 image, 24 bits per pixel, every pixel opaque.
options.ico  The Options window's icon: a pale skull and crossbones. One 32 x 32 image with a
             256-colour palette and a transparency mask, sized so that 445 pixels are clear.

Python's standard library only. Shapes are signed distance functions (negative inside), sampled
8 x 8 times per pixel for smooth edges; run it again after changing a shape and commit both the
script and the icons it writes.
"""

import math
import pathlib
import struct

SIZE = 32
SAMPLES = 8
OUT = pathlib.Path(__file__).resolve().parent.parent / "packaging"


# --- shapes ------------------------------------------------------------------------------------

def circle(cx, cy, r):
    return lambda x, y: math.hypot(x - cx, y - cy) - r


def capsule(ax, ay, bx, by, r):
    """A segment from a to b with round ends, r wide on each side."""
    def d(x, y):
        px, py, vx, vy = x - ax, y - ay, bx - ax, by - ay
        t = max(0.0, min(1.0, (px * vx + py * vy) / (vx * vx + vy * vy)))
        return math.hypot(px - vx * t, py - vy * t) - r
    return d


def rounded_box(cx, cy, hw, hh, r):
    def d(x, y):
        qx, qy = abs(x - cx) - hw + r, abs(y - cy) - hh + r
        return math.hypot(max(qx, 0.0), max(qy, 0.0)) + min(max(qx, qy), 0.0) - r
    return d


def polygon(points):
    """A convex polygon given anticlockwise on screen (y down): the largest edge distance."""
    edges = []
    for (ax, ay), (bx, by) in zip(points, points[1:] + points[:1]):
        length = math.hypot(bx - ax, by - ay)
        edges.append((ax, ay, (by - ay) / length, -(bx - ax) / length))
    return lambda x, y: max((x - ax) * nx + (y - ay) * ny for ax, ay, nx, ny in edges)


def union(*shapes):
    return lambda x, y: min(s(x, y) for s in shapes)


def subtract(shape, cut):
    return lambda x, y: max(shape(x, y), -cut(x, y))


def grown(shape, by):
    return lambda x, y: shape(x, y) - by


def scaled(shape, factor, cx=16.0, cy=16.0):
    """The shape made `factor` times bigger about (cx, cy)."""
    return lambda x, y: shape(cx + (x - cx) / factor, cy + (y - cy) / factor) * factor


# --- painting ----------------------------------------------------------------------------------

def coverage(shape, px, py):
    inside = 0
    for j in range(SAMPLES):
        for i in range(SAMPLES):
            if shape(px + (i + 0.5) / SAMPLES, py + (j + 0.5) / SAMPLES) < 0:
                inside += 1
    return inside / (SAMPLES * SAMPLES)


def paint(canvas, shape, colour):
    for y in range(SIZE):
        for x in range(SIZE):
            a = coverage(shape, x, y)
            if a > 0:
                old = canvas[y][x]
                canvas[y][x] = tuple(round(o + (c - o) * a) for o, c in zip(old, colour))


def hex_colour(text):
    return tuple(int(text[i:i + 2], 16) for i in (1, 3, 5))


# --- the application icon -----------------------------------------------------------------------

RED = hex_colour("#C00000")
DEEP_RED = hex_colour("#7A0000")
WHITE = hex_colour("#FFFFFF")
INK = hex_colour("#2B1A1A")


def quill():
    """The Q's tail as a quill: the vane starts inside the bowl and the bare shaft runs out,
    sharpened to a nib, past the ring toward the square's lower right corner."""
    top_x, top_y, nib_x, nib_y = 15.4, 15.0, 26.4, 26.6
    length = math.hypot(nib_x - top_x, nib_y - top_y)
    ux, uy = (nib_x - top_x) / length, (nib_y - top_y) / length

    def d(x, y):
        along = (x - top_x) * ux + (y - top_y) * uy
        across = -(x - top_x) * uy + (y - top_y) * ux
        t = along / length
        if t < 0 or t > 1:
            return max(-along, along - length, abs(across) - 0.5)
        if t < 0.68:  # the vane: a rounded tip, broad in the middle, a little wider on one side
            s = t / 0.68
            half = 0.7 + 2.6 * math.sin(math.pi * (0.12 + 0.88 * s)) ** 0.6 * (
                1.2 if across < 0 else 0.8)
        else:  # the bare shaft, sharpened to the nib
            half = 0.75 * (1 - t) / 0.32 + 0.15
        return abs(across) - half
    return d


def application_icon():
    canvas = [[RED] * SIZE for _ in range(SIZE)]
    paint(canvas, subtract(rounded_box(16, 16, 16, 16, 0), rounded_box(16, 16, 15, 15, 0)), DEEP_RED)
    paint(canvas, circle(16, 16, 13.6), WHITE)
    bowl = lambda x, y: circle(14.6, 14.2, 8.8)(14.6 + (x - 14.6) / 0.9, y)
    hole = lambda x, y: circle(14.6, 14.2, 5.7)(14.6 + (x - 14.6) / 0.86, y)
    paint(canvas, subtract(bowl, hole), RED)
    feather = quill()
    paint(canvas, grown(feather, 1.1), WHITE)  # a white gap where the quill crosses the ring
    paint(canvas, feather, RED)
    paint(canvas, capsule(16.3, 16.0, 23.0, 23.2, 0.3), WHITE)  # the shaft down the vane
    paint(canvas, circle(26.3, 26.5, 0.8), INK)  # ink on the nib
    return canvas


# --- the Options icon ---------------------------------------------------------------------------

BONE = hex_colour("#E6DDC2")
SKULL = hex_colour("#F4EEDC")
EDGE = hex_colour("#45403A")
HOLLOW = hex_colour("#2A2420")
CLEAR_PIXELS = 445


def bone(ax, ay, bx, by):
    length = math.hypot(bx - ax, by - ay)
    nx, ny = -(by - ay) / length * 1.7, (bx - ax) / length * 1.7
    knobs = [circle(px + sx * nx, py + sx * ny, 2.3) for px, py in ((ax, ay), (bx, by))
             for sx in (-1, 1)]
    return union(capsule(ax, ay, bx, by, 1.7), *knobs)


# The drawing is mirror-symmetric, which would always leave an even number of pixels clear; the
# chip out of the crown breaks the tie. Size and chip were tried until 445 pixels came out clear.
FACTOR = 0.922
CHIP = (22.6, 4.6, 1.6)


def skull_parts():
    cranium = union(circle(16, 12.6, 9.6), rounded_box(16, 20.2, 6.3, 5.0, 2.2))
    eyes = union(circle(12.1, 13.4, 2.9), circle(19.9, 13.4, 2.9))
    nose = polygon([(16.0, 16.9), (14.6, 19.4), (17.4, 19.4)][::-1])
    teeth = union(*[capsule(x, 22.3, x, 25.0, 0.42) for x in (13.4, 16.0, 18.6)],
                  capsule(11.6, 22.3, 20.4, 22.3, 0.42))
    bones = union(bone(4.2, 4.2, 27.8, 27.8), bone(27.8, 4.2, 4.2, 27.8))
    chip = circle(*CHIP)
    return {name: scaled(shape, FACTOR) for name, shape in
            dict(cranium=cranium, eyes=eyes, nose=nose, teeth=teeth, bones=bones,
                 chip=chip).items()}


def options_icon():
    """The picture, and which pixels are opaque: those whose centre lies inside the outline."""
    parts = skull_parts()
    outline = subtract(grown(union(parts["bones"], parts["cranium"]), 1.0), parts["chip"])
    opaque = [[outline(x + 0.5, y + 0.5) < 0 for x in range(SIZE)] for y in range(SIZE)]
    canvas = [[EDGE] * SIZE for _ in range(SIZE)]
    paint(canvas, subtract(parts["bones"], grown(parts["chip"], 1.0)), BONE)
    paint(canvas, grown(parts["cranium"], 1.0), EDGE)
    paint(canvas, subtract(parts["cranium"], grown(parts["chip"], 1.0)), SKULL)
    paint(canvas, parts["eyes"], HOLLOW)
    paint(canvas, parts["nose"], HOLLOW)
    paint(canvas, parts["teeth"], EDGE)
    return canvas, opaque


# --- the .ico file ------------------------------------------------------------------------------

def ico(bits, palette, rows, mask):
    """One image: a directory entry, then a bitmap header, palette, colour rows and mask rows,
    both stored bottom row first."""
    and_rows = b"".join(
        int("".join("0" if o else "1" for o in row), 2).to_bytes(SIZE // 8, "big")
        for row in reversed(mask))
    xor = b"".join(reversed(rows))
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE * 2, 1, bits, 0, len(xor) + len(and_rows),
                         0, 0, len(palette) // 4, 0)
    image = header + palette + xor + and_rows
    directory = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", SIZE, SIZE, 0, 0, 1, bits, len(image), 6 + 16)
    return directory + entry + image


def write_application_icon():
    canvas = application_icon()
    rows = [b"".join(bytes((b, g, r)) for r, g, b in row) for row in canvas]
    mask = [[True] * SIZE for _ in range(SIZE)]
    (OUT / "calmora.ico").write_bytes(ico(24, b"", rows, mask))


def write_options_icon():
    canvas, opaque = options_icon()
    clear = sum(not o for row in opaque for o in row)
    if clear != CLEAR_PIXELS:
        raise SystemExit(f"options icon leaves {clear} pixels clear, not {CLEAR_PIXELS}")
    # Clear pixels take palette entry 0, black, as the platform expects under a set mask bit.
    colours = [(0, 0, 0)]
    for y in range(SIZE):
        for x in range(SIZE):
            if opaque[y][x] and canvas[y][x] not in colours:
                colours.append(canvas[y][x])
    if len(colours) > 256:
        raise SystemExit(f"options icon needs {len(colours)} colours; a palette holds 256")
    palette = b"".join(bytes((b, g, r, 0)) for r, g, b in colours)
    palette += bytes(4 * (256 - len(colours)))
    rows = [bytes(colours.index(canvas[y][x]) if opaque[y][x] else 0 for x in range(SIZE))
            for y in range(SIZE)]
    (OUT / "options.ico").write_bytes(ico(8, palette, rows, opaque))
    print(f"options.ico: {len(colours)} colours, {clear} of {SIZE * SIZE} pixels clear")


if __name__ == "__main__":
    write_application_icon()
    write_options_icon()
