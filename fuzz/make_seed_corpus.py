#!/usr/bin/env python3
"""Writes the small seed files of corpus/tga, corpus/pcx, corpus/bmp,
corpus/png, corpus/jpeg, corpus/tiff and corpus/script.

Each seed is a valid picture of one kind the decoder knows, so that the fuzzer
starts from every branch: TGA of every type and depth (with run packets that
cross rows), PCX of every plane and bit combination, BMP with and without file
header, core and information headers, run-length and bit-field data; PNG of
every colour type; JPEG baseline, progressive and grey, with an EXIF
orientation; TIFF strips, tiles, planes, palette, alpha, BigTIFF and a profile
tag; scripts of the runner with every kind of word.
"""
import os
import struct
import subprocess
import sys
import tempfile
import zlib

here = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(here, "..", "tests", "data", "imaging"))
import make_fixtures as fixtures  # noqa: E402


def write(kind, name, data):
    folder = os.path.join(here, "corpus", kind)
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, name), "wb") as f:
        f.write(data)


def tga(image_type, w, h, depth, data, descriptor=0, cmap=b"", id_field=b""):
    map_type = 1 if cmap else 0
    head = struct.pack("<BBBHHBHHHHBB", len(id_field), map_type, image_type, 0,
                       len(cmap) // 3, 24 if cmap else 0, 0, 0, w, h, depth, descriptor)
    return head + id_field + cmap + data


def tga_seeds():
    grey_ramp = bytes(range(12))
    write("tga", "mapped_8.tga", tga(1, 4, 3, 8, grey_ramp, cmap=bytes(range(48)), id_field=b"seed"))
    write("tga", "rgb_24.tga", tga(2, 3, 2, 24, bytes(range(18))))
    write("tga", "rgb_24_top_first.tga", tga(2, 3, 2, 24, bytes(range(18)), descriptor=0x20))
    write("tga", "rgb_24_right_to_left.tga", tga(2, 3, 2, 24, bytes(range(18)), descriptor=0x10))
    write("tga", "rgb_16.tga", tga(2, 2, 2, 16, struct.pack("<4H", 0x7fff, 0x1f, 0x3e0, 0x7c00)))
    write("tga", "rgb_15.tga", tga(2, 2, 1, 15, struct.pack("<2H", 0x1234, 0x4321)))
    write("tga", "rgba_32.tga", tga(2, 2, 1, 32, bytes(range(8))))
    write("tga", "grey_8.tga", tga(3, 4, 3, 8, grey_ramp))
    # Run-length: a run of 5 over a 4-wide row, a raw packet across a row end.
    write("tga", "rle_24.tga", tga(10, 4, 2, 24, bytes([0x01, 1, 2, 3, 4, 5, 6, 0x84, 9, 8, 7, 0, 4, 5, 6])))
    write("tga", "rle_8_mapped.tga", tga(9, 3, 3, 8, bytes([0x84, 2, 0x03, 1, 2, 3, 4]), cmap=bytes(range(12))))
    write("tga", "rle_grey.tga", tga(11, 2, 4, 8, bytes([0x86, 77, 0x00, 5])))
    write("tga", "rle_32.tga", tga(10, 2, 2, 32, bytes([0x83, 1, 2, 3, 4])))
    write("tga", "rle_16.tga", tga(10, 3, 1, 16, bytes([0x00, 0xff, 0x7f, 0x81, 0x1f, 0x00])))
    write("tga", "grey_alpha_16.tga", fixtures.tga(3, 2, 1, 16, bytes([9, 255, 200, 0])))
    write("tga", "map_16_entries.tga", fixtures.tga(1, 2, 1, 8, bytes([1, 0]), struct.pack("<2H", 0x7c00, 0x1f), 16, 2))
    write("tga", "map_32_entries.tga", fixtures.tga(1, 2, 1, 8, bytes([1, 0]), bytes(range(8)), 32, 2))


def pcx_header(bits, w, h, planes, bpl, palette16=b""):
    head = struct.pack("<BBBBHHHHHH", 10, 5, 1, bits, 0, 0, w - 1, h - 1, 96, 96)
    head += palette16.ljust(48, b"\0") + bytes([0, planes]) + struct.pack("<HH", bpl, 1)
    return head.ljust(128, b"\0")


def pcx_seeds():
    # 3 x 2, 24 bits: three planes per row, bytes per line 4.
    rows = bytes([0xC3, 200, 0, 1, 2, 3, 0, 0xC1, 0xC5, 7, 8, 0]) * 2
    write("pcx", "rgb_24.pcx", pcx_header(8, 3, 2, 3, 4) + rows)
    write("pcx", "rgba_32.pcx", pcx_header(8, 2, 1, 4, 2) + bytes([1, 2, 3, 4, 0xC2, 9, 5, 6]))
    palette = bytes([12]) + bytes(i % 256 for i in range(768))
    write("pcx", "mapped_8.pcx", pcx_header(8, 4, 2, 1, 4) + bytes([0xC4, 9, 1, 2, 0xC0, 3, 0xC1, 0xFE]) + palette)
    write("pcx", "mono_1.pcx", pcx_header(1, 10, 2, 1, 2) + bytes([0xAA, 0x80, 0x55, 0x80]))
    write("pcx", "packed_2.pcx", pcx_header(2, 4, 1, 1, 2, bytes(range(48))) + bytes([0x1B, 0xC1, 0xE4]))
    write("pcx", "packed_4.pcx", pcx_header(4, 3, 1, 1, 2, bytes(range(48))) + bytes([0x12, 0x30]))
    write("pcx", "planar_4x1.pcx", pcx_header(1, 8, 1, 4, 2, bytes(range(48))) + bytes([0xC1, 0xF0, 0, 0xC1, 0xCC, 0, 0xAA, 0, 0xC2, 0xFF]))
    write("pcx", "planar_3x1.pcx", pcx_header(1, 8, 1, 3, 2, bytes(range(48))) + bytes([0xC1, 0xF0, 0, 0xC1, 0xCC, 0, 0xAA, 0]))


def bmp(info, table=b"", bits=b"", file_header=True, extra=b""):
    body = info + extra + table + bits
    if not file_header:
        return body
    return b"BM" + struct.pack("<IHHI", 14 + len(body), 0, 0, 14 + len(info) + len(extra) + len(table)) + body


def info40(w, h, bits, compression=0, colors=0):
    return struct.pack("<IiiHHIIiiII", 40, w, h, 1, bits, compression, 0, 2835, 2835, colors, 0)


def bmp_seeds():
    rgb = bytes(range(12)) * 2
    write("bmp", "rgb_24.bmp", bmp(info40(3, 2, 24), bits=rgb))
    write("bmp", "rgb_24_headerless.bmp", bmp(info40(3, 2, 24), bits=rgb, file_header=False))
    write("bmp", "rgb_24_top_first.bmp", bmp(info40(3, -2, 24), bits=rgb))
    table4 = bytes([0, 0, 0, 0, 255, 255, 255, 0])
    write("bmp", "mono_1.bmp", bmp(info40(9, 2, 1), table4, bytes([0xAA, 0x80, 0, 0, 0x55, 0, 0, 0])))
    write("bmp", "indexed_4.bmp", bmp(info40(3, 1, 4, colors=3), bytes(range(12)), bytes([0x12, 0x00, 0, 0])))
    write("bmp", "indexed_8.bmp", bmp(info40(2, 2, 8, colors=4), bytes(range(16)), bytes([1, 2, 0, 0, 3, 0, 0, 0])))
    rle8 = bytes([3, 1, 0, 0, 0, 2, 1, 0, 0, 3, 4, 5, 6, 0, 0, 1])
    write("bmp", "rle_8.bmp", bmp(info40(4, 3, 8, 1, 8), bytes(range(32)), rle8))
    rle4 = bytes([5, 0x12, 0, 0, 0, 3, 0x34, 0x50, 0, 1])
    write("bmp", "rle_4.bmp", bmp(info40(5, 2, 4, 2, 8), bytes(range(32)), rle4))
    write("bmp", "rgb_16.bmp", bmp(info40(2, 1, 16), bits=struct.pack("<2H", 0x7fff, 0x001f)))
    masks565 = struct.pack("<3I", 0xF800, 0x07E0, 0x001F)
    write("bmp", "bitfields_16.bmp", bmp(info40(2, 1, 16, 3), bits=struct.pack("<2H", 0xffff, 0x07e0), extra=masks565))
    write("bmp", "rgba_32.bmp", bmp(info40(2, 1, 32), bits=bytes(range(8))))
    masks32 = struct.pack("<3I", 0xFF, 0xFF00, 0xFF0000)
    write("bmp", "bitfields_32.bmp", bmp(info40(1, 1, 32, 3), bits=bytes([1, 2, 3, 4]), extra=masks32))
    core = struct.pack("<IHHHH", 12, 2, 1, 1, 8)
    write("bmp", "core_8.bmp", bmp(core, bytes(i % 256 for i in range(768)), bytes([1, 2, 0, 0])))


def png(width, height, color_type, depth, rows, extra_chunks=()):
    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))
    ihdr = struct.pack(">IIBBBBB", width, height, depth, color_type, 0, 0, 0)
    raw = b"".join(b"\0" + r for r in rows)
    body = b"".join(chunk(k, d) for k, d in extra_chunks)
    return b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", ihdr) + body + chunk(b"IDAT", zlib.compress(raw)) + chunk(b"IEND", b"")


