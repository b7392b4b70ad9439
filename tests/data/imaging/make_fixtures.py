#!/usr/bin/env python3
"""Writes the small TIFF, BigTIFF, TGA, BMP and JPEG files of this folder.

Every file is built byte by byte here (the JPEG's pixels come from vips, its
EXIF block is written here), so that the loading tests do not depend on the
code they check. Each holds a few pixels of known colours:

  stored 3 x 2 picture, top row first:  (200, 30, 30) (30, 200, 30) (30, 30, 200)
                                         (250, 250, 10) (10, 250, 250) (250, 10, 250)

Run it from anywhere; it rewrites the files beside itself (the JPEG needs
vips, from Debian's libvips-tools). The fuzzers' seed script borrows its TIFF
and JPEG writers.
"""
import os
import struct
import subprocess
import tempfile
import zlib

here = os.path.dirname(os.path.abspath(__file__))

STORED = [[(200, 30, 30), (30, 200, 30), (30, 30, 200)],
          [(250, 250, 10), (10, 250, 250), (250, 10, 250)]]

SHORT, LONG, LONG8 = 3, 4, 16
TYPE_SIZE = {SHORT: 2, LONG: 4, LONG8: 8}


def write(name, data):
    with open(os.path.join(here, name), "wb") as f:
        f.write(data)


# ---- TIFF and BigTIFF ----

def tiff(width, height, blocks, tags, big=False, big_endian=False, tile=None):
    """A TIFF file: header, the one directory, its long values, then the blocks.

    blocks: the encoded strips or tiles; tags: {tag: (type, [values])} without
    the size, offset and byte-count tags, which are added here.
    """
    order = ">" if big_endian else "<"
    offset_type = LONG8 if big else LONG
    tags = dict(tags)
    tags[256] = (LONG, [width])
    tags[257] = (LONG, [height])
    if tile:
        tags[322] = (LONG, [tile[0]])
        tags[323] = (LONG, [tile[1]])
        offsets_tag, counts_tag = 324, 325
    else:
        offsets_tag, counts_tag = 273, 279
    tags[offsets_tag] = (offset_type, [0] * len(blocks))
    tags[counts_tag] = (LONG, [len(b) for b in blocks])

    header_size = 16 if big else 8
    entry_size, count_size, inline = (20, 8, 8) if big else (12, 2, 4)
    ifd_size = count_size + entry_size * len(tags) + (8 if big else 4)
    extra_size = sum(len(v) * TYPE_SIZE[t] for t, v in tags.values() if len(v) * TYPE_SIZE[t] > inline)
    data_start = header_size + ifd_size + extra_size
    offsets, at = [], data_start
    for b in blocks:
        offsets.append(at)
        at += len(b)
    tags[offsets_tag] = (offset_type, offsets)

    def pack_values(t, values):
        code = {SHORT: "H", LONG: "I", LONG8: "Q"}[t]
        return struct.pack(order + code * len(values), *values)

    if big:
        head = (b"MM" if big_endian else b"II") + struct.pack(order + "HHHQ", 43, 8, 0, header_size)
    else:
        head = (b"MM" if big_endian else b"II") + struct.pack(order + "HI", 42, header_size)
    ifd = struct.pack(order + ("Q" if big else "H"), len(tags))
    extra = b""
    extra_at = header_size + ifd_size
    for tag in sorted(tags):
        t, values = tags[tag]
        raw = pack_values(t, values)
        if len(raw) > inline:
            field = struct.pack(order + ("Q" if big else "I"), extra_at + len(extra))
            extra += raw
        else:
            field = raw + bytes(inline - len(raw))
        ifd += struct.pack(order + ("HHQ" if big else "HHI"), tag, t, len(values)) + field
    ifd += bytes(8 if big else 4)
    return head + ifd + extra + b"".join(blocks)


def rgb_tags(samples=3, bits=8, extra=None, orientation=1, rows_per_strip=None):
    tags = {258: (SHORT, [bits] * samples), 259: (SHORT, [1]), 262: (SHORT, [2]),
            277: (SHORT, [samples]), 284: (SHORT, [1])}
    if orientation != 1:
        tags[274] = (SHORT, [orientation])
    if extra is not None:
        tags[338] = (SHORT, [extra])
    if rows_per_strip is not None:
        tags[278] = (LONG, [rows_per_strip])
    return tags


def strips_of_rows(rows):
    return [bytes(r) for r in rows]


def stored_rgb_rows():
    return [bytes(c for p in row for c in p) for row in STORED]


