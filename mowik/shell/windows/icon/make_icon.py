#!/usr/bin/env python3
"""Draws Mowik's program icon and writes it as mowik.ico (16x16 and 32x32, 32-bit colour with
alpha): a loudspeaker with two sound waves on a round red-and-white badge, the colours of the
Polish flag. Drawn by supersampling each pixel, so the output is the same on every machine:
    python3 mowik/shell/windows/icon/make_icon.py mowik/shell/windows/icon/mowik.ico
"""
import math
import struct
import sys

SAMPLES = 8  # per pixel and axis


def colour_at(x, y):
    """The colour (r, g, b, a) at a point of the unit square, y downwards."""
    dx, dy = x - 0.5, y - 0.5
    r = math.hypot(dx, dy)
    if r > 0.49:
        return (0, 0, 0, 0)
    if r > 0.44:
        return (90, 20, 30, 255)  # the badge's rim
    # Loudspeaker: a box and a cone, dark on the badge.
    if 0.22 <= x <= 0.34 and 0.40 <= y <= 0.60:
        return (30, 30, 40, 255)
    if 0.34 <= x <= 0.50 and abs(dy) <= 0.10 + (x - 0.34) * 1.1:
        return (30, 30, 40, 255)
    # Two sound waves: arcs centred on the cone's mouth.
    wx, wy = x - 0.50, y - 0.5
    wr = math.hypot(wx, wy)
    angle = abs(math.atan2(wy, wx))
    if wx > 0 and angle < 0.85:
        for radius in (0.12, 0.24):
            if abs(wr - radius) < 0.035:
                return (30, 30, 40, 255)
    # The badge: white above, red below.
    return (255, 255, 255, 255) if y < 0.5 else (220, 20, 60, 255)


def image(size):
    """Rows top to bottom of (r, g, b, a), each pixel the mean of its samples."""
    rows = []
    for py in range(size):
        row = []
        for px in range(size):
            acc = [0, 0, 0, 0]
            for sy in range(SAMPLES):
                for sx in range(SAMPLES):
                    c = colour_at((px + (sx + 0.5) / SAMPLES) / size, (py + (sy + 0.5) / SAMPLES) / size)
                    for i in range(3):
                        acc[i] += c[i] * c[3]
                    acc[3] += c[3]
            n = SAMPLES * SAMPLES
            alpha = acc[3] / n
            if alpha == 0:
                row.append((0, 0, 0, 0))
            else:
                row.append(tuple(round(acc[i] / acc[3]) for i in range(3)) + (round(alpha),))
        rows.append(row)
    return rows


def bitmap(size):
    rows = image(size)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    pixels = b"".join(bytes((b, g, r, a)) for row in reversed(rows) for (r, g, b, a) in row)
    mask_row = ((size + 31) // 32) * 4
    mask = b""
    for row in reversed(rows):
        out = bytearray(mask_row)
        for x, (_, _, _, a) in enumerate(row):
            if a < 128:
                out[x // 8] |= 0x80 >> (x % 8)
        mask += bytes(out)
    return header + pixels + mask


def main():
    sizes = (16, 32)
    images = [bitmap(s) for s in sizes]
    out = struct.pack("<HHH", 0, 1, len(sizes))
    offset = 6 + 16 * len(sizes)
    for size, data in zip(sizes, images):
        out += struct.pack("<BBBBHHII", size, size, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    out += b"".join(images)
    with open(sys.argv[1] if len(sys.argv) > 1 else "mowik.ico", "wb") as f:
        f.write(out)


if __name__ == "__main__":
    main()