def png_seeds():
    write("png", "rgb_8.png", png(3, 2, 2, 8, [bytes(range(9)), bytes(range(9, 18))]))
    write("png", "rgba_16.png", png(2, 1, 6, 16, [bytes(range(16))]))
    write("png", "grey_alpha_8.png", png(2, 2, 4, 8, [bytes([1, 2, 3, 4]), bytes([5, 6, 7, 8])]))
    write("png", "grey_2.png", png(5, 1, 0, 2, [bytes([0x1b, 0x80])]))
    plte = (b"PLTE", bytes([255, 0, 0, 0, 255, 0, 0, 0, 255]))
    trns = (b"tRNS", bytes([255, 0]))
    write("png", "palette_4.png", png(4, 1, 3, 4, [bytes([0x01, 0x20])], [plte, trns]))
    iccp = (b"iCCP", b"p3\0\0" + zlib.compress(bytes(132)))
    write("png", "rgb_with_profile_chunk.png", png(1, 1, 2, 8, [bytes([9, 8, 7])], [iccp]))


def jpeg_seeds():
    ppm = b"P6 16 16 255\n" + bytes((x * 16 + y * 3) & 255 for y in range(16) for x in range(16) for _ in range(3))
    with tempfile.TemporaryDirectory() as folder:
        src = os.path.join(folder, "in.ppm")
        with open(src, "wb") as f:
            f.write(ppm)
        for name, options in (("baseline", "[Q=75,strip]"), ("progressive", "[Q=75,strip,interlace]")):
            out = os.path.join(folder, name + ".jpg")
            subprocess.run(["vips", "copy", src, out + options], check=True)
            with open(out, "rb") as f:
                jpeg = f.read()
            write("jpeg", name + ".jpg", jpeg)
            if name == "baseline":
                write("jpeg", "baseline_orientation_6.jpg", jpeg[:2] + fixtures.exif_orientation_block(6) + jpeg[2:])
        grey = os.path.join(folder, "grey.jpg")
        subprocess.run(["vips", "colourspace", src, grey + "[Q=75,strip]", "b-w"], check=True)
        with open(grey, "rb") as f:
            write("jpeg", "grey.jpg", f.read())