def tiles_of(pixel_bytes, width, height, tile_w, tile_h, pixel_size):
    """Cuts a picture (a function (x, y) -> bytes) into tiles, padding with zeros."""
    tiles = []
    for ty in range(0, height, tile_h):
        for tx in range(0, width, tile_w):
            t = b""
            for y in range(ty, ty + tile_h):
                for x in range(tx, tx + tile_w):
                    t += pixel_bytes(x, y) if x < width and y < height else bytes(pixel_size)
            tiles.append(t)
    return tiles


def orientation_files():
    # The stored 3 x 2 picture turned a quarter clockwise for display (6), in
    # every storage the reader has: RGB strips, RGB tiles, grey, palette.
    write("tiff_rgb_strips_orientation_6.tif",
          tiff(3, 2, stored_rgb_rows(), rgb_tags(orientation=6, rows_per_strip=1)))
    rgb = lambda x, y: bytes(STORED[y][x])
    write("tiff_rgb_tiles_orientation_8.tif",
          tiff(3, 2, tiles_of(rgb, 3, 2, 16, 16, 3), rgb_tags(orientation=8), tile=(16, 16)))
    grey_tags = {258: (SHORT, [8]), 259: (SHORT, [1]), 262: (SHORT, [1]), 277: (SHORT, [1]),
                 274: (SHORT, [5]), 278: (LONG, [1])}
    grey_rows = [bytes(p[0] for p in row) for row in STORED]
    write("tiff_grey_orientation_5.tif", tiff(3, 2, grey_rows, grey_tags))
    # Palette: index x + 3 y, the colour map holding the stored colours.
    cmap = [0] * (3 * 256)
    for y in range(2):
        for x in range(3):
            for c in range(3):
                cmap[c * 256 + x + 3 * y] = STORED[y][x][c] * 257
    palette_tags = {258: (SHORT, [8]), 259: (SHORT, [1]), 262: (SHORT, [3]), 277: (SHORT, [1]),
                    274: (SHORT, [7]), 278: (LONG, [1]), 320: (SHORT, cmap)}
    write("tiff_palette_orientation_7.tif", tiff(3, 2, [bytes([0, 1, 2]), bytes([3, 4, 5])], palette_tags))


def damaged_files():
    # Palette, 8 rows of one strip each, the file cut in the fifth strip: the
    # reader once showed the top rows again at the bottom.
    cmap = [(i * 997) & 0xffff for i in range(3 * 256)]
    palette_tags = {258: (SHORT, [8]), 259: (SHORT, [1]), 262: (SHORT, [3]), 277: (SHORT, [1]),
                    278: (LONG, [1]), 320: (SHORT, cmap)}
    whole = tiff(16, 8, [bytes((x + y * 16) & 255 for x in range(16)) for y in range(8)], palette_tags)
    write("tiff_palette_cut_short.tif", whole[:len(whole) - 16 * 3 - 5])
    # 16-bit grey in one LZW strip (rows per strip far beyond the height)
    # whose code stream breaks off after a few codes: it once came out black.
    grey16_tags = {258: (SHORT, [16]), 259: (SHORT, [5]), 262: (SHORT, [1]), 277: (SHORT, [1]),
                   278: (LONG, [0xfffffff0])}
    write("tiff_broken_lzw_strip.tif", tiff(4, 4, [bytes([0x80, 0x00, 0x20, 0x11, 0x22])], grey16_tags))
    # RGB tiles, the second tile missing.
    rgb = lambda x, y: bytes(STORED[y % 2][x % 3])
    tiled = tiff(32, 16, tiles_of(rgb, 32, 16, 16, 16, 3), rgb_tags(), tile=(16, 16))
    write("tiff_tiles_cut_short.tif", tiled[:len(tiled) - 16 * 16 * 3 + 7])


