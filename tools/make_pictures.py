#!/usr/bin/env python3
"""Draws Hoplette's pictures: the eight bouncing bodies, the dialog banner,
the program icon and a contact sheet of them all.

Everything is computed here from geometry, a few typed-in coastlines and
seeded noise, so the same script always writes the same bytes.

    python3 tools/make_pictures.py [--out DIR] [--sheet PNGPATH]
"""

import argparse
import bisect
import math
import os
import struct
import sys
import zlib

SIZE = 164          # every body bitmap is SIZE x SIZE
HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(HERE)


# ---------------------------------------------------------------- helpers

def clamp(v, lo=0.0, hi=1.0):
    return lo if v < lo else hi if v > hi else v


def smooth(e0, e1, x):
    t = clamp((x - e0) / (e1 - e0))
    return t * t * (3.0 - 2.0 * t)


def mix(a, b, t):
    return (a[0] + (b[0] - a[0]) * t, a[1] + (b[1] - a[1]) * t,
            a[2] + (b[2] - a[2]) * t)


def scale(c, k):
    return (c[0] * k, c[1] * k, c[2] * k)


def norm3(x, y, z):
    d = math.sqrt(x * x + y * y + z * z)
    return (x / d, y / d, z / d)


# Light comes mostly from the viewer, a little from the upper left, so the
# whole face is lit and the shading falls off toward the lower right limb.
LIGHT = norm3(-0.36, 0.42, 0.83)


class Noise:
    """Seeded 3-D value noise; a private LCG keeps it independent of the
    random module and of Python's hashing."""

    def __init__(self, seed):
        p = list(range(256))
        s = seed & 0x7FFFFFFF
        for i in range(255, 0, -1):
            s = (s * 1103515245 + 12345) & 0x7FFFFFFF
            j = (s >> 8) % (i + 1)
            p[i], p[j] = p[j], p[i]
        self.p = p + p
        vals = []
        for _ in range(256):
            s = (s * 1103515245 + 12345) & 0x7FFFFFFF
            vals.append(((s >> 8) & 0xFFFF) / 32767.5 - 1.0)
        self.v = vals

    def __call__(self, x, y, z):
        fx, fy, fz = math.floor(x), math.floor(y), math.floor(z)
        ix, iy, iz = int(fx) & 255, int(fy) & 255, int(fz) & 255
        tx, ty, tz = x - fx, y - fy, z - fz
        tx = tx * tx * (3 - 2 * tx)
        ty = ty * ty * (3 - 2 * ty)
        tz = tz * tz * (3 - 2 * tz)
        p, v = self.p, self.v
        a, b = p[ix] + iy, p[ix + 1] + iy
        aa, ab, ba, bb = p[a] + iz, p[a + 1] + iz, p[b] + iz, p[b + 1] + iz
        x1 = v[p[aa]] + (v[p[ba]] - v[p[aa]]) * tx
        x2 = v[p[ab]] + (v[p[bb]] - v[p[ab]]) * tx
        x3 = v[p[aa + 1]] + (v[p[ba + 1]] - v[p[aa + 1]]) * tx
        x4 = v[p[ab + 1]] + (v[p[bb + 1]] - v[p[ab + 1]]) * tx
        y1 = x1 + (x2 - x1) * ty
        y2 = x3 + (x4 - x3) * ty
        return y1 + (y2 - y1) * tz

    def fbm(self, x, y, z, octaves):
        total, amp, norm = 0.0, 1.0, 0.0
        for _ in range(octaves):
            total += amp * self(x, y, z)
            norm += amp
            amp *= 0.5
            # Turn each octave off the lattice axes so no grid shows through.
            x, y, z = (1.62 * x - 1.20 * y + 0.35 * z + 17.1,
                       1.20 * x + 1.50 * y - 0.62 * z + 3.7,
                       -0.35 * x + 0.62 * y + 1.90 * z + 9.3)
        return total / norm


# ------------------------------------------------------------- rendering

class Image:
    """Float RGB pixels (0..255) over black; None marks empty background."""

    def __init__(self, w, h):
        self.w, self.h = w, h
        self.px = [None] * (w * h)


def render_globe(shade, cx, cy, rx, ry, size=SIZE):
    """Renders an ellipsoid seen face on.  shade(X, Y, Z) gets the unit
    sphere point (X right, Y up, Z toward the viewer) and returns RGB.
    The limb is antialiased by coverage so the body meets black cleanly.
    The geometry is given for a SIZE picture and drawn size x size."""
    img = Image(size, size)
    k = size / SIZE                     # pixels per unit of the geometry
    cx, cy, rx, ry = cx * k, cy * k, rx * k, ry * k
    rmin = min(rx, ry)
    inner = 1.0 - 0.5 / rmin
    sub = [(i + 0.5) / 4.0 - 0.5 for i in range(4)]
    for py in range(size):
        for px in range(size):
            X = (px + 0.5 - cx) / rx
            Y = (cy - (py + 0.5)) / ry
            r = math.sqrt(X * X + Y * Y)
            d = (r - 1.0) * rmin
            if d > 1.2:
                continue
            if d < -1.2:
                cov = 1.0
            else:
                n = 0
                for sy in sub:
                    for sx in sub:
                        u = (px + 0.5 + sx - cx) / rx
                        v = (cy - (py + 0.5 + sy)) / ry
                        if u * u + v * v <= 1.0:
                            n += 1
                cov = n / 16.0
                if cov == 0.0:
                    continue
            if r > inner:
                X, Y = X * inner / r, Y * inner / r
            Z = math.sqrt(max(0.0, 1.0 - X * X - Y * Y))
            c = shade(X, Y, Z)
            img.px[py * size + px] = (c[0] * cov, c[1] * cov, c[2] * cov)
    return img


def diffuse(X, Y, Z, ambient=0.10, limb=0.25):
    """Lambert light with a gentle limb darkening, 0..1."""
    d = X * LIGHT[0] + Y * LIGHT[1] + Z * LIGHT[2]
    d = max(0.0, d)
    return (ambient + (1.0 - ambient) * d) * (Z ** limb)


def body_frame(X, Y, Z, lat0, roll=0.0):
    """Turns a view point into body coordinates (bx east, by north, bz
    toward the central meridian) for a globe whose sub-viewer latitude is
    lat0 degrees and whose axis is turned roll degrees in the picture."""
    if roll:
        c, s = math.cos(math.radians(roll)), math.sin(math.radians(roll))
        X, Y = c * X + s * Y, -s * X + c * Y
    c, s = math.cos(math.radians(lat0)), math.sin(math.radians(lat0))
    return X, Y * c + Z * s, -Y * s + Z * c


def lonlat(bx, by, bz, lon0):
    lat = math.degrees(math.asin(clamp(by, -1.0, 1.0)))
    lon = lon0 + math.degrees(math.atan2(bx, bz))
    lon = (lon + 180.0) % 360.0 - 180.0
    return lon, lat


# ------------------------------------------------------------ quantising

def median_cut(hist, n):
    """Splits the colour histogram [(r, g, b, count)] into n boxes, always
    splitting the box with the largest squared error; returns box means."""

    def stats(box):
        w = sr = sg = sb = qr = qg = qb = 0
        for r, g, b, c in box:
            w += c
            sr += r * c
            sg += g * c
            sb += b * c
            qr += r * r * c
            qg += g * g * c
            qb += b * b * c
        var = (qr - sr * sr / w, qg - sg * sg / w, qb - sb * sb / w)
        return w, (sr / w, sg / w, sb / w), var

    boxes = [(hist, stats(hist))]
    while len(boxes) < n:
        best, besti = -1.0, -1
        for i, (box, st) in enumerate(boxes):
            e = sum(st[2])
            if len(box) > 1 and e > best:
                best, besti = e, i
        if besti < 0:
            break
        box, st = boxes[besti]
        ch = max(range(3), key=lambda k: (st[2][k], -k))
        box = sorted(box, key=lambda t: (t[ch], t[0], t[1], t[2]))
        half, acc, cut = st[0] / 2.0, 0, 1
        for i, t in enumerate(box):
            acc += t[3]
            if acc >= half:
                cut = i + 1
                break
        cut = min(max(cut, 1), len(box) - 1)
        a, b = box[:cut], box[cut:]
        boxes[besti] = (a, stats(a))
        boxes.append((b, stats(b)))
    return [st[1] for _, st in boxes]


class Nearest:
    """Nearest palette entry, searched outward from the closest green."""

    def __init__(self, pal):
        order = sorted(range(len(pal)), key=lambda i: (pal[i][1], pal[i][0], pal[i][2], i))
        self.g = [pal[i][1] for i in order]
        self.e = [(pal[i][0], pal[i][1], pal[i][2], i) for i in order]
        self.cache = {}

    def __call__(self, r, g, b):
        key = (r << 16) | (g << 8) | b
        hit = self.cache.get(key)
        if hit is not None:
            return hit
        e, n = self.e, len(self.e)
        hi = bisect.bisect_left(self.g, g)
        lo = hi - 1
        best, bi = 1 << 30, 0
        while lo >= 0 or hi < n:
            if hi < n:
                er, eg, eb, i = e[hi]
                dg = (eg - g) * (eg - g)
                if dg >= best:
                    hi = n
                else:
                    d = (er - r) * (er - r) + dg + (eb - b) * (eb - b)
                    if d < best or (d == best and i < bi):
                        best, bi = d, i
                    hi += 1
            if lo >= 0:
                er, eg, eb, i = e[lo]
                dg = (eg - g) * (eg - g)
                if dg >= best:
                    lo = -1
                else:
                    d = (er - r) * (er - r) + dg + (eb - b) * (eb - b)
                    if d < best or (d == best and i < bi):
                        best, bi = d, i
                    lo -= 1
        self.cache[key] = bi
        return bi


def to_byte(v):
    v = int(v + 0.5)
    return 0 if v < 0 else 255 if v > 255 else v


