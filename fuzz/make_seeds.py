#!/usr/bin/env python3
"""Writes the small seed corpora under fuzz/corpus/<target>/ (run from the
repository root: python3 fuzz/make_seeds.py). The seeds are committed; the
fuzzers add what they find in build/fuzz/corpus, not here."""
import os
import struct

ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "corpus")


def put(target, name, data):
    folder = os.path.join(ROOT, target)
    os.makedirs(folder, exist_ok=True)
    if isinstance(data, str):
        data = data.encode("utf-8")
    with open(os.path.join(folder, name), "wb") as f:
        f.write(data)


def srec(kind, address, data):
    alen = {"0": 2, "1": 2, "2": 3, "3": 4, "5": 2, "7": 4, "8": 3, "9": 2}[kind]
    body = address.to_bytes(alen, "big") + bytes(data)
    count = len(body) + 1
    checksum = (~(count + sum(body))) & 0xFF
    return "S%s%02X%s%02X" % (kind, count, body.hex().upper(), checksum)


def bmp(width, height, bits, pixels, palette=b"", compression=0, masks=b""):
    header = 54 + len(masks) + len(palette)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, bits, compression, len(pixels), 3780, 3780, 0, 0)
    size = header + len(pixels)
    return b"BM" + struct.pack("<IHHI", size, 0, 0, header) + info + masks + palette + pixels


# S-records: our own S3 files, other tools' S1/S2 with CR, LF and no line end.
put("srecord", "s3", "\r\n".join([srec("0", 0, b"HDR"), srec("3", 0x20, b"0123"),
                                   srec("3", 0x24, bytes(range(32))), srec("7", 0, b"")]) + "\r\n")
put("srecord", "s1s2", "\n".join([srec("1", 0x100, b"ab"), srec("2", 0x12345, b"xyz"), srec("5", 2, b""),
                                  srec("9", 0, b"")]))
put("srecord", "cr", "\r".join([srec("3", 0x7FFFFFF0, b"\xff" * 16), "", srec("8", 0, b"")]))
put("srecord", "bad", srec("3", 0, b"AB")[:-2] + "00\r\nS3\r\n")

# Tone tables: ANSI and UTF-8 with byte order mark.
line = " 001 : 0x00120000 - 0x00121441  Byte: 5186 \t"
put("tone_table", "ansi", (line + "Klingel\r\n" + line.replace("001", "002") + "\r\n").encode("gbk"))
put("tone_table", "utf8", b"\xef\xbb\xbf" + (line + "\u4e2d\u6587\U0001F600\r\n\r\n").encode("utf-8"))
put("tone_table", "short", " 001 : 0x00120000 - \r\n")

# Picture tables: flags byte (1 = compute size), offset text, 0, table.
row = "001 Logo\t 0X0012ABCD\t Zahl: 1\t Gr\xf6\xdfe  .: 2560\t Ma\xdfe: 128*160\t Farb: {}\t\r\n"
table = "".join(row.format(d) for d in ("1", "4", "8", "12", "16", "24", "16*")).encode("latin-1")
put("picture_table", "plain", b"\x00\x00" + table)
put("picture_table", "offset", b"\x01-1000\x00" + table + b"\r\n\r\n")
put("picture_table", "bad", b"\x00FFFFFFFF\x00" + b"001 Logo\t 0X0\t Zahl: 1\r\n")

# BMPs: turn byte, depth pick (1 4 8 12 16 24 16* 32 by its value mod 8; 0x80 on: a
# frame too small for the picture), then the file.
put("bmp", "24", b"\x00\x05" + bmp(3, 2, 24, bytes(range(24))))
put("bmp", "24turn", b"\x03\x06" + bmp(3, 2, 24, bytes(range(24))))
put("bmp", "16plain", b"\x01\x04" + bmp(2, 2, 16, bytes(range(8))))
put("bmp", "565", b"\x02\x04" + bmp(2, 2, 16, bytes(range(8)), compression=3,
                                  masks=struct.pack("<III", 0xF800, 0x07E0, 0x001F)))
put("bmp", "555", b"\x04\x82" + bmp(2, 2, 16, bytes(range(8)), compression=3,
                                  masks=struct.pack("<III", 0x7C00, 0x03E0, 0x001F)))
put("bmp", "4bit", b"\x00\x01" + bmp(3, 2, 4, b"\x12\x30\x00\x00\x45\x60\x00\x00",
                                   palette=bytes(range(64))))
put("bmp", "1bit", b"\x01\x00" + bmp(9, 2, 1, b"\xaa\x80\x00\x00\x55\x00\x00\x00",
                                   palette=b"\x00\x00\x00\x00\xff\xff\xff\x00"))
put("bmp", "8bit", b"\x01\x03" + bmp(2, 1, 8, b"\x01\x02\x00\x00", palette=bytes(1024)))
put("bmp", "32bit", b"\x03\x06" + bmp(1, 2, 32, bytes(range(8))))
put("bmp", "topdown", b"\x01\x05" + bmp(2, -2, 24, bytes(16)))

# Decoders: a table line, 0, the image.
image = bytes((i * 7) & 0xFF for i in range(600))
for depth in ("1", "4", "8", "12", "16", "24"):
    line = "001 P\t 0X00000010\t Zahl: 2\t Gr: 40\t Ma: 5*3\t Farb: %s\t" % depth
    put("decoders", "d" + depth, line.encode() + b"\x00" + image)
compressed = bytes([9, 2, 0x34, 0x12, 0x01, 0x00, 0x03]) + b"\x01\x02\x03\x04\x05\x06" + \
             bytes([0x42, 0, 1, 0x82, 0xAA, 0xBB, 0xC3, 1, 0x00])
put("decoders", "d16c", b"001 C\t 0X00000000\t Zahl: 1\t Gr: 30\t Ma: 4*3\t Farb: 16*\t\x00" + compressed)
put("decoders", "raw", b"\x00" + struct.pack("<ihhB", 2, 7, 9, 0x84) + image[:100])

# Strings: UTF-8 of every width, and broken UTF-8.
put("strings", "ascii", "Hello\tWorld")
put("strings", "cjk", "\u4e2d\u6587\u5b57 ok \u00e9\u00fc")
put("strings", "astral", "\U0001F600x")
put("strings", "broken", b"a\xc3\x28\xe4\xb8\xff\x80b")

# INI: section, key, value, then the file text.
put("ini", "plain", b"Path\x00mmfFilePath\x00/tmp/a\x00[Path]\r\nmmfFilePath=/old\r\n\r\n[Other]\r\nx=1\r\n")
put("ini", "new", b"NEW\x00Key\x00\x00; comment\n[path]\nKEY = v\n")
put("ini", "empty", b"S\x00K\x00V\x00")

# CLI: the words, each ended by 0.
def words(*w):
    return b"".join(x.encode("utf-8") + b"\x00" for x in w)

put("cli", "info", words("info", "fw.bin"))
put("cli", "bin2s3", words("bin2s3", "a.bin", "a.s3", "--mode", "part", "--start", "0x20", "--stop", "22",
                           "--fill", "ff"))
put("cli", "tones", words("tones", "replace", "fw.bin", "001=a.mmf", "--s3", "o.s3", "--yes"))
put("cli", "strings", words("strings", "replace", "fw", "10", "20", "\u4e2d", "--chinese", "--write"))
put("cli", "pictures", words("pictures", "export", "fw", "t.txt", "d", "001", "--offset", "-10",
                             "--compute-size"))
put("cli", "addr", words("addr", "patch", "100", "200", "300", "o.s3"))
put("cli", "help", words("tones", "--help"))
