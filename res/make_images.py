#!/usr/bin/env python3
"""Draws the tool's bitmaps and icons as files for the resource compiler.

Everything here is drawn by this script; nothing comes from elsewhere.
Run it from any folder; it writes next to itself.
"""
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))


def canvas(width, height, color):
    return [[color] * width for _ in range(height)]


def rect(img, x0, y0, x1, y1, color):
    for y in range(max(0, y0), min(len(img), y1)):
        for x in range(max(0, x0), min(len(img[0]), x1)):
            img[y][x] = color


def frame(img, x0, y0, x1, y1, color):
    rect(img, x0, y0, x1, y0 + 1, color)
    rect(img, x0, y1 - 1, x1, y1, color)
    rect(img, x0, y0, x0 + 1, y1, color)
    rect(img, x1 - 1, y0, x1, y1, color)


def address_book(size, background):
    """A blue book with white index tabs and a person on its cover."""
    s = size / 32.0
    img = canvas(size, size, background)
    p = lambda v: int(round(v * s))
    rect(img, p(5), p(3), p(26), p(29), (30, 60, 150))          # cover
    rect(img, p(5), p(3), p(8), p(29), (20, 40, 100))           # spine
    for i, y in enumerate((6, 12, 18, 24)):                      # index tabs
        rect(img, p(26), p(y), p(29), p(y + 4), [(250, 200, 60), (240, 120, 120),
                                                  (120, 200, 120), (140, 170, 250)][i])
    rect(img, p(13), p(8), p(20), p(15), (255, 220, 180))        # head
    rect(img, p(11), p(16), p(22), p(24), (255, 255, 255))       # body
    frame(img, p(5), p(3), p(26), p(29), (10, 20, 60))
    return img


def write_bmp8(path, img):
    """A 256-colour bottom-up Windows bitmap."""
    height, width = len(img), len(img[0])
    palette = []
    for row in img:
        for c in row:
            if c not in palette:
                palette.append(c)
    palette += [(0, 0, 0)] * (256 - len(palette))
    stride = (width + 3) & ~3
    pixels = b"".join(
        bytes(palette.index(c) for c in row) + b"\0" * (stride - width) for row in reversed(img))
    offset = 14 + 40 + 256 * 4
    header = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 8, 0, len(pixels), 2835, 2835, 256, 0)
    pal = b"".join(struct.pack("<BBBB", b, g, r, 0) for (r, g, b) in palette)
    with open(path, "wb") as f:
        f.write(header + info + pal + pixels)


def ico_image(img):
    """A 32-bit image with its AND mask, as an icon directory entry holds it."""
    height, width = len(img), len(img[0])
    info = struct.pack("<IiiHHIIiiII", 40, width, height * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    pixels = b"".join(struct.pack("<BBBB", b, g, r, 255) for row in reversed(img) for (r, g, b) in row)
    mask_stride = ((width + 31) // 32) * 4
    mask = b"\0" * (mask_stride * height)
    return info + pixels + mask


def write_ico(path, images):
    entries, blobs = b"", b""
    offset = 6 + 16 * len(images)
    for img in images:
        blob = ico_image(img)
        size = len(img)
        entries += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(blob), offset)
        offset += len(blob)
        blobs += blob
    with open(path, "wb") as f:
        f.write(struct.pack("<HHH", 0, 1, len(images)) + entries + blobs)


def main():
    white = (255, 255, 255)
    write_ico(os.path.join(HERE, "panel.ico"), [address_book(32, white), address_book(16, white)])
    write_bmp8(os.path.join(HERE, "tool.bmp"), address_book(32, (192, 192, 192)))
    write_bmp8(os.path.join(HERE, "tool_alt.bmp"), address_book(32, (255, 255, 200)))


if __name__ == "__main__":
    main()