def quantise(img, ncolours):
    """Builds a palette of ncolours whose entry 0 is exact black for the
    background, then error-diffuses the body onto it.  The error never
    leaks into the background, so the border stays pure black."""
    counts = {}
    for c in img.px:
        if c is not None:
            k = (to_byte(c[0]), to_byte(c[1]), to_byte(c[2]))
            counts[k] = counts.get(k, 0) + 1
    hist = sorted((k[0], k[1], k[2], v) for k, v in counts.items())
    pal = median_cut(hist, ncolours - 1)
    # A few Lloyd passes pull the entries onto the colours actually used.
    for _ in range(3):
        ints = [(to_byte(p[0]), to_byte(p[1]), to_byte(p[2])) for p in pal]
        near = Nearest(ints)
        acc = [[0, 0, 0, 0] for _ in pal]
        for r, g, b, c in hist:
            a = acc[near(r, g, b)]
            a[0] += r * c
            a[1] += g * c
            a[2] += b * c
            a[3] += c
        pal = [(a[0] / a[3], a[1] / a[3], a[2] / a[3]) if a[3] else p
               for a, p in zip(acc, pal)]
    pal = sorted(set((to_byte(p[0]), to_byte(p[1]), to_byte(p[2])) for p in pal))
    pal = [(0, 0, 0)] + [p for p in pal if p != (0, 0, 0)]
    while len(pal) < ncolours:
        pal.append((0, 0, 0))
    near = Nearest(pal)

    w, h = img.w, img.h
    work = [None if c is None else [c[0], c[1], c[2]] for c in img.px]
    idx = [0] * (w * h)
    for y in range(h):
        xs = range(w) if y % 2 == 0 else range(w - 1, -1, -1)
        step = 1 if y % 2 == 0 else -1
        for x in xs:
            c = work[y * w + x]
            if c is None:
                continue
            # Cap the carried error: where no entry lies in the error's
            # direction it would otherwise pile up into stray dots.
            o = img.px[y * w + x]
            for k in range(3):
                c[k] = min(max(c[k], o[k] - 14.0), o[k] + 14.0)
            i = near(to_byte(c[0]), to_byte(c[1]), to_byte(c[2]))
            idx[y * w + x] = i
            p = pal[i]
            er, eg, eb = (c[0] - p[0]) * 0.9, (c[1] - p[1]) * 0.9, (c[2] - p[2]) * 0.9
            for dx, dy, f in ((step, 0, 7 / 16), (-step, 1, 3 / 16),
                              (0, 1, 5 / 16), (step, 1, 1 / 16)):
                nx, ny = x + dx, y + dy
                if 0 <= nx < w and ny < h:
                    t = work[ny * w + nx]
                    if t is not None:
                        t[0] += er * f
                        t[1] += eg * f
                        t[2] += eb * f
    return pal, idx


# ----------------------------------------------------------- file formats

def bmp_bytes(w, h, bpp, pal, idx, clr_used):
    """A bottom-up BI_RGB bitmap with BITMAPFILEHEADER + BITMAPINFOHEADER."""
    stride = ((w * bpp + 31) // 32) * 4
    rows = []
    for y in range(h - 1, -1, -1):
        row = idx[y * w:(y + 1) * w]
        if bpp == 8:
            data = bytes(row)
        else:
            data = bytes((row[i] << 4) | (row[i + 1] if i + 1 < w else 0)
                         for i in range(0, w, 2))
        rows.append(data + b"\0" * (stride - len(data)))
    pixels = b"".join(rows)
    table = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in pal)
    offset = 14 + 40 + len(table)
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, bpp, 0, len(pixels),
                       2835, 2835, clr_used, clr_used if clr_used < (1 << bpp) else 0)
    head = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    return head + info + table + pixels


def ico_bytes(pal, idx, mask):
    """One 32x32 16-colour image: XOR bitmap then the 1-bpp AND mask."""
    w = h = 32
    xor = bmp_bytes(w, h, 4, pal, idx, 16)[14 + 40 + 64:]
    rows = []
    for y in range(h - 1, -1, -1):
        bits = 0
        for x in range(w):
            bits = (bits << 1) | (1 if mask[y * w + x] else 0)
        rows.append(struct.pack(">I", bits))
    andm = b"".join(rows)
    table = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in pal)
    info = struct.pack("<IiiHHIIiiII", 40, w, 2 * h, 1, 4, 0,
                       len(xor) + len(andm), 0, 0, 0, 0)
    image = info + table + xor + andm
    head = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", w, h, 16, 0, 1, 4, len(image), 6 + 16)
    return head + entry + image


