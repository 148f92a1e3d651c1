#!/usr/bin/env python3
"""Checks the shipped edge sound: a canonical mono 16-bit PCM WAV that
sndPlaySound accepts, short, unclipped, click-free, decaying and pitched,
and still exactly what tools/make_boing.py writes.
Usage: check_boing.py [WAV]"""

import math
import os
import struct
import subprocess
import sys
import tempfile

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
RATE = 22050
MS = RATE // 1000

results = []


def check(name, ok, detail=""):
    results.append(ok)
    print("%s %s%s" % ("ok  " if ok else "FAIL", name, (": " + detail) if detail else ""))


def rms(s):
    return math.sqrt(sum(v * v for v in s) / len(s)) if s else 0.0


def header(data):
    """Header checks; returns the samples, or None when they cannot be read."""
    if len(data) < 44:
        check("header", False, "only %d bytes" % len(data))
        return None
    riff, riff_size, wave = struct.unpack_from("<4sI4s", data, 0)
    check("RIFF/WAVE tags", riff == b"RIFF" and wave == b"WAVE", repr((riff, wave)))
    check("RIFF size", riff_size == len(data) - 8, "%d for a %d-byte file" % (riff_size, len(data)))
    tag, size, fmt, ch, rate, brate, align, bits = struct.unpack_from("<4sIHHIIHH", data, 12)
    check("fmt chunk", (tag, size, fmt, ch, rate, brate, align, bits)
          == (b"fmt ", 16, 1, 1, RATE, RATE * 2, 2, 16),
          "%r size %d format %d, %d ch, %d Hz, %d B/s, align %d, %d bit"
          % (tag, size, fmt, ch, rate, brate, align, bits))
    tag, size = struct.unpack_from("<4sI", data, 36)
    check("data chunk", tag == b"data" and size == len(data) - 44 and size % 2 == 0,
          "%r of %d bytes, %d follow" % (tag, size, len(data) - 44))
    if tag != b"data":
        return None
    n = min(size, len(data) - 44) // 2
    return list(struct.unpack_from("<%dh" % n, data, 44))


def content(s):
    secs = len(s) / RATE
    check("duration", 0.15 <= secs < 0.5, "%.3f s" % secs)
    if len(s) < RATE // 10 * 2:
        return
    peak = max(abs(v) for v in s)
    check("peak", 8000 < peak < 32767, "%d (%.1f dBFS)" % (peak, 20 * math.log10(max(peak, 1) / 32768)))
    for name, part in (("start", s[:5 * MS]), ("end", s[-5 * MS:])):
        check("quiet %s" % name, rms(part) < 200, "5 ms RMS %.1f" % rms(part))
    check("no click at the ends", abs(s[0]) < 100 and abs(s[-1]) < 100,
          "first %d, last %d" % (s[0], s[-1]))
    early = s[10 * MS:110 * MS]      # past the onset and its attack
    late = s[-100 * MS:]
    check("decays", rms(early) > 4 * rms(late), "RMS %.0f then %.0f" % (rms(early), rms(late)))
    crossings = sum(1 for a, b in zip(early, early[1:]) if (a < 0) != (b < 0))
    rate = crossings / 0.1
    check("pitched", 300 <= rate <= 1400, "%.0f zero crossings per second" % rate)


def reproducible(want):
    with tempfile.TemporaryDirectory() as tmp:
        out = os.path.join(tmp, "boing.wav")
        run = subprocess.run([sys.executable, os.path.join(ROOT, "tools", "make_boing.py"),
                              "--out", out], capture_output=True, text=True)
        if run.returncode != 0:
            check("regenerates", False, "generator exited with %d: %s"
                  % (run.returncode, (run.stdout + run.stderr).strip()))
            return
        got = open(out, "rb").read()
    first = next((i for i, (a, b) in enumerate(zip(got, want)) if a != b), min(len(got), len(want)))
    check("regenerates", got == want, "same %d bytes" % len(got) if got == want else
          "generator writes %d bytes, file has %d, first difference at byte %d; "
          "rerun tools/make_boing.py and commit" % (len(got), len(want), first))


def main():
    path = sys.argv[1] if len(sys.argv) > 1 else os.path.join(ROOT, "sounds", "boing.wav")
    try:
        data = open(path, "rb").read()
    except OSError as e:
        check("read", False, str(e))
        data = None
    if data is not None:
        samples = header(data)
        if samples is not None:
            content(samples)
        reproducible(data)
    failed = results.count(False)
    print("%d passed, %d failed" % (len(results) - failed, failed))
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