def tiff_seeds():
    rows = fixtures.stored_rgb_rows()
    rgb = lambda x, y: bytes(fixtures.STORED[y][x])
    tags = fixtures.rgb_tags
    write("tiff", "rgb_strips.tif", fixtures.tiff(3, 2, rows, tags(orientation=6, rows_per_strip=1)))
    write("tiff", "rgb_tiles.tif", fixtures.tiff(3, 2, fixtures.tiles_of(rgb, 3, 2, 16, 16, 3), tags(), tile=(16, 16)))
    planes = tags(rows_per_strip=2)
    planes[284] = (fixtures.SHORT, [2])
    write("tiff", "rgb_planes.tif", fixtures.tiff(3, 2, [bytes(6), bytes(range(6)), bytes(6)], planes))
    write("tiff", "rgba_associated.tif", fixtures.tiff(3, 1, [bytes(range(12))], tags(samples=4, extra=1)))
    write("tiff", "bigtiff.tif", fixtures.tiff(3, 2, rows, tags(rows_per_strip=1), big=True, big_endian=True))
    grey16 = {258: (fixtures.SHORT, [16]), 259: (fixtures.SHORT, [1]), 262: (fixtures.SHORT, [0]),
              277: (fixtures.SHORT, [1])}
    write("tiff", "grey_16_white_is_zero.tif", fixtures.tiff(2, 2, [bytes(range(8))], grey16))
    cmap = [i * 257 for i in range(256)] * 3
    palette = {258: (fixtures.SHORT, [8]), 259: (fixtures.SHORT, [1]), 262: (fixtures.SHORT, [3]),
               277: (fixtures.SHORT, [1]), 320: (fixtures.SHORT, cmap)}
    write("tiff", "palette.tif", fixtures.tiff(2, 1, [bytes([0, 255])], palette))
    profiled = tags()
    profiled[34675] = (4, [0] * 33)  # a profile tag of 132 zero bytes, as LONGs
    write("tiff", "rgb_profile_tag.tif", fixtures.tiff(1, 1, [bytes(3)], profiled))


def script_seeds():
    with open(os.path.join(here, "..", "examples", "hello.wb"), "rb") as f:
        write("script", "hello.wb", f.read())
    write("script", "words.wb", b'# every kind of word\n  echo "quoted \\"word\\"" plain\n'
                               b'open picture.png replace=2\nzone 1 2 3 4\nmerge method=comp12 bias=127\n'
                               b'brightness-contrast brightness=10 contrast=-5 gamma=1.5\nsave-as out.tga zone=no\n')
    write("script", "wrong.wb", b'open "unterminated\nno-such-command 1\nzone 1 2\n')


tga_seeds()
pcx_seeds()
bmp_seeds()
png_seeds()
jpeg_seeds()
tiff_seeds()
script_seeds()