def png_bytes(w, h, rgb):
    """rgb is a flat list of (r, g, b) byte tuples."""
    raw = bytearray()
    for y in range(h):
        raw.append(0)
        for r, g, b in rgb[y * w:(y + 1) * w]:
            raw += bytes((r, g, b))

    def chunk(kind, data):
        c = struct.pack(">I", len(data)) + kind + data
        return c + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF)

    return (b"\x89PNG\r\n\x1a\n"
            + chunk(b"IHDR", struct.pack(">IIBBBBB", w, h, 8, 2, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(bytes(raw), 9))
            + chunk(b"IEND", b""))


# ------------------------------------------------------------- coastlines
# Coarse outlines as (longitude, latitude) in degrees, east and north
# positive; longitudes past 180 continue across the date line.

NORTH_AMERICA = [
    (-168, 65.6), (-165, 68), (-162, 70.1), (-156.5, 71.3), (-152, 70.8), (-143, 70),
    (-137, 69), (-129, 70), (-122, 69.5), (-115, 68.5), (-108, 68.2), (-100, 67.8),
    (-95, 68), (-94, 71.5), (-89, 69), (-82, 68.5), (-82, 66.2), (-86, 65.5),
    (-90, 63.8), (-93, 61.5), (-94.8, 59), (-92.5, 57.3), (-88.5, 56.8), (-85, 55.3),
    (-82.5, 55), (-82.3, 53), (-81, 52.5), (-79, 52), (-79.5, 54.5), (-78.5, 56.5),
    (-76.8, 58), (-77.5, 60), (-78, 62.3), (-74, 62.3), (-70, 61), (-69.5, 59),
    (-65, 60.3), (-61.5, 56.5), (-58, 54.5), (-55.7, 52.2), (-57.5, 51.4), (-60, 50.2),
    (-64.5, 50.1), (-66.5, 49.3), (-64.3, 48.6), (-65, 47.9), (-64.8, 47), (-64, 46.2),
    (-61, 45.3), (-60, 46), (-63.5, 44.6), (-66, 43.8), (-66.3, 45.1), (-67, 44.7),
    (-70.2, 43.6), (-70.6, 41.8), (-71.4, 41.4), (-74, 40.6), (-74, 39.5), (-75, 38.8),
    (-76, 37), (-75.5, 35.2), (-77.3, 34.5), (-78.8, 33.8), (-81, 32), (-81.4, 30.5),
    (-80.5, 28.2), (-80.1, 26.3), (-80.5, 25.2), (-81.2, 25.3), (-82, 26.6), (-82.7, 28),
    (-83.5, 29.8), (-85.3, 29.7), (-88, 30.6), (-89.5, 30.2), (-89.3, 29.1), (-91.5, 29.5),
    (-94, 29.7), (-95.5, 28.7), (-97.3, 27.6), (-97.5, 25.5), (-97.7, 22.5), (-97.2, 20.5),
    (-96, 19.1), (-94.5, 18.2), (-92.5, 18.6), (-91, 19), (-90.4, 20.8), (-88, 21.5),
    (-86.8, 21.2), (-87.5, 19.5), (-88.2, 18.5), (-88.3, 16.3), (-86.5, 15.8), (-84, 15.8),
    (-83.3, 14.9), (-83.6, 11), (-82, 9), (-80, 9.4), (-79, 9.5), (-77.4, 8.6),
    (-78.5, 8.3), (-80.2, 7.4), (-81.5, 8.0), (-83.6, 8.4), (-85.7, 10), (-85.8, 11.2),
    (-87.5, 13), (-89.5, 13.5), (-91.5, 14), (-94, 16), (-96.5, 15.7), (-98.5, 16.3),
    (-101.5, 17.6), (-105.4, 19.8), (-105.5, 22.5), (-106.3, 23.4), (-109, 25.6),
    (-110.8, 27.9), (-112.7, 29.8), (-114.7, 31.6), (-114.2, 30.0), (-112.8, 28.3),
    (-111.7, 26.2), (-110.3, 24.2), (-109.5, 23.1), (-110.3, 23.6), (-112.1, 24.8),
    (-114.1, 27.5), (-114.2, 28.5), (-115.7, 30.2), (-116.6, 31.6), (-117.2, 32.7),
    (-118.4, 34), (-120.6, 34.6), (-121.9, 36.6), (-122.5, 37.8), (-123.8, 39.5),
    (-124.4, 40.4), (-124.2, 43), (-124, 46.2), (-124.7, 48.4), (-123.2, 49), (-125, 50),
    (-127.8, 51), (-130, 54.3), (-131.7, 55.8), (-134.3, 58.2), (-137.5, 59),
    (-140.5, 59.7), (-144.5, 60.1), (-148, 60.6), (-151.8, 59.2), (-154, 58.8),
    (-156.5, 57.5), (-159, 56), (-162.5, 55.2), (-164.8, 54.4), (-161.5, 56),
    (-158.5, 57.6), (-157, 58.8), (-161.8, 58.7), (-162.4, 60), (-165.4, 61.1),
    (-164.6, 63.1), (-161, 64.5), (-163.5, 64.6), (-166.2, 64.6),
]

GREENLAND = [
    (-73, 78), (-66, 81.5), (-50, 82.5), (-32, 83.5), (-20, 82), (-17, 79.5), (-19, 76),
    (-21, 72), (-22, 70), (-26, 68.5), (-33, 67), (-40, 65), (-43, 60), (-48, 61),
    (-51, 64), (-53, 67), (-55, 70.5), (-58, 75.5), (-66, 76.5),
]

ARCTIC_ISLANDS = [
    [(-62, 67), (-64, 63.5), (-66, 62), (-71, 62.5), (-78, 64.5), (-74, 67.5), (-81, 69.5),
     (-86, 70), (-80, 73.5), (-72, 71.5), (-67, 69.5)],
    [(-80, 76), (-90, 77), (-92, 80), (-75, 83), (-62, 82), (-70, 79)],
    [(-118, 69), (-105, 68.5), (-100, 70), (-102, 73), (-112, 73), (-118, 72)],
    [(-124, 71.5), (-120, 74), (-116, 75.5), (-112, 74.5), (-118, 73)],
    [(-98, 73), (-92, 72.5), (-89, 74.5), (-96, 75)],
    [(15, 76.5), (10.5, 79.5), (20, 80.5), (27, 80), (22, 77.5)],
    [(52, 71.5), (55, 73), (58, 75.5), (68, 76.8), (62, 75), (57, 72.5), (55, 70.6)],
    [(-22.5, 63.9), (-24, 65.5), (-22, 66.4), (-16, 66.5), (-14.5, 65.5), (-14.9, 64.3),
     (-18.7, 63.4)],
]

SOUTH_AMERICA = [
    (-77.4, 8.6), (-76, 9.4), (-75, 11), (-71.5, 12.5), (-70, 12), (-68, 10.5), (-62, 10.7),
    (-60, 8.5), (-57, 6), (-52, 5), (-50, 2), (-50, 0), (-48, -1), (-44, -2.5),
    (-39, -3.5), (-35, -5.5), (-35, -9), (-38.5, -13), (-39, -17.5), (-40.5, -21),
    (-42, -23), (-45, -23.8), (-48.5, -26), (-48.7, -28.5), (-51, -31), (-53, -33.8),
    (-55, -35), (-57.5, -35), (-57.5, -38), (-62, -39), (-62.5, -41), (-65, -42.5),
    (-64.5, -45), (-67.5, -46.5), (-66, -48), (-69, -51), (-68.5, -52.5), (-70, -54.5),
    (-67, -55), (-71.5, -54), (-75, -51), (-74, -46), (-73.5, -42), (-73.5, -37),
    (-71.5, -32), (-71.5, -27), (-70.2, -23), (-70.3, -18.5), (-73, -16.5), (-76.3, -13.5),
    (-78, -10), (-79.7, -7), (-81.2, -5.5), (-80.2, -3.5), (-80.5, -0.5), (-80, 1),
    (-78.5, 2.5), (-77.3, 4), (-77.5, 7),
]

EURASIA = [
    (-5.6, 36), (-9, 37), (-9.5, 39), (-8.8, 42.2), (-9.3, 43.2), (-8, 43.7), (-1.5, 43.4),
    (-1.2, 46), (-2.5, 47.3), (-4.7, 48.4), (-1.6, 48.7), (-1.3, 49.7), (0.2, 49.6),
    (1.6, 50.9), (3.5, 51.5), (4.7, 53), (8.5, 53.5), (8.6, 55.5), (8.1, 56.9),
    (10.5, 57.7), (10.5, 56), (10, 54.8), (11, 54), (14.2, 53.9), (18.5, 54.6),
    (21.3, 55.2), (21, 57.5), (24.1, 57.2), (23.5, 59.2), (28, 59.5), (24, 60.1),
    (21.5, 61), (21.3, 63.5), (25, 65), (25.3, 65.8), (22, 65.8), (17.5, 62.5),
    (17.3, 60.5), (19, 59.5), (16.5, 56.5), (14.2, 55.4), (12.8, 56.2), (11.2, 58.5),
    (10, 59), (7, 58), (5.5, 59), (5, 61.5), (7, 63), (12, 66), (15, 68.5), (19, 70),
    (25.5, 71.1), (31, 70.3), (33, 69.3), (41, 67.5), (38, 66), (34.8, 64.5), (37, 63.8),
    (41, 64.5), (44, 66.3), (44, 68.5), (50, 68), (54, 68.7), (59, 68.5), (60.5, 69.8),
    (66, 69.5), (69, 72.8), (73, 72.5), (75, 72.5), (80, 72.3), (87, 74.5), (100, 76.5),
    (104.3, 77.7), (112, 75.5), (113, 73.5), (126, 73.5), (132, 71.3), (140, 72.5),
    (150, 71.5), (160, 69.7), (170, 70), (180, 69), (187.5, 66.5), (181, 65),
    (179, 62.5), (173, 61.5), (170, 60), (166, 60), (163, 58.5), (162.5, 56), (160, 54),
    (158, 52.8), (156.7, 51), (155.6, 55), (156.6, 57.8), (160, 60.5), (163, 62.2),
    (155, 59.3), (149, 59.5), (143, 59.3), (138, 56.5), (140.5, 53.5), (141.2, 52),
    (140.5, 48.5), (138.5, 46.5), (135.5, 43.5), (132, 43), (129.7, 41), (129.5, 36.5),
    (128.5, 35), (126.5, 34.5), (126.3, 37), (124.7, 38.5), (121.5, 39.5), (121.5, 40.8),
    (118, 39.2), (117.7, 38.3), (119, 37.2), (122.5, 37.4), (120, 35.8), (119.3, 35),
    (120.8, 32.5), (121.8, 31), (121.6, 29.8), (120.5, 27.5), (119, 25.5), (116.5, 23),
    (113.5, 22.3), (110.5, 21.3), (108, 21.6), (106, 20), (105.7, 18.8), (107.2, 16.5),
    (108.8, 15), (109.3, 12), (108, 10.8), (106.5, 9.6), (105, 8.6), (104.8, 10.3),
    (103, 11), (100.5, 13.5), (99.2, 10.5), (100.3, 8.0), (101, 6.8), (103.3, 4.5),
    (104.2, 1.4), (103.5, 1.3), (101.3, 2.9), (100.3, 5.5), (98.5, 8.0), (98.6, 10.5),
    (97.7, 16.5), (95.3, 16), (94.3, 16.9), (94.3, 18.8), (92.3, 20.7), (91.8, 22.5),
    (90.5, 22), (88, 21.8), (86.8, 20.5), (85, 19.4), (82.3, 17), (80.3, 15.5), (80.2, 13),
    (79.8, 10.3), (77.5, 8.1), (76.3, 9.7), (75, 12.5), (73.5, 16), (72.8, 19),
    (72.6, 21.3), (70, 21), (68.5, 23), (66.8, 24.8), (62, 25.2), (57.3, 25.8),
    (56.4, 27.1), (54, 26.6), (51.3, 27.9), (50.1, 30.1), (48.5, 30), (48, 29.3),
    (49.6, 27.1), (50.2, 25.8), (51.3, 26.1), (51.6, 24.6), (54.5, 24.3), (56.2, 26.2),
    (56.4, 24.9), (58.7, 23.6), (59.8, 22.5), (58.2, 20.5), (57.8, 18.9), (55.5, 17.2),
    (52.2, 15.7), (49, 14.2), (45, 12.8), (43.4, 12.7), (42.7, 15.7), (40.8, 19.4),
    (39.1, 21.5), (37.8, 24.2), (35.6, 27.6), (34.9, 29.5), (34.3, 27.9), (32.6, 29.9),
    (32.3, 31.3), (34.3, 31.4), (35, 32.8), (35.9, 34.8), (35.9, 36.4), (34.6, 36.8),
    (32.5, 36.1), (30.6, 36.8), (29, 36.6), (27.4, 37.0), (26.3, 38.3), (26.3, 40.0),
    (26, 40.8), (24, 40.7), (22.9, 40.6), (23.8, 38.0), (22.9, 36.4), (21.7, 36.8),
    (21.2, 38.3), (20, 39.6), (19.4, 41.8), (16, 43.5), (13.7, 45.6), (12.3, 45.3),
    (12.5, 44.2), (14, 42.5), (16.1, 41.4), (18.5, 40.1), (17, 39.0), (16.6, 38.4),
    (15.7, 38), (15.7, 40), (14, 40.8), (12.3, 41.8), (10.5, 43), (8.8, 44.4),
    (7.5, 43.8), (5, 43.4), (3.2, 43.2), (3.2, 41.9), (0.9, 41), (0, 39.5), (-0.5, 38.3),
    (-2, 36.7), (-4.5, 36.6),
]

AFRICA = [
    (32.3, 31.3), (30, 31.4), (25, 31.7), (23, 32.6), (20, 32), (19.5, 30.3), (15.5, 31.5),
    (13, 32.9), (11, 33.3), (10, 34.3), (11, 35.3), (10.3, 36.9), (8.5, 36.9), (3, 36.8),
    (-1, 35.5), (-2, 35.1), (-5.9, 35.8), (-6.8, 34), (-9.6, 30.4), (-11.5, 28.2),
    (-13.2, 27.6), (-15, 24.5), (-16.2, 23.8), (-17.1, 21), (-16.3, 19), (-16.5, 16),
    (-17.5, 14.7), (-16.8, 13), (-16.7, 12.4), (-15, 11), (-13.5, 9.5), (-11.5, 7),
    (-7.5, 4.4), (-4, 5.2), (-2, 4.7), (1, 6), (3.5, 6.4), (6, 4.3), (8.5, 4.5),
    (9.5, 3.8), (9.8, 2), (9.3, 0), (8.8, -1), (11.7, -4.7), (12.2, -6), (13.3, -8.8),
    (13.5, -12), (12.3, -14.5), (11.8, -17.3), (14.5, -22.8), (15.2, -27), (16.5, -28.6),
    (18.4, -33.9), (20, -34.8), (22.5, -34), (25.7, -34), (28.5, -32.5), (31, -29.9),
    (32.6, -26), (35.5, -23.8), (35.4, -22.1), (34.7, -19.8), (36.8, -17.9), (40.5, -15),
    (40.5, -10.5), (39.3, -6.8), (39.7, -4.2), (41.5, -1.8), (45.3, 2), (48, 4.5),
    (51.2, 10.4), (51.3, 11.8), (49, 11.2), (45, 10.4), (43.3, 11.8), (42.7, 12.8),
    (41.2, 14.5), (39.5, 15.5), (38.5, 18), (37.2, 21), (35.6, 23.9), (35.2, 24.8),
    (33.9, 27), (32.6, 29.9),
]

ISLANDS = [
    # Madagascar
    [(49.3, -12), (50.4, -15.5), (49.5, -17.5), (48.3, -21.5), (47, -25), (45.2, -25.5),
     (43.8, -23.5), (43.3, -21.5), (44.3, -19.5), (44, -17), (46.3, -15.7), (48, -13.5)],
    # Great Britain, Ireland
    [(-5.7, 50.1), (-3, 50.7), (1.4, 51.2), (1.7, 52.7), (0.3, 53.5), (-0.2, 54.5),
     (-1.6, 55.6), (-2.1, 57.1), (-1.8, 57.6), (-3.1, 58.6), (-5, 58.6), (-6.2, 57.5),
     (-5.6, 56), (-4.9, 55), (-3.2, 54.9), (-3.4, 54.2), (-2.9, 53.3), (-4.6, 53.3),
     (-4.2, 52.2), (-5.3, 51.8), (-3.5, 51.4)],
    [(-6, 52.2), (-6.2, 53.9), (-5.6, 54.6), (-7.3, 55.3), (-8.5, 54.4), (-10, 54.2),
     (-9.3, 53.2), (-10.3, 51.9), (-8.3, 51.7)],
    # Caribbean
    [(-84.9, 21.9), (-84, 22.7), (-81, 23.2), (-77.5, 21.8), (-74.2, 20.2), (-77.7, 19.8),
     (-79.5, 21.6), (-82, 22.3)],
    [(-74.4, 18.4), (-72.8, 19.9), (-70, 19.7), (-68.4, 18.6), (-71, 18)],
    # Japan, Taiwan, Hainan, Sri Lanka
    [(129.8, 33.3), (130.3, 31.2), (131.5, 31.5), (132, 33.9), (133.9, 33.3), (135.2, 33.6),
     (136.8, 34.3), (138.8, 34.6), (140.9, 35.7), (140.6, 36.9), (141.1, 38.3), (142, 39.5),
     (141.4, 41.4), (140, 40.8), (140, 39.5), (139.4, 38.2), (138.5, 37.3), (137.3, 36.8),
     (136.7, 37.4), (136, 35.9), (133, 35.5), (131, 34.4)],
    [(140, 41.5), (141.2, 41.8), (143.3, 42), (145.6, 43.3), (144.5, 44), (141.7, 45.4),
     (141.4, 43.3), (140.3, 43.2)],
    [(142, 46), (143.5, 49), (144.5, 49), (143, 54), (142.5, 54.3), (141.8, 51), (142, 48)],
    [(120.1, 23), (121, 25.2), (122, 25), (120.8, 22)],
    [(108.7, 19.5), (110.5, 20.1), (111, 19.6), (109.6, 18.2), (108.7, 18.5)],
    [(79.8, 8.5), (80.2, 9.8), (81.8, 7.5), (81.2, 6.2), (80.1, 6)],
    # Sumatra, Java, Borneo, Sulawesi, New Guinea, Philippines
    [(95.3, 5.6), (97.5, 5.2), (100.4, 2.2), (103.7, -1), (106, -3.2), (105.8, -5.8),
     (104.5, -5.9), (102.3, -4), (100.3, -0.8), (98.6, 1.8)],
    [(105.2, -6.8), (106, -5.9), (108.3, -6.3), (110.4, -6.9), (112.6, -6.9), (114.5, -7.7),
     (114.4, -8.7), (110.5, -8.2), (106.5, -7.4)],
    [(109, 1.5), (109.6, 2.1), (111, 1.7), (113, 3.2), (115.5, 5.2), (116.8, 6.9),
     (119.2, 5.2), (118, 4.4), (117.6, 3.5), (118.8, 1), (117.6, 0), (116.7, -1.7),
     (116.2, -3.9), (114.6, -3.9), (111.8, -3.5), (110.2, -2.9), (109.4, -0.8)],
    [(118.8, -3), (119.5, 0.5), (120.5, 1.2), (124.9, 1.5), (121, 0.6), (123.4, -0.9),
     (121.5, -1.9), (122.8, -4.6), (121, -4), (120.4, -5.6), (119.4, -5.5)],
    [(131, -1.3), (134, -0.9), (135.5, -3.2), (138, -1.7), (141, -2.6), (145, -4.4),
     (146, -5.9), (147.8, -6.3), (148.2, -8), (150.2, -10.3), (147.2, -10.1), (145.5, -8),
     (143.4, -9), (140.9, -9.1), (138.9, -8.3), (137.8, -5.4), (135, -4.4), (133.5, -3.9),
     (132, -2.9)],
    [(120.6, 18.5), (122.3, 18.5), (122, 16), (124, 13.5), (122.5, 13), (121, 14.3),
     (119.8, 16)],
    [(122, 7), (124, 8.5), (125.5, 9.5), (126.5, 7.5), (125.5, 5.7), (124, 6.5)],
    # Australia, Tasmania, New Zealand
    [(113.4, -22), (114, -26.5), (115.7, -31.5), (115, -34.3), (117.9, -35.1), (120, -33.9),
     (123.5, -33.9), (126, -32.3), (129, -31.6), (131.2, -31.5), (134, -32.5),
     (135.6, -34.8), (137.8, -32.7), (137.5, -35.5), (139.7, -36), (140.6, -38),
     (143.5, -38.8), (146.3, -39.1), (148, -37.8), (150, -37.5), (151.2, -33.9),
     (152.5, -32), (153.6, -28.2), (153.1, -25.5), (150.8, -22.6), (149, -20.5),
     (146.3, -18.9), (145.4, -15), (143.5, -14), (142.5, -10.7), (141.6, -12.7),
     (141.5, -16.5), (140.8, -17.5), (139.3, -17.4), (137, -15.9), (135.9, -14.8),
     (136.9, -12.3), (132.6, -11.4), (130.2, -12.3), (129.6, -14.9), (127.7, -14.1),
     (125.2, -14.5), (122.3, -17), (121, -19.7), (117, -20.6)],
    [(144.7, -40.7), (148.3, -40.9), (148, -43.2), (146, -43.6)],
    [(172.7, -34.4), (174.5, -36), (176, -37.6), (178.5, -37.7), (177.9, -39.2),
     (176.9, -40.1), (175.2, -41.6), (174.6, -39.8), (173.8, -39.3), (174.4, -37.5)],
    [(172.7, -40.5), (174.3, -41.7), (173, -43.8), (171, -45), (169, -46.6), (166.5, -46),
     (168, -44), (171.2, -42)],
]

ANTARCTICA = [
    (-180, -78), (-150, -77), (-120, -74), (-100, -73), (-80, -73), (-75, -71), (-68, -67),
    (-65, -66), (-60, -64), (-57, -63.3), (-58.5, -64.5), (-62, -66.5), (-61, -70),
    (-60, -74), (-50, -77.5), (-35, -78), (-25, -75), (-15, -72), (0, -70), (20, -70),
    (40, -68.8), (60, -67.5), (70, -68), (72, -70), (80, -67), (100, -65.8), (120, -66.5),
    (140, -66.5), (160, -70.5), (170, -71.5), (168, -77), (165, -78), (180, -78),
    (180, -90), (-180, -90),
]

INLAND_SEAS = [
    # Black Sea with the Sea of Azov
    [(28, 41.3), (27.6, 42.5), (28.6, 43.8), (29.7, 45.2), (31, 46.6), (33, 46.1),
     (32.5, 45.3), (33.6, 44.4), (35.5, 45.1), (36.6, 45.4), (38.2, 46.6), (39.3, 47.2),
     (37.5, 45.2), (38, 44.5), (39.7, 43.5), (41.6, 41.6), (40, 40.9), (37, 41.1),
     (35, 42), (33, 42), (31, 41.2), (29.2, 41.2)],
    # Caspian Sea
    [(47.5, 45.5), (49.2, 46.6), (51.5, 47), (53, 46.7), (53.2, 45.3), (51.3, 44.5),
     (52.7, 42.7), (52.9, 41), (54, 40.8), (53.9, 37.3), (51, 36.7), (49, 37.6),
     (48.9, 38.8), (49.4, 40.3), (48.5, 41.8), (47.5, 43), (47.3, 44.3)],
    # Hudson Bay's mouth toward the Atlantic, which the mainland outline closes
    [(-82, 62.8), (-78, 62.3), (-74, 62.3), (-70, 61), (-66, 61.5), (-70, 62.8), (-77, 64)],
]

ICE_SHEETS = [GREENLAND, ANTARCTICA]

# Dry regions: (lon, lat, half-width lon, half-height lat, strength)
DESERTS = [
    (0, 23, 20, 7, 1.0), (22, 24, 14, 8, 1.0), (-10, 22, 8, 6, 0.9), (46, 22, 9, 7, 0.95),
    (58, 29, 9, 5, 0.75), (65, 43, 12, 5, 0.6), (83, 39, 9, 3, 0.8), (105, 42, 14, 5, 0.7),
    (88, 33, 10, 4, 0.5), (19, -24, 7, 7, 0.75), (15, -21, 3, 6, 0.6), (45, 7, 5, 4, 0.6),
    (133, -25, 15, 9, 0.95), (121, -27, 6, 6, 0.7), (-112, 35, 8, 6, 0.6),
    (-104, 29, 5, 4, 0.55), (-70, -23, 3, 8, 0.8), (-68, -45, 4, 6, 0.6),
]


class LonLatMap:
    """A coarse equirectangular raster of one value per cell."""

    def __init__(self, w, h, data=None):
        self.w, self.h = w, h
        self.d = data if data is not None else [0.0] * (w * h)

    def fill(self, poly, value):
        """Even-odd scanline fill of one outline, wrapping in longitude."""
        w, h = self.w, self.h
        cw = 360.0 / w
        n = len(poly)
        for j in range(h):
            lat = 90.0 - (j + 0.5) * 180.0 / h
            xs = []
            for k in range(n):
                x1, y1 = poly[k]
                x2, y2 = poly[(k + 1) % n]
                if (y1 <= lat) != (y2 <= lat):
                    xs.append(x1 + (lat - y1) * (x2 - x1) / (y2 - y1))
            xs.sort()
            for a, b in zip(xs[0::2], xs[1::2]):
                i0 = math.ceil((a + 180.0) / cw - 0.5)
                i1 = math.ceil((b + 180.0) / cw - 0.5)
                for i in range(i0, i1):
                    self.d[j * w + i % w] = value

    def blurred(self, radius, passes):
        w, h = self.w, self.h
        d = list(self.d)
        k = 2 * radius + 1
        for _ in range(passes):
            out = [0.0] * (w * h)
            for j in range(h):
                row = d[j * w:(j + 1) * w]
                s = sum(row[i % w] for i in range(-radius, radius + 1))
                for i in range(w):
                    out[j * w + i] = s / k
                    s += row[(i + radius + 1) % w] - row[(i - radius) % w]
            d = [0.0] * (w * h)
            for i in range(w):
                for j in range(h):
                    s = 0.0
                    for t in range(j - radius, j + radius + 1):
                        s += out[min(max(t, 0), h - 1) * w + i]
                    d[j * w + i] = s / k
        return LonLatMap(w, h, d)

    def sample(self, lon, lat):
        """Bilinear, wrapping in longitude and clamping at the poles."""
        w, h = self.w, self.h
        x = (lon + 180.0) * w / 360.0 - 0.5
        y = (90.0 - lat) * h / 180.0 - 0.5
        ix, iy = math.floor(x), math.floor(y)
        fx, fy = x - ix, y - iy
        x0, x1 = ix % w, (ix + 1) % w
        y0, y1 = min(max(iy, 0), h - 1), min(max(iy + 1, 0), h - 1)
        d = self.d
        a = d[y0 * w + x0] + (d[y0 * w + x1] - d[y0 * w + x0]) * fx
        b = d[y1 * w + x0] + (d[y1 * w + x1] - d[y1 * w + x0]) * fx
        return a + (b - a) * fy


_EARTH_MAPS = None


def earth_maps():
    global _EARTH_MAPS
    if _EARTH_MAPS is None:
        land = LonLatMap(720, 360)
        for poly in [NORTH_AMERICA, GREENLAND, SOUTH_AMERICA, EURASIA, AFRICA,
                     ANTARCTICA] + ARCTIC_ISLANDS + ISLANDS:
            land.fill(poly, 1.0)
        for poly in INLAND_SEAS:
            land.fill(poly, 0.0)
        ice = LonLatMap(360, 180)
        for poly in ICE_SHEETS:
            ice.fill(poly, 1.0)
        coarse = LonLatMap(360, 180, [
            (land.d[(2 * j) * 720 + 2 * i] + land.d[(2 * j + 1) * 720 + 2 * i + 1]) / 2.0
            for j in range(180) for i in range(360)])
        _EARTH_MAPS = (land, ice.blurred(1, 1), coarse.blurred(2, 2))
    return _EARTH_MAPS


def dryness(lon, lat):
    keep = 1.0
    for dl, dt, rl, rt, s in DESERTS:
        dx = (lon - dl + 180.0) % 360.0 - 180.0
        e = (dx / rl) ** 2 + ((lat - dt) / rt) ** 2
        if e < 9.0:
            keep *= 1.0 - s * math.exp(-e)
    return 1.0 - keep


# ------------------------------------------------------------------ bodies

def earth_shader(lon0, lat0, cyclones, seed):
    land, ice, shelf = earth_maps()
    nz = Noise(seed)
    nc = Noise(seed + 1)
    deep, shallow = (10, 32, 92), (28, 92, 150)
    forest, grass, sand = (38, 88, 34), (118, 124, 58), (212, 178, 118)
    tundra, snow = (105, 104, 84), (236, 240, 246)
    cloud = (248, 249, 252)
    haze = (110, 160, 255)

    def shade(X, Y, Z):
        bx, by, bz = body_frame(X, Y, Z, lat0)
        lon, lat = lonlat(bx, by, bz, lon0)
        # Continents, coloured by dryness and latitude.
        l = smooth(0.3, 0.7, land.sample(lon, lat))
        sea = mix(deep, shallow, smooth(0.05, 0.6, shelf.sample(lon, lat)) * 0.8)
        sea = scale(sea, 1.0 + 0.08 * nz(bx * 6, by * 6, bz * 6))
        col = sea
        if l > 0.0:
            v = nz.fbm(bx * 5 + 11, by * 5, bz * 5, 3)
            dry = clamp(dryness(lon, lat) + 0.35 * v)
            ground = mix(forest, grass, smooth(0.1, 0.5, dry + 0.15 * v))
            ground = mix(ground, sand, smooth(0.45, 0.85, dry))
            ground = mix(ground, tundra, smooth(52, 68, abs(lat) + 6 * v))
            ground = scale(ground, 1.0 + 0.12 * nz(bx * 16, by * 16, bz * 16))
            ground = mix(ground, snow, smooth(0.35, 0.65, ice.sample(lon, lat)))
            col = mix(sea, ground, l)
        # Sea ice around the poles.
        pole = smooth(76, 82, abs(lat) + 5 * nz(bx * 8 + 3, by * 8, bz * 8))
        col = mix(col, snow, pole * (1.0 - l) * 0.9)
        # Clouds: warped noise, thicker in the tropics and storm belts,
        # thin over the subtropical deserts, plus a few spiral storms.
        wx = nc.fbm(bx * 2 + 5, by * 2, bz * 2, 2)
        wy = nc.fbm(bx * 2, by * 2 + 7, bz * 2, 2)
        c = nc.fbm(bx * 3.2 + 1.6 * wx, by * 5.0 + 1.6 * wy, bz * 3.2 - 1.2 * wx, 4)
        alat = abs(lat)
        belt = (0.08 * math.exp(-((lat - 6) / 6) ** 2) + 0.22 * math.exp(-((alat - 52) / 11) ** 2)
                - 0.18 * math.exp(-((alat - 24) / 8) ** 2) - 0.25 * dryness(lon, lat) * l)
        a = smooth(0.16 - belt, 0.55 - belt, c)
        a = max(a, 0.45 * smooth(0.25, 0.6, nc.fbm(bx * 9, by * 9, bz * 9, 3) + 0.6 * c + belt))
        for clon, clat, size, turn in cyclones:
            a = max(a, spiral(lon, lat, clon, clat, size, turn, c))
        col = mix(col, cloud, a * 0.92)
        k = diffuse(X, Y, Z, 0.1, 0.4)
        col = scale(col, k)
        # Thin blue air at the limb.
        h = (1.0 - Z) ** 3 * 0.45 * (0.3 + 0.7 * k)
        return mix(col, scale(haze, k + 0.2), h)

    return shade


def spiral(lon, lat, clon, clat, size, turn, n):
    """Cloud cover of one spiral storm centred at (clon, clat)."""
    dx = ((lon - clon + 180.0) % 360.0 - 180.0) * math.cos(math.radians(lat))
    dy = lat - clat
    r = math.sqrt(dx * dx + dy * dy) / size
    if r > 1.8:
        return 0.0
    ang = math.atan2(dy, dx)
    arm = math.cos(ang - turn * 2.2 * math.log(r + 0.08) + 2.5 * n)
    body = math.exp(-r * r * 1.2)
    a = smooth(-0.1, 0.8, arm + 0.6 * n) * body
    core = math.exp(-((r - 0.22) / 0.16) ** 2)
    return clamp(1.3 * a + 0.7 * core * (0.6 + 0.4 * arm))


JUPITER_BANDS = [  # (southern edge latitude, colour)
    (-90, (150, 138, 125)), (-58, (180, 165, 145)), (-45, (214, 204, 184)),
    (-34, (178, 140, 108)), (-27, (240, 232, 214)), (-19, (172, 114, 78)),
    (-8, (226, 206, 170)), (7, (160, 102, 68)), (18, (238, 230, 212)),
    (24, (182, 142, 106)), (31, (222, 212, 192)), (38, (172, 144, 114)),
    (45, (196, 180, 158)), (60, (152, 140, 128)),
]


def band_colour(bands, lat, soft):
    i = 0
    while i + 1 < len(bands) and lat >= bands[i + 1][0]:
        i += 1
    col = bands[i][1]
    if i + 1 < len(bands):
        t = smooth(-soft, soft, lat - bands[i + 1][0])
        col = mix(col, bands[i + 1][1], t)
    if i > 0:
        t = smooth(-soft, soft, lat - bands[i][0])
        col = mix(bands[i - 1][1], col, t)
    return col


def jupiter_shader():
    n = Noise(71)
    lon0 = 0.0
    grs_lon, grs_lat = 22.0, -22.0

    def shade(X, Y, Z):
        bx, by, bz = body_frame(X, Y, Z, 3.0)
        lon, lat = lonlat(bx, by, bz, lon0)
        # Belts wave and streak along the latitude circles.
        t = n.fbm(bx * 3, by * 14, bz * 3, 3)
        lat2 = lat + 2.2 * t + 1.2 * math.sin(math.radians(lon) * 5 + lat * 0.3)
        col = band_colour(JUPITER_BANDS, lat2, 1.6)
        s = n.fbm(bx * 5 + 4, by * 40, bz * 5, 3)
        col = scale(col, 1.0 + 0.10 * s)
        # The Great Red Spot with its pale collar.
        dx = (lon - grs_lon) * math.cos(math.radians(lat)) / 13.0
        dy = (lat - grs_lat) / 6.5
        e = math.sqrt(dx * dx + dy * dy)
        if e < 2.2:
            ring = math.exp(-((e - 1.15) / 0.28) ** 2)
            col = mix(col, (236, 226, 208), 0.75 * ring)
            core = 1.0 - smooth(0.8, 1.0, e)
            swirl = 1.0 + 0.12 * math.sin(math.atan2(dy, dx) * 2 + e * 7)
            col = mix(col, scale((196, 92, 58), swirl * (0.9 + 0.15 * (1 - e))), core)
        # Small white ovals in the southern temperate belt.
        for olon in (-38.0, -8.0, 52.0):
            dx = (lon - olon) * math.cos(math.radians(lat)) / 3.4
            dy = (lat + 40.5) / 2.2
            e = dx * dx + dy * dy
            if e < 4.0:
                col = mix(col, (244, 240, 230), 0.85 * math.exp(-e * 1.5))
        k = diffuse(X, Y, Z, 0.1, 0.35)
        return scale(col, k)

    return shade


def mars_shader():
    n = Noise(404)
    lon0, lat0 = 40.0, 22.0
    bright, dust = (208, 116, 66), (178, 92, 54)
    dark = (100, 62, 46)
    cap = (246, 242, 236)
    # Dark lands: (lon, lat, half-width lon, half-height lat, strength)
    maria = [
        (70, 10, 9, 15, 1.0), (76, 26, 6, 6, 0.7), (60, -4, 10, 5, 0.85),
        (-30, 46, 16, 10, 0.9), (4, -4, 12, 5, 0.95), (30, -8, 20, 5, 0.85),
        (-40, -24, 24, 8, 0.8), (105, -18, 15, 7, 0.75), (145, -22, 20, 7, 0.75),
        (110, 46, 22, 8, 0.5), (-62, -12, 8, 4, 0.55), (20, 46, 12, 5, 0.35),
        (40, -28, 14, 6, 0.55),
    ]

    def shade(X, Y, Z):
        bx, by, bz = body_frame(X, Y, Z, lat0, -8.0)
        lon, lat = lonlat(bx, by, bz, lon0)
        # Warp the map a little so the dark lands get ragged edges.
        v = n.fbm(bx * 3, by * 3, bz * 3, 5)
        wl = lon + 9.0 * n.fbm(bx * 2 + 5, by * 2, bz * 2, 3)
        wt = lat + 6.0 * n.fbm(bx * 2, by * 2 + 5, bz * 2, 3)
        m = 0.0
        for ml, mt, rl, rt, s in maria:
            dx = (wl - ml + 180.0) % 360.0 - 180.0
            e = (dx / rl) ** 2 + ((wt - mt) / rt) ** 2
            if e < 9.0:
                m = max(m, s * math.exp(-e))
        m = clamp(m * (0.9 + 0.5 * v) + 0.12 * v)
        col = mix(bright, dust, smooth(-0.5, 0.5, n.fbm(bx * 6, by * 6, bz * 6, 3)))
        col = scale(col, 1.0 + 0.06 * n(bx * 30, by * 30, bz * 30))
        col = mix(col, dark, 0.92 * smooth(0.15, 0.75, m))
        # Hellas, a bright basin.
        dx = (lon - 70 + 180.0) % 360.0 - 180.0
        col = mix(col, (222, 150, 104), 0.6 * math.exp(-(dx / 14) ** 2 - ((lat + 42) / 8) ** 2))
        edge = 74.0 + 3.0 * n(bx * 7 + 2, by * 7, bz * 7)
        col = mix(col, cap, smooth(edge - 1.5, edge + 1.5, lat))
        col = mix(col, cap, smooth(-80, -83, lat))
        k = diffuse(X, Y, Z, 0.1, 0.3)
        col = scale(col, k)
        return mix(col, scale((230, 190, 170), k + 0.1), (1.0 - Z) ** 4 * 0.35)

    return shade


def venus_shader():
    n = Noise(2)
    base, pale = (232, 214, 160), (247, 238, 206)
    band = (196, 170, 118)

    def shade(X, Y, Z):
        bx, by, bz = body_frame(X, Y, Z, 0.0, 12.0)
        lon, lat = lonlat(bx, by, bz, 0.0)
        # Broad C- and Y-shaped streaks of the cloud deck.
        bend = 14.0 * math.cos(math.radians(lon * 1.1))
        w = n.fbm(bx * 2, by * 6, bz * 2, 3)
        s = math.sin(math.radians((lat + bend) * 5.0) + 2.0 * w)
        col = mix(base, band, 0.30 * smooth(0.2, 1.0, s) * smooth(75, 35, abs(lat)))
        col = mix(col, pale, 0.5 * smooth(0.0, 0.6, n.fbm(bx * 3 + 9, by * 9, bz * 3, 3)))
        col = mix(col, pale, smooth(55, 80, abs(lat)) * 0.6)
        k = diffuse(X, Y, Z, 0.12, 0.45)
        return scale(col, k)

    return shade


def sun_shader():
    n = Noise(1)
    ramp = [(0.0, (120, 24, 0)), (0.35, (200, 72, 4)), (0.6, (242, 136, 18)),
            (0.82, (255, 196, 60)), (1.0, (255, 238, 150))]
    # (X, Y, radius) of spots in the picture's unit disc
    spots = [(-0.22, 0.30, 0.055), (-0.14, 0.27, 0.035), (-0.30, 0.34, 0.025),
             (0.34, -0.18, 0.05), (0.42, -0.22, 0.03), (0.05, -0.42, 0.03),
             (-0.55, -0.05, 0.025)]

    def shade(X, Y, Z):
        mu = Z
        i = 1.0 - 0.62 * (1.0 - mu) - 0.14 * (1.0 - mu * mu)
        i *= 1.0 + 0.045 * n(X * 34, Y * 34, Z * 34) + 0.02 * n(X * 80, Y * 80, 3.0)
        # Faculae glow near the limb.
        i += 0.08 * smooth(0.2, 0.6, n.fbm(X * 9, Y * 9, 5.0, 2)) * smooth(0.7, 0.2, mu)
        for sx, sy, r in spots:
            dx, dy = X - sx, Y - sy
            # Spots foreshorten toward the limb.
            sz = math.sqrt(max(0.0, 1.0 - sx * sx - sy * sy))
            ux, uy = (sx, sy)
            ul = math.hypot(ux, uy) or 1.0
            along = (dx * ux + dy * uy) / ul
            across = (-dx * uy + dy * ux) / ul
            d = math.sqrt((along / max(sz, 0.3)) ** 2 + across ** 2) / r
            if d < 2.5:
                i *= 1.0 - 0.45 * smooth(2.1, 1.2, d) - 0.4 * smooth(0.75, 0.4, d)
        i = clamp(i)
        for k in range(len(ramp) - 1):
            if i <= ramp[k + 1][0]:
                t = (i - ramp[k][0]) / (ramp[k + 1][0] - ramp[k][0])
                return mix(ramp[k][1], ramp[k + 1][1], t)
        return ramp[-1][1]

    return shade


def sphere_shader():
    base = (40, 96, 210)
    halfway = norm3(LIGHT[0], LIGHT[1], LIGHT[2] + 1.0)

    def shade(X, Y, Z):
        d = max(0.0, X * LIGHT[0] + Y * LIGHT[1] + Z * LIGHT[2])
        k = (0.08 + 0.92 * d ** 1.3) * Z ** 0.25
        col = scale(base, k)
        h = max(0.0, X * halfway[0] + Y * halfway[1] + Z * halfway[2])
        s = h ** 90 * 1.0 + h ** 12 * 0.25
        # A faint reflected floor along the lower limb.
        fl = smooth(-0.2, -0.9, Y) * (1.0 - Z) ** 2 * 0.5
        col = mix(col, (120, 150, 200), fl)
        return mix(col, (255, 255, 255), clamp(s))

    return shade


# Saturn: ring plane opened 22 degrees toward us and the whole system turned
# so the rings run corner to corner; sized so the body fills 119 rows.
SAT_TILT = 22.0
SAT_TURN = 36.0
SAT_RING_OUT = 2.2     # outer edge of the A ring, in globe radii
SATURN_ROWS = (23, 141)


def saturn_layout():
    b = math.sin(math.radians(SAT_TILT))
    c, s = math.cos(math.radians(SAT_TURN)), math.sin(math.radians(SAT_TURN))
    half_h = math.sqrt((s * s + b * b * c * c))          # per unit outer radius
    a = (SATURN_ROWS[1] + 1 - SATURN_ROWS[0] - 0.9) / 2.0 / half_h
    return a / SAT_RING_OUT, 82.0, (SATURN_ROWS[0] + SATURN_ROWS[1] + 1) / 2.0


SAT_RINGS = [  # (inner radius, outer radius, colour, opacity)
    (1.22, 1.50, (150, 138, 116), 0.3),
    (1.50, 1.90, (246, 238, 218), 0.95),
    (1.90, 1.97, (40, 36, 32), 0.15),
    (1.97, 2.2, (214, 206, 186), 0.85),
]

SAT_BANDS = [
    (-90, (160, 146, 104)), (-60, (190, 162, 104)), (-42, (222, 190, 124)),
    (-30, (200, 156, 92)), (-20, (232, 200, 134)), (-9, (242, 214, 148)),
    (9, (226, 190, 124)), (18, (198, 152, 88)), (28, (230, 198, 132)),
    (40, (202, 166, 104)), (55, (180, 160, 112)), (70, (150, 150, 130)),
]


def ring_at(rho):
    for r0, r1, col, op in SAT_RINGS:
        if r0 <= rho < r1:
            f = 1.0 + 0.07 * math.sin(rho * 61.0) + 0.05 * math.sin(rho * 143.0)
            if abs(rho - 2.15) < 0.012:          # the Encke gap
                f *= 0.45
            return scale(col, f), op
    return None, 0.0


def render_saturn(size=SIZE):
    R, cx, cy = saturn_layout()
    n = Noise(9)
    tb = math.sin(math.radians(SAT_TILT))
    tc = math.cos(math.radians(SAT_TILT))
    c, s = math.cos(math.radians(SAT_TURN)), math.sin(math.radians(SAT_TURN))
    pole = (0.0, tc, tb)               # in the turned frame, unit globe
    lx, ly, lz = LIGHT
    L = (c * lx + s * ly, -s * lx + c * ly, lz)
    ln = L[0] * pole[0] + L[1] * pole[1] + L[2] * pole[2]

    def ring_shadowed(x, y, z):
        # Does the globe stand between this ring point and the light?
        bq = x * L[0] + y * L[1] + z * L[2]
        cq = x * x + y * y + z * z - 1.0
        return bq < 0 and bq * bq - cq > 0 or (bq >= 0 and cq < 0)

    def sample(u, v):
        X = (u - cx) / R
        Y = (cy - v) / R
        x, y = c * X + s * Y, -s * X + c * Y
        rho = math.sqrt(x * x + (y / tb) ** 2)
        zr = -(y / tb) * tc             # depth of the ring point, + toward us
        rcol, rop = ring_at(rho)
        g = x * x + y * y
        col, alpha = None, 0.0
        if g < 1.0:
            z = math.sqrt(1.0 - g)
            lat = math.degrees(math.asin(clamp(x * pole[0] + y * pole[1] + z * pole[2], -1, 1)))
            t = n.fbm(x * 3, (x * pole[0] + y * pole[1] + z * pole[2]) * 16, z * 3, 3)
            col = band_colour(SAT_BANDS, lat + 1.5 * t, 2.0)
            col = scale(col, diffuse(x * c - y * s, x * s + y * c, z, 0.3, 0.3))
            # Shadow of the rings on the globe.
            gd = x * pole[0] + y * pole[1] + z * pole[2]
            if ln != 0:
                tt = -gd / ln
                if tt > 0:
                    qx, qy, qz = x + tt * L[0], y + tt * L[1], z + tt * L[2]
                    _, op = ring_at(math.sqrt(qx * qx + qy * qy + qz * qz))
                    col = scale(col, 1.0 - 0.2 * op)
            alpha = 1.0
            if rcol is not None and zr > z:
                col = mix(col, ring_lit(rcol, x, y, zr), rop)
        elif rcol is not None:
            col, alpha = ring_lit(rcol, x, y, zr), rop
        return col, alpha

    def ring_lit(col, x, y, zr):
        k = 0.8 + 0.2 * abs(ln)
        if ring_shadowed(x, y, zr):
            k *= 0.25
        return scale(col, k)

    img = Image(size, size)
    k = size / SIZE
    sub = [(i + 0.5) / 4.0 for i in range(4)]
    for py in range(size):
        for px in range(size):
            acc = [0.0, 0.0, 0.0]
            hit = False
            for sy in sub:
                for sx in sub:
                    col, a = sample((px + sx) / k, (py + sy) / k)
                    if col is not None:
                        hit = True
                        acc[0] += col[0] * a
                        acc[1] += col[1] * a
                        acc[2] += col[2] * a
            if hit:
                img.px[py * size + px] = (acc[0] / 16, acc[1] / 16, acc[2] / 16)
    return img


# --------------------------------------------------------------- pictures

PLANETS = ["earth", "earthafr", "jupiter", "mars", "venus", "saturn", "sun", "sphere"]


def make_planets(size=SIZE, only=None):
    """Returns {name: (palette, indices, colours)} for the eight bodies, or
    for the one named, drawn size x size: the same bodies at any scale."""
    out = {}
    c, r = 82.0, 75.0
    bodies = [
        ("earth", lambda: render_globe(earth_shader(-78.0, 12.0, [
            (-42, 44, 11, 1.0), (-140, 42, 10, 1.0), (-105, -42, 11, -1.0)], 5), c, c, r, r, size), 256),
        ("earthafr", lambda: render_globe(earth_shader(18.0, 2.0, [
            (-28, 50, 11, 1.0), (58, -42, 11, -1.0)], 6), c, c, r, r, size), 256),
        ("jupiter", lambda: render_globe(jupiter_shader(), c, c, r, r * 0.935, size), 256),
        ("mars", lambda: render_globe(mars_shader(), c, c, r, r, size), 256),
        ("venus", lambda: render_globe(venus_shader(), c, c, r, r, size), 256),
        ("saturn", lambda: render_saturn(size), 256),
        ("sun", lambda: render_globe(sun_shader(), c, c, 74.6, 74.6, size), 177),
        ("sphere", lambda: render_globe(sphere_shader(), c, c, r, r, size), 256),
    ]
    for name, make, ncol in bodies:
        if only is not None and name != only:
            continue
        pal, idx = quantise(make(), ncol)
        out[name] = (pal, idx, ncol)
    if size == SIZE and only is None:
        check_rows(out["saturn"][1], SATURN_ROWS, "saturn")
        check_rows(out["sun"][1], (7, SIZE - 8), "sun")
    return out


def check_rows(idx, rows, name):
    """The show relies on these exact margins, so refuse to write others."""
    used = [y for y in range(SIZE) if any(idx[y * SIZE:(y + 1) * SIZE])]
    if (used[0], used[-1]) != rows:
        raise SystemExit("%s: body covers rows %d..%d, wanted %d..%d"
                         % (name, used[0], used[-1], rows[0], rows[1]))


# A small font: each glyph is 9 rows (ascender to descender), baseline on row 6.
FONT = {
    "H": ["#...#", "#...#", "#...#", "#####", "#...#", "#...#", "#...#", ".....", "....."],
    "a": [".....", ".....", ".###.", "....#", ".####", "#...#", ".####", ".....", "....."],
    "b": ["#....", "#....", "####.", "#...#", "#...#", "#...#", "####.", ".....", "....."],
    "c": [".....", ".....", ".###.", "#....", "#....", "#....", ".###.", ".....", "....."],
    "d": ["....#", "....#", ".####", "#...#", "#...#", "#...#", ".####", ".....", "....."],
    "e": [".....", ".....", ".###.", "#...#", "#####", "#....", ".####", ".....", "....."],
    "f": ["..##", ".#..", "####", ".#..", ".#..", ".#..", ".#..", "....", "...."],
    "g": [".....", ".....", ".####", "#...#", "#...#", ".####", "....#", "....#", ".###."],
    "h": ["#....", "#....", "####.", "#...#", "#...#", "#...#", "#...#", ".....", "....."],
    "i": ["#", ".", "#", "#", "#", "#", "#", ".", "."],
    "j": ["..#", "...", "..#", "..#", "..#", "..#", "..#", "..#", "##."],
    "k": ["#...", "#...", "#..#", "#.#.", "##..", "#.#.", "#..#", "....", "...."],
    "l": ["##.", ".#.", ".#.", ".#.", ".#.", ".#.", "..#", "...", "..."],
    "m": [".....", ".....", "##.#.", "#.#.#", "#.#.#", "#.#.#", "#.#.#", ".....", "....."],
    "n": [".....", ".....", "####.", "#...#", "#...#", "#...#", "#...#", ".....", "....."],
    "o": [".....", ".....", ".###.", "#...#", "#...#", "#...#", ".###.", ".....", "....."],
    "p": [".....", ".....", "####.", "#...#", "#...#", "#...#", "####.", "#....", "#...."],
    "r": ["....", "....", "#.##", "##..", "#...", "#...", "#...", "....", "...."],
    "s": [".....", ".....", ".####", "#....", ".###.", "....#", "####.", ".....", "....."],
    "t": [".#..", ".#..", "####", ".#..", ".#..", ".#..", "..##", "....", "...."],
    "u": [".....", ".....", "#...#", "#...#", "#...#", "#...#", ".####", ".....", "....."],
    "v": [".....", ".....", "#...#", "#...#", "#...#", ".#.#.", "..#..", ".....", "....."],
    "x": [".....", ".....", "#...#", ".#.#.", "..#..", ".#.#.", "#...#", ".....", "....."],
    "y": [".....", ".....", "#...#", "#...#", "#...#", ".####", "....#", "....#", ".###."],
    "0": [".###.", "#...#", "#..##", "#.#.#", "##..#", "#...#", ".###.", ".....", "....."],
    "1": [".#.", "##.", ".#.", ".#.", ".#.", ".#.", "###", "...", "..."],
    "2": [".###.", "#...#", "....#", "..##.", ".#...", "#....", "#####", ".....", "....."],
    "3": ["####.", "....#", "....#", ".###.", "....#", "....#", "####.", ".....", "....."],
    "4": ["...#.", "..##.", ".#.#.", "#..#.", "#####", "...#.", "...#.", ".....", "....."],
    "5": ["#####", "#....", "####.", "....#", "....#", "#...#", ".###.", ".....", "....."],
    "6": [".###.", "#....", "#....", "####.", "#...#", "#...#", ".###.", ".....", "....."],
    "7": ["#####", "....#", "...#.", "..#..", ".#...", ".#...", ".#...", ".....", "....."],
    "8": [".###.", "#...#", "#...#", ".###.", "#...#", "#...#", ".###.", ".....", "....."],
    "9": [".###.", "#...#", "#...#", ".####", "....#", "....#", ".###.", ".....", "....."],
    ".": [".", ".", ".", ".", ".", ".", "#", ".", "."],
    " ": ["..", "..", "..", "..", "..", "..", "..", "..", ".."],
}


def text_cells(text):
    """Pixel cells (x, y) of text at 1x, and its width."""
    cells, x = [], 0
    for ch in text:
        g = FONT[ch]
        for y, row in enumerate(g):
            for i, v in enumerate(row):
                if v == "#":
                    cells.append((x + i, y))
        x += len(g[0]) + 1
    return cells, x - 1


PARK_PAL = [
    (0, 0, 0), (8, 12, 36), (24, 36, 84), (44, 92, 188), (120, 176, 236), (252, 252, 252),
    (255, 232, 130), (236, 176, 56), (210, 104, 30), (132, 74, 40), (54, 140, 62),
    (72, 72, 84), (150, 150, 162), (232, 212, 168), (182, 70, 42), (206, 208, 216),
]

BAYER4 = [0, 8, 2, 10, 12, 4, 14, 6, 3, 11, 1, 9, 15, 7, 13, 5]


def nearest_fixed(pal, col):
    best, bi = None, 0
    for i, p in enumerate(pal):
        d = (p[0] - col[0]) ** 2 + (p[1] - col[1]) ** 2 + (p[2] - col[2]) ** 2
        if best is None or d < best:
            best, bi = d, i
    return bi


def dither_fixed(pal, w, h, rgb, allowed):
    """Ordered dithering onto a fixed palette, restricted to the entries in
    allowed so shading stays within a body's own colours."""
    sub = [pal[i] for i in allowed]
    out = []
    for y in range(h):
        for x in range(w):
            c = rgb[y * w + x]
            t = (BAYER4[(y % 4) * 4 + x % 4] + 0.5) / 16.0 - 0.5
            c = (c[0] + 40 * t, c[1] + 40 * t, c[2] + 40 * t)
            out.append(allowed[nearest_fixed(sub, c)])
    return out


def disc_scene(w, h, discs, ss=4):
    """Draws the scene's parts, given back to front as functions of a point
    that return a colour or None; returns supersampled RGB and coverage."""
    rgb, cov = [], []
    for y in range(h):
        for x in range(w):
            acc = [0.0, 0.0, 0.0]
            a = 0
            for j in range(ss):
                for i in range(ss):
                    u, v = x + (i + 0.5) / ss, y + (j + 0.5) / ss
                    col = None
                    for d in discs:
                        c = d(u, v)
                        if c is not None:
                            col = c
                    if col is not None:
                        a += 1
                        acc[0] += col[0]
                        acc[1] += col[1]
                        acc[2] += col[2]
            n = ss * ss
            rgb.append((acc[0] / max(a, 1), acc[1] / max(a, 1), acc[2] / max(a, 1)))
            cov.append(a / n)
    return rgb, cov


def ball(cx, cy, r, colour_at):
    """A lit ball whose surface colour comes from colour_at(X, Y)."""
    def draw(u, v):
        X, Y = (u - cx) / r, (cy - v) / r
        g = X * X + Y * Y
        if g > 1.0:
            return None
        Z = math.sqrt(1.0 - g)
        return scale(colour_at(X, Y), 0.25 + 0.95 * diffuse(X, Y, Z, 0.05, 0.2))
    return draw


def ringed(cx, cy, r, tilt, turn, ring_col, front):
    """Only the ring of a ringed planet: the far half (front=False) or the
    near half (front=True)."""
    tb = math.sin(math.radians(tilt))
    c, s = math.cos(math.radians(turn)), math.sin(math.radians(turn))

    def draw(u, v):
        X, Y = (u - cx) / r, (cy - v) / r
        x, y = c * X + s * Y, -s * X + c * Y
        rho = math.sqrt(x * x + (y / tb) ** 2)
        if not (1.3 <= rho <= 2.15) or (1.78 < rho < 1.86):
            return None
        if front != (y < 0):
            return None
        return scale(ring_col, 1.05 - 0.25 * (rho - 1.3))
    return draw


def make_parkdlg():
    w, h = 98, 47
    rgb = [PARK_PAL[1]] * (w * h)
    idx = [1] * (w * h)
    # Stars.
    s = 12345
    for _ in range(30):
        s = (s * 1103515245 + 12345) & 0x7FFFFFFF
        x = (s >> 8) % w
        s = (s * 1103515245 + 12345) & 0x7FFFFFFF
        y = (s >> 8) % 26
        s = (s * 1103515245 + 12345) & 0x7FFFFFFF
        idx[y * w + x] = (11, 12, 15, 5)[(s >> 8) % 4]

    def earthish(X, Y):
        land = math.sin(X * 7 + 1) + math.cos(Y * 6 - X * 2) > 0.9
        return (64, 168, 72) if land else (50, 100, 210)

    def jupiterish(X, Y):
        b = math.sin(Y * 9.5)
        return (236, 214, 168) if b > -0.2 else (200, 120, 60)

    scene = [
        ball(11, 12, 9.5, lambda X, Y: (255, 220, 90)),                   # the sun
        ball(34, 14, 7.5, earthish),
        ringed(57, 11, 5.5, 25, 20, (232, 212, 168), False),
        ball(57, 11, 5.5, lambda X, Y: (236, 200, 120)),
        ringed(57, 11, 5.5, 25, 20, (232, 212, 168), True),
        ball(78, 14, 8.5, jupiterish),
        ball(92, 5, 2.8, lambda X, Y: (200, 80, 40)),
    ]
    srgb, cov = disc_scene(w, 26, scene)
    for i in range(w * 26):
        if cov[i] > 0:
            c = mix(PARK_PAL[1], srgb[i], cov[i])
            rgb[i] = c
    sidx = dither_fixed(PARK_PAL, w, 26, rgb[:w * 26], list(range(16)))
    for i in range(w * 26):
        if cov[i] > 0:
            idx[i] = sidx[i]
    # The name, doubled, with a dark drop shadow and an outline.
    cells, tw = text_cells("Hoplette")
    x0, y0 = (w - 2 * tw) // 2, 27
    big = set()
    for cx_, cy_ in cells:
        for dy in range(2):
            for dx in range(2):
                big.add((x0 + 2 * cx_ + dx, y0 + 2 * cy_ + dy))
    for x, y in sorted(big):
        for dx, dy in ((1, 1), (2, 2), (1, 2), (2, 1)):
            if (x + dx, y + dy) not in big and 0 <= x + dx < w and 0 <= y + dy < h:
                idx[(y + dy) * w + x + dx] = 9
    for x, y in sorted(big):
        if 0 <= x < w and 0 <= y < h:
            # Gold fading to pale yellow toward the top of each letter.
            idx[y * w + x] = 6 if (y - y0) < 8 else 7
    return PARK_PAL, idx, w, h


ICON_PAL = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128),
    (0, 128, 128), (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0),
    (255, 255, 0), (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]


