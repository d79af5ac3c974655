#!/usr/bin/env python3
"""Draws the program icon (a small tool panel with three buttons) as a .ico
with 16x16 and 32x32 images in 32-bit colour."""
import struct
import sys


def image(size):
    px = []
    for y in range(size):
        row = []
        for x in range(size):
            edge = x in (0, size - 1) or y in (0, size - 1)
            title = y < size // 4
            cell = (x * 3) // size
            cx = (x * 3) % size
            button = not title and y > size // 4 + 1 and y < size - 2 and 1 < cx < size - 2
            if edge:
                c = (32, 48, 96, 255)
            elif title:
                c = (40, 90, 200, 255)
            elif button:
                c = [(230, 90, 60, 255), (70, 170, 80, 255), (240, 200, 50, 255)][cell]
            else:
                c = (210, 214, 222, 255)
            row.append(c)
        px.append(row)
    # Bitmap rows bottom-up, BGRA, then an all-opaque AND mask.
    data = b"".join(struct.pack("BBBB", b, g, r, a) for row in reversed(px) for (r, g, b, a) in row)
    mask_row = ((size + 31) // 32) * 4
    mask = b"\0" * (mask_row * size)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, len(data) + len(mask), 0, 0, 0, 0)
    return header + data + mask


def main(path):
    sizes = [16, 32]
    images = [image(s) for s in sizes]
    out = struct.pack("<HHH", 0, 1, len(sizes))
    offset = 6 + 16 * len(sizes)
    for s, img in zip(sizes, images):
        out += struct.pack("<BBBBHHII", s, s, 0, 0, 1, 32, len(img), offset)
        offset += len(img)
    out += b"".join(images)
    with open(path, "wb") as f:
        f.write(out)


if __name__ == "__main__":
    main(sys.argv[1])