def alpha_files():
    # Pixels (200, 100, 50) at alpha 0, 128 and 255, as one row.
    alphas = [0, 128, 255]
    unassociated = bytes(c for a in alphas for c in (200, 100, 50, a))
    rgba = lambda x, y: unassociated[4 * x:4 * x + 4]
    write("tiff_unassociated_alpha_strips.tif", tiff(3, 1, [unassociated], rgb_tags(samples=4, extra=2)))
    write("tiff_unassociated_alpha_tiles.tif",
          tiff(3, 1, tiles_of(rgba, 3, 1, 16, 16, 4), rgb_tags(samples=4, extra=2), tile=(16, 16)))
    sixteen = b"".join(struct.pack("<4H", 200 * 257, 100 * 257, 50 * 257, a * 257) for a in alphas)
    write("tiff_unassociated_alpha_16.tif", tiff(3, 1, [sixteen], rgb_tags(samples=4, bits=16, extra=2)))
    # Associated: the colours stored premultiplied, (c * a + 127) // 255.
    premultiplied = bytes(v for a in alphas for v in [(c * a + 127) // 255 for c in (200, 100, 50)] + [a])
    write("tiff_associated_alpha.tif", tiff(3, 1, [premultiplied], rgb_tags(samples=4, extra=1)))


def bigtiff_files():
    write("bigtiff_strips.tif", tiff(3, 2, stored_rgb_rows(), rgb_tags(rows_per_strip=1), big=True))
    rgb = lambda x, y: bytes(STORED[y][x])
    write("bigtiff_big_endian_tiles.tif",
          tiff(3, 2, tiles_of(rgb, 3, 2, 16, 16, 3), rgb_tags(), big=True, big_endian=True, tile=(16, 16)))


# ---- TGA ----

def tga(image_type, w, h, depth, data, cmap=b"", cmap_entry=0, cmap_length=0):
    head = struct.pack("<BBBHHBHHHHBB", 0, 1 if cmap else 0, image_type, 0, cmap_length, cmap_entry,
                       0, 0, w, h, depth, 0x20)  # top row first
    return head + cmap + data


def tga_files():
    # 16-bit grey with alpha: (grey, alpha) byte pairs, once shown as 5-5-5 colour.
    pairs = bytes([0, 255, 64, 0, 128, 99, 255, 255])
    write("tga_grey_alpha_16.tga", tga(3, 4, 1, 16, pairs))
    # The same run-length encoded: one run of two, then two raw pixels.
    write("tga_grey_alpha_16_rle.tga", tga(11, 4, 1, 16, bytes([0x81, 200, 7, 0x01, 10, 0, 250, 1])))
    # Colour-mapped pixels 0, 1, 2 with 16-bit (5-5-5) and 32-bit map entries.
    entries16 = struct.pack("<3H", 0x7c00, 0x03e0, 0x001f)
    write("tga_colour_map_16.tga", tga(1, 3, 1, 8, bytes([2, 1, 0]), entries16, 16, 3))
    entries32 = bytes([10, 20, 30, 255, 40, 50, 60, 0, 70, 80, 90, 128])
    write("tga_colour_map_32.tga", tga(1, 3, 1, 8, bytes([2, 1, 0]), entries32, 32, 3))


# ---- BMP ----

def bmp16(pixels, masks=None):
    """A 16-bit BMP of one row; masks (red, green, blue) give bit fields."""
    row = struct.pack("<%dH" % len(pixels), *pixels)
    row += bytes((4 - len(row) % 4) % 4)
    fields = struct.pack("<3I", *masks) if masks else b""
    offset = 14 + 40 + len(fields)
    info = struct.pack("<IiiHHIIiiII", 40, len(pixels), 1, 1, 16, 3 if masks else 0, len(row), 2835, 2835, 0, 0)
    return b"BM" + struct.pack("<IHHI", offset + len(row), 0, 0, offset) + info + fields + row


def bmp_files():
    # White, a mid grey and pure red, green and blue.
    write("bmp_16_555.bmp", bmp16([0x7fff, 0x4210, 0x7c00, 0x03e0, 0x001f]))
    write("bmp_16_565_bit_fields.bmp", bmp16([0xffff, 0x8410, 0xf800, 0x07e0, 0x001f], (0xf800, 0x07e0, 0x001f)))


# ---- JPEG with an EXIF orientation ----

def exif_orientation_block(orientation):
    entry = struct.pack(">HHIHH", 274, SHORT, 1, orientation, 0)
    tiff_block = b"MM" + struct.pack(">HI", 42, 8) + struct.pack(">H", 1) + entry + bytes(4)
    payload = b"Exif\0\0" + tiff_block
    return b"\xff\xe1" + struct.pack(">H", len(payload) + 2) + payload


def jpeg_files():
    # 300 x 200 stored: red left half, blue right half, a green band along the
    # top 40 rows. Orientation 6 shows it 200 x 300, the green band on the right.
    w, h = 300, 200
    ppm = b"P6 %d %d 255\n" % (w, h)
    for y in range(h):
        for x in range(w):
            ppm += bytes((0, 200, 0) if y < 40 else (220, 20, 20) if x < 150 else (20, 20, 220))
    with tempfile.TemporaryDirectory() as folder:
        src = os.path.join(folder, "in.ppm")
        out = os.path.join(folder, "out.jpg")
        with open(src, "wb") as f:
            f.write(ppm)
        subprocess.run(["vips", "copy", src, out + "[Q=90,strip]"], check=True)
        with open(out, "rb") as f:
            jpeg = f.read()
    write("jpeg_exif_orientation_6.jpg", jpeg[:2] + exif_orientation_block(6) + jpeg[2:])


if __name__ == "__main__":
    orientation_files()
    damaged_files()
    alpha_files()
    bigtiff_files()
    tga_files()
    bmp_files()
    jpeg_files()