def make_icon():
    """A blue ringed planet with a black outline, so it reads on light and
    dark backgrounds alike."""
    w = h = 32
    cx, cy, r = 16.0, 16.0, 10.0
    tilt, turn = 32.0, 20.0
    tb = math.sin(math.radians(tilt))
    c, s = math.cos(math.radians(turn)), math.sin(math.radians(turn))

    def at(u, v):
        X, Y = (u - cx) / r, (cy - v) / r
        x, y = c * X + s * Y, -s * X + c * Y
        rho = math.sqrt(x * x + (y / tb) ** 2)
        ring = 1.3 <= rho <= 1.55
        g = X * X + Y * Y
        if g <= 1.0 and not (ring and y < 0):
            Z = math.sqrt(1.0 - g)
            k = diffuse(X, Y, Z, 0.0, 0.1)
            if k > 0.962:
                return 15
            if k > 0.9:
                return 14
            if k > 0.45:
                return 12
            return 4
        if ring:
            return 11 if rho < 1.45 else 3
        return None

    idx, opaque = [0] * (w * h), [False] * (w * h)
    for y in range(h):
        for x in range(w):
            votes = {}
            for j in range(3):
                for i in range(3):
                    v = at(x + (i + 0.5) / 3, y + (j + 0.5) / 3)
                    votes[v] = votes.get(v, 0) + 1
            empty = votes.pop(None, 0)
            if empty <= 4:
                opaque[y * w + x] = True
                idx[y * w + x] = max(sorted(votes), key=lambda k: votes[k])
    # Outline: transparent pixels touching the body turn black and opaque.
    edge = []
    for y in range(h):
        for x in range(w):
            if not opaque[y * w + x]:
                for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1)):
                    nx, ny = x + dx, y + dy
                    if 0 <= nx < w and 0 <= ny < h and opaque[ny * w + nx]:
                        edge.append(y * w + x)
                        break
    for i in edge:
        opaque[i] = True
        idx[i] = 0
    mask = [not o for o in opaque]
    return ICON_PAL, idx, mask


