#!/usr/bin/env python3
"""Draws the Tallowin icon: a fuel tank beside a page of configuration text.

Writes resources/Logo.ico (one 256 x 256 image, 32 bits with alpha, stored as PNG)
and packaging/linux/icons/hicolor/<size>x<size>/apps/Tallowin.png, the hicolor theme sizes.
Standard library only; the output is the same byte for byte on every run.

    python3 resources/draw-icon.py
"""
import struct
import zlib
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
SIZES = (16, 32, 48, 64, 128, 256)

NAVY = (0x22, 0x32, 0x4A)
STEEL = (0xE8, 0xEE, 0xF4)
STEEL_SHADE = (0xBF, 0xCC, 0xDA)
ORANGE = (0xF2, 0x8C, 0x28)
ORANGE_SHADE = (0xD2, 0x6E, 0x14)
PAPER = (0xFF, 0xFF, 0xFF)
FOLD = (0xC9, 0xD4, 0xE2)
INK = (0x2F, 0x6F, 0xD0)
GAP = None   # erases what lies below


# Shapes are signed distance functions in a 256-unit design space:
# negative inside, positive outside, so that edges can be anti-aliased exactly.
def box(x0, y0, x1, y1, r=0.0):
    cx, cy, hx, hy = (x0 + x1) / 2, (y0 + y1) / 2, (x1 - x0) / 2 - r, (y1 - y0) / 2 - r

    def sdf(x, y):
        qx, qy = abs(x - cx) - hx, abs(y - cy) - hy
        outside = (max(qx, 0.0) ** 2 + max(qy, 0.0) ** 2) ** 0.5
        return outside + min(max(qx, qy), 0.0) - r
    return sdf


def polygon(*points):
    """A convex polygon, corners listed clockwise (y down)."""
    edges = []
    for (ax, ay), (bx, by) in zip(points, points[1:] + points[:1]):
        length = ((bx - ax) ** 2 + (by - ay) ** 2) ** 0.5
        edges.append((ax, ay, (by - ay) / length, (ax - bx) / length))
    return lambda x, y: max((x - ax) * nx + (y - ay) * ny for ax, ay, nx, ny in edges)


def inset(shape, amount):
    return lambda x, y: shape(x, y) + amount


def both(a, b):
    return lambda x, y: max(a(x, y), b(x, y))


def layers(size):
    """The icon's layers, bottom first, for one pixel size."""
    unit = 256 / size

    def snap(*values):   # edges on whole pixels keep small sizes crisp
        return [round(v / unit) * unit for v in values]

    stroke = max(1, round(12 * size / 256)) * unit
    tank = box(32, 32, 160, 240, 48)
    tank_inside = inset(tank, stroke)
    shade = both(tank_inside, box(*snap(124, 0, 256, 256)))
    if size <= 16:
        page = box(144, 96, 240, 240)
        fold = None
    else:
        page = polygon((144, 96), (200, 96), (240, 136), (240, 240), (144, 240))
        fold = polygon((200, 96), (240, 136), (200, 136))

    result = [
        (box(*snap(78, 16, 114, 40), 4), NAVY),     # top attachment node
        (tank, NAVY),
        (tank_inside, STEEL),
        (shade, STEEL_SHADE),
    ]
    for top in (80, 168):
        band = both(tank_inside, box(*snap(0, top, 256, top + 28)))
        result += [(band, ORANGE), (both(band, shade), ORANGE_SHADE)]
    result += [
        (inset(page, -stroke), GAP),                # a transparent gap parts page and tank
        (page, NAVY),
        (inset(page, stroke), PAPER),
    ]
    if fold:
        result += [(fold, NAVY), (inset(fold, stroke * 0.6), FOLD)]
    # Lines of text, indented like the text the program writes; fewer and bolder where pixels are few.
    if size <= 16:
        lines, height = [(160, 224, 168), (160, 208, 200)], 16
    elif size <= 32:
        lines, height = [(160, 216, 160), (176, 224, 184), (160, 208, 208)], 16
    else:
        lines, height = [(160, 216, 150), (176, 224, 172), (176, 208, 194), (160, 200, 216)], 11
    for x0, x1, y in lines:
        x0, y0, x1 = snap(x0, y - height / 2, x1)
        y1 = y0 + max(1, round(height / unit)) * unit
        result.append((box(x0, y0, x1, y1, height / 2), INK))
    return result


def render(size):
    unit = 256 / size
    drawn = layers(size)
    rows = []
    for py in range(size):
        row = bytearray()
        for px in range(size):
            x, y = (px + 0.5) * unit, (py + 0.5) * unit
            r = g = b = a = 0.0   # premultiplied
            for shape, colour in drawn:
                cover = min(max(0.5 - shape(x, y) / unit, 0.0), 1.0)
                if cover <= 0.0:
                    continue
                if colour is GAP:
                    r, g, b, a = (v * (1 - cover) for v in (r, g, b, a))
                    continue
                r, g, b = (c / 255 * cover + v * (1 - cover) for c, v in zip(colour, (r, g, b)))
                a = cover + a * (1 - cover)
            if a > 0:
                row += bytes(round(v / a * 255) for v in (r, g, b)) + bytes([round(a * 255)])
            else:
                row += bytes(4)
        rows.append(bytes(row))
    return rows


def png(size, rows):
    def chunk(kind, data):
        return (struct.pack(">I", len(data)) + kind + data
                + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF))
    header = struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)   # 8-bit RGBA
    pixels = zlib.compress(b"".join(b"\0" + row for row in rows), 9)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", pixels)
            + chunk(b"IEND", b""))


def ico(image):
    """An icon file holding one 256 x 256, 32-bit image (0 in the entry means 256)."""
    header = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", 0, 0, 0, 0, 1, 32, len(image), 6 + 16)
    return header + entry + image


def main():
    for size in SIZES:
        image = png(size, render(size))
        icons = ROOT / "packaging" / "linux" / "icons" / "hicolor" / f"{size}x{size}" / "apps"
        icons.mkdir(parents=True, exist_ok=True)
        (icons / "Tallowin.png").write_bytes(image)
        if size == 256:
            (ROOT / "resources" / "Logo.ico").write_bytes(ico(image))


if __name__ == "__main__":
    main()
