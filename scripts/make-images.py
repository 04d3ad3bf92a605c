#!/usr/bin/env python3
"""Draws the toolbar strip into res/: a 16-colour bitmap of seven 17 x 15
button images. (The icon is drawn as an SVG; scripts/render-icons renders it.)"""
import math
import os
import struct

RES = os.path.join(os.path.dirname(__file__), '..', 'res')

# The 16-colour palette: index 0 black, 7 the button face grey.
PALETTE = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128),
           (0, 128, 128), (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0),
           (255, 255, 0), (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255)]
BLACK, FACE = 0, 7


def inside_triangle(px, py, a, b, c):
    def side(p, q, r):
        return (p[0] - r[0]) * (q[1] - r[1]) - (q[0] - r[0]) * (p[1] - r[1])
    d1, d2, d3 = side((px, py), a, b), side((px, py), b, c), side((px, py), c, a)
    return not ((d1 < 0 or d2 < 0 or d3 < 0) and (d1 > 0 or d2 > 0 or d3 > 0))


def button(shape):
    img = [[FACE] * 17 for _ in range(15)]
    for y in range(15):
        for x in range(17):
            cx, cy = x + 0.5, y + 0.5
            on = False
            if shape == 'left':
                on = inside_triangle(cx, cy, (4, 7.5), (12, 2.5), (12, 12.5))
            elif shape == 'right':
                on = inside_triangle(cx, cy, (13, 7.5), (5, 2.5), (5, 12.5))
            elif shape == 'up':
                on = inside_triangle(cx, cy, (8.5, 3), (3.5, 11), (13.5, 11))
            elif shape == 'down':
                on = inside_triangle(cx, cy, (8.5, 12), (3.5, 4), (13.5, 4))
            elif shape == 'plus':
                on = (7 <= x <= 9 and 3 <= y <= 11) or (4 <= x <= 12 and 6 <= y <= 8)
            elif shape == 'minus':
                on = 4 <= x <= 12 and 6 <= y <= 8
            elif shape == 'circle':
                on = math.hypot(cx - 8.5, cy - 7.5) <= 4.6
            if on:
                img[y][x] = BLACK
    return img


def write_toolbar():
    shapes = ['left', 'right', 'up', 'down', 'plus', 'minus', 'circle']
    width, height = 17 * len(shapes), 15
    pixels = [[FACE] * width for _ in range(height)]
    for i, s in enumerate(shapes):
        img = button(s)
        for y in range(height):
            for x in range(17):
                pixels[y][17 * i + x] = img[y][x]
    row_bytes = ((width * 4 + 31) // 32) * 4
    data = bytearray()
    for y in reversed(range(height)):  # bottom-up rows
        row = bytearray()
        for x in range(0, width, 2):
            hi = pixels[y][x]
            lo = pixels[y][x + 1] if x + 1 < width else 0
            row.append((hi << 4) | lo)
        row += bytes(row_bytes - len(row))
        data += row
    palette = b''.join(bytes((b, g, r, 0)) for r, g, b in PALETTE)
    offset = 14 + 40 + len(palette)
    header = b'BM' + struct.pack('<IHHI', offset + len(data), 0, 0, offset)
    info = struct.pack('<IiiHHIIiiII', 40, width, height, 1, 4, 0, len(data), 2835, 2835, 16, 16)
    with open(os.path.join(RES, 'toolbar.bmp'), 'wb') as f:
        f.write(header + info + palette + bytes(data))


write_toolbar()