# ----------------------------------------------------------- contact sheet

def squeeze_rows(idx, w, h, nh):
    """Nearest-row shrink, as a plain stretch to a shorter box would do."""
    return [idx[min(h - 1, (y * h) // nh) * w + x] for y in range(nh) for x in range(w)]


def make_sheet(planets, park, icon):
    cell = 2 * SIZE
    gap, label = 16, 24
    cols = 4
    W = cols * cell + (cols + 1) * gap
    extra = 2 * 47 + label + gap
    H = 2 * (cell + label) + 3 * gap + extra
    px = [(0, 0, 0)] * (W * H)

    def put(x, y, c):
        if 0 <= x < W and 0 <= y < H:
            px[y * W + x] = c

    def blit(x0, y0, w, h, pal, idx, mask=None, k=2):
        for y in range(h):
            for x in range(w):
                if mask is not None and mask[y * w + x]:
                    continue
                c = pal[idx[y * w + x]]
                for j in range(k):
                    for i in range(k):
                        put(x0 + k * x + i, y0 + k * y + j, c)

    def write(x0, y0, text):
        cells, _ = text_cells(text)
        for x, y in cells:
            for j in range(2):
                for i in range(2):
                    put(x0 + 2 * x + i, y0 + 2 * y + j, (200, 200, 200))

    names = ["earth", "earthafr", "jupiter", "mars", "venus", "saturn", "sun", "sphere"]
    for n, name in enumerate(names):
        x0 = gap + (n % cols) * (cell + gap)
        y0 = gap + (n // cols) * (cell + label + gap)
        pal, idx, _ = planets[name]
        blit(x0, y0, SIZE, SIZE, pal, idx)
        write(x0, y0 + cell + 4, name)
    y0 = gap + 2 * (cell + label + gap)
    ppal, pidx, pw, ph = park
    blit(gap, y0, pw, ph, ppal, pidx)
    write(gap, y0 + 2 * ph + 4, "parkdlg")
    sq = squeeze_rows(pidx, pw, ph, 42)
    blit(2 * gap + 2 * pw, y0, pw, 42, ppal, sq)
    write(2 * gap + 2 * pw, y0 + 2 * ph + 4, "98x42")
    ipal, iidx, imask = icon
    ix = 3 * gap + 4 * pw
    blit(ix, y0, 32, 32, ipal, iidx, imask)
    for y in range(y0, y0 + 64):
        for x in range(ix + 64 + gap, ix + 128 + gap):
            put(x, y, (236, 236, 236))
    blit(ix + 64 + gap, y0, 32, 32, ipal, iidx, imask)
    write(ix, y0 + 2 * ph + 4, "hoplette.ico")
    return W, H, px


# -------------------------------------------------------------------- main

def write_file(path, data):
    os.makedirs(os.path.dirname(os.path.abspath(path)), exist_ok=True)
    with open(path, "wb") as f:
        f.write(data)


def main(argv=None):
    ap = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    ap.add_argument("--out", help="folder for the bitmaps and the icon "
                    "(default: src/resources)")
    ap.add_argument("--sheet", help="also write a PNG contact sheet here "
                    "(default without --out: docs/pictures.png)")
    ap.add_argument("--size", type=int, help="only one body, NAME.bmp, drawn "
                    "SIZE x SIZE into --out: the tests' reference at a scale")
    ap.add_argument("--only", choices=PLANETS, default="mars",
                    help="the body --size draws (default mars)")
    args = ap.parse_args(argv)
    if args.size is not None:
        if not 16 <= args.size <= 1024 or args.out is None:
            ap.error("--size takes 16 to 1024 and needs --out")
        pal, idx, ncol = make_planets(args.size, args.only)[args.only]
        write_file(os.path.join(args.out, args.only + ".bmp"),
                   bmp_bytes(args.size, args.size, 8, pal, idx, ncol))
        return 0
    out = args.out or os.path.join(ROOT, "src", "resources")
    sheet = args.sheet
    if sheet is None and args.out is None:
        sheet = os.path.join(ROOT, "docs", "pictures.png")

    planets = make_planets()
    for name, (pal, idx, ncol) in planets.items():
        write_file(os.path.join(out, name + ".bmp"),
                   bmp_bytes(SIZE, SIZE, 8, pal, idx, ncol))
    # The same bodies at 200%, for screens at twice the pixels per inch.
    for name, (pal, idx, ncol) in make_planets(2 * SIZE).items():
        write_file(os.path.join(out, name + "_2x.bmp"),
                   bmp_bytes(2 * SIZE, 2 * SIZE, 8, pal, idx, ncol))
    park = make_parkdlg()
    ppal, pidx, pw, ph = park
    write_file(os.path.join(out, "parkdlg.bmp"), bmp_bytes(pw, ph, 4, ppal, pidx, 16))
    icon = make_icon()
    write_file(os.path.join(out, "hoplette.ico"), ico_bytes(*icon))
    if sheet:
        W, H, px = make_sheet(planets, park, icon)
        write_file(sheet, png_bytes(W, H, px))
    return 0


if __name__ == "__main__":
    sys.exit(main())
