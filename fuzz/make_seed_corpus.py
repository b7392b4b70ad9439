#!/usr/bin/env python3
"""Writes the small seed files of corpus/tga, corpus/pcx and corpus/bmp.

Each seed is a valid picture of one kind the decoder knows, so that the fuzzer
starts from every branch: TGA of every type and depth (with run packets that
cross rows), PCX of every plane and bit combination, BMP with and without file
header, core and information headers, run-length and bit-field data.
"""
import os
import struct

here = os.path.dirname(os.path.abspath(__file__))


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


tga_seeds()
pcx_seeds()
bmp_seeds()
