#!/usr/bin/env python3
"""Checks the shipped bitmaps and icon against the rules the show and the
dialogs rely on.  Usage: check_pictures.py [RESOURCE_DIR]"""

import math
import os
import struct
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
PLANETS = ["earth", "earthafr", "jupiter", "mars", "venus", "saturn", "sun", "sphere"]
# Exact blank rows above and below the body, where the show depends on them.
EXACT_ROWS = {"saturn": (23, 22), "sun": (7, 7)}


class Bitmap:
    def __init__(self, data):
        self.data = data
        (self.magic, self.file_size, _, _, self.offset) = struct.unpack_from("<2sIHHI", data, 0)
        (self.info_size, self.w, self.h, self.planes, self.bpp, self.compression,
         _, _, _, self.clr_used, self.clr_important) = struct.unpack_from("<IiiHHIIiiII", data, 14)
        self.ncol = self.clr_used or (1 << self.bpp)
        self.pal = [(data[54 + 4 * i + 2], data[54 + 4 * i + 1], data[54 + 4 * i])
                    for i in range(self.ncol)]
        stride = ((self.w * self.bpp + 31) // 32) * 4
        self.idx = []
        for y in range(self.h):               # top row first
            row = data[self.offset + (self.h - 1 - y) * stride:][:stride]
            for x in range(self.w):
                if self.bpp == 8:
                    self.idx.append(row[x])
                else:
                    b = row[x // 2]
                    self.idx.append(b >> 4 if x % 2 == 0 else b & 15)

    def rgb(self, x, y):
        return self.pal[self.idx[y * self.w + x]]

    def black(self, x, y):
        return self.rgb(x, y) == (0, 0, 0)


def lum(c):
    return 0.299 * c[0] + 0.587 * c[1] + 0.114 * c[2]


def expect(cond, msg):
    if not cond:
        raise AssertionError(msg)


def check_headers(bmp, size, w, h, bpp, ncol):
    expect(bmp.magic == b"BM", "not a BM file")
    expect(bmp.file_size == size, "bfSize %d, file has %d bytes" % (bmp.file_size, size))
    expect(bmp.info_size == 40, "info header is %d bytes, not 40" % bmp.info_size)
    expect((bmp.w, bmp.h) == (w, h), "size %dx%d, wanted %dx%d (bottom-up)" % (bmp.w, bmp.h, w, h))
    expect(bmp.planes == 1 and bmp.bpp == bpp, "%d bits per pixel, wanted %d" % (bmp.bpp, bpp))
    expect(bmp.compression == 0, "compression %d, wanted BI_RGB" % bmp.compression)
    expect(bmp.ncol == ncol, "%d colour-table entries, wanted %d" % (bmp.ncol, ncol))
    expect(bmp.offset == 54 + 4 * ncol, "pixel data at %d, wanted %d" % (bmp.offset, 54 + 4 * ncol))
    stride = ((w * bpp + 31) // 32) * 4
    expect(size >= bmp.offset + stride * h, "pixel data cut short")
    bad = [i for i in bmp.idx if i >= bmp.ncol]
    expect(not bad, "%d pixels index past the %d-entry table" % (len(bad), bmp.ncol))


def check_planet(name, bmp):
    n = bmp.w
    for edge, pts in (("left", [(x, y) for x in range(6) for y in range(n)]),
                      ("right", [(n - 1 - x, y) for x in range(6) for y in range(n)]),
                      ("top", [(x, y) for y in range(6) for x in range(n)]),
                      ("bottom", [(x, n - 1 - y) for y in range(6) for x in range(n)])):
        lit = [p for p in pts if not bmp.black(*p)]
        expect(not lit, "%s border not pure black, e.g. at %s" % (edge, lit[:1]))
    rows = [y for y in range(n) if any(not bmp.black(x, y) for x in range(n))]
    cols = [x for x in range(n) if any(not bmp.black(x, y) for y in range(n))]
    expect(rows and cols, "picture is empty")
    if name in EXACT_ROWS and n == 164:
        above, below = EXACT_ROWS[name]
        got = (rows[0], n - 1 - rows[-1])
        expect(got == (above, below), "%d black rows above and %d below, wanted %d and %d"
               % (got[0], got[1], above, below))
    # The body fills its square up to the border.
    expect(cols[-1] - cols[0] >= 140 * n // 164, "body only %d pixels wide" % (cols[-1] - cols[0] + 1))
    # Shaded, not flat: along rays from the middle the limb is darker than
    # the lit inner part.  Rays that run into rings instead of the limb are
    # left out by keeping only the shortest ones.
    cx, cy = (cols[0] + cols[-1] + 1) / 2.0, (rows[0] + rows[-1] + 1) / 2.0
    rays = []
    for k in range(48):
        a = 2 * math.pi * k / 48
        dx, dy = math.cos(a), math.sin(a)
        d = 0.0
        while True:
            x, y = int(cx + d * dx), int(cy + d * dy)
            if not (0 <= x < n and 0 <= y < n) or bmp.black(x, y):
                break
            d += 0.5
        rays.append((d, dx, dy))
    short = min(r[0] for r in rays)
    expect(short > 20, "a black hole in the body near the middle")
    inner, outer = [], []
    for d, dx, dy in rays:
        if d <= 1.1 * short:
            for t in range(10, 36):
                inner.append(lum(bmp.rgb(int(cx + d * t / 100 * dx), int(cy + d * t / 100 * dy))))
            for t in range(85, 96):
                outer.append(lum(bmp.rgb(int(cx + d * t / 100 * dx), int(cy + d * t / 100 * dy))))
    li, lo = sum(inner) / len(inner), sum(outer) / len(outer)
    if os.environ.get("PICTURES_DEBUG"):
        print("  %s limb/middle %.2f" % (name, lo / li))
    expect(lo < 0.8 * li, "limb not darker than the middle (%.0f vs %.0f)" % (lo, li))
    expect(len(set(bmp.idx)) > 60, "only %d colours used: banding" % len(set(bmp.idx)))


def check_icon(data):
    expect(struct.unpack_from("<HHH", data, 0) == (0, 1, 1), "not an icon with one image")
    w, h, ncol, _, planes, bits, size, off = struct.unpack_from("<BBBBHHII", data, 6)
    expect((w, h, ncol, planes, bits) == (32, 32, 16, 1, 4),
           "entry says %dx%d, %d colours, %d planes, %d bpp" % (w, h, ncol, planes, bits))
    expect(off == 22 and off + size == len(data), "image offset/size do not match the file")
    hs, bw, bh, pl, bpp, comp = struct.unpack_from("<IiiHHI", data, off)
    expect((hs, bw, bh, pl, bpp, comp) == (40, 32, 64, 1, 4, 0),
           "image header %r, wanted 40, 32x64, 1 plane, 4 bpp, BI_RGB" % ((hs, bw, bh, pl, bpp, comp),))
    expect(size == 40 + 64 + 32 * 16 + 32 * 4, "image is %d bytes, wanted XOR + AND mask" % size)
    mask = data[off + 40 + 64 + 512:]

    def transparent(x, y):            # y counted from the top
        row = mask[(31 - y) * 4:(32 - y) * 4]
        return (row[x // 8] >> (7 - x % 8)) & 1 == 1

    for x, y in ((0, 0), (31, 0), (0, 31), (31, 31)):
        expect(transparent(x, y), "corner (%d,%d) not transparent" % (x, y))
    for x, y in ((15, 15), (16, 16), (15, 16), (16, 15)):
        expect(not transparent(x, y), "centre (%d,%d) not opaque" % (x, y))
    opaque = sum(not transparent(x, y) for x in range(32) for y in range(32))
    expect(200 < opaque < 900, "%d opaque pixels: no planet-sized body" % opaque)


def main():
    res = sys.argv[1] if len(sys.argv) > 1 else os.path.join(ROOT, "src", "resources")
    checks = []
    # Each body at 100% and at 200%, for screens of twice the pixels per inch.
    for name, size in [(name, size) for name in PLANETS for size in (164, 328)]:
        file = name + (".bmp" if size == 164 else "_2x.bmp")

        def planet(name=name, size=size, file=file):
            data = open(os.path.join(res, file), "rb").read()
            bmp = Bitmap(data)
            ncol = 177 if name == "sun" else 256
            check_headers(bmp, len(data), size, size, 8, ncol)
            if name == "sun":
                expect(bmp.clr_used == 177 and bmp.clr_important == 177,
                       "clrUsed/clrImportant %d/%d, wanted 177/177"
                       % (bmp.clr_used, bmp.clr_important))
            check_planet(name, bmp)
        checks.append((file, planet))

    def parkdlg():
        data = open(os.path.join(res, "parkdlg.bmp"), "rb").read()
        bmp = Bitmap(data)
        check_headers(bmp, len(data), 98, 47, 4, 16)
        expect(len(set(bmp.idx)) >= 4, "banner is nearly blank")
    checks.append(("parkdlg.bmp", parkdlg))
    checks.append(("hoplette.ico",
                   lambda: check_icon(open(os.path.join(res, "hoplette.ico"), "rb").read())))

    passed = failed = 0
    for name, fn in checks:
        try:
            fn()
        except AssertionError as e:
            failed += 1
            print("FAIL %s: %s" % (name, e))
        except (OSError, struct.error, IndexError) as e:
            failed += 1
            print("FAIL %s: unreadable (%s: %s)" % (name, type(e).__name__, e))
        else:
            passed += 1
            print("ok   %s" % name)
    print("%d passed, %d failed" % (passed, failed))
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
