#!/usr/bin/env python3
"""Synthesises Hoplette's sample edge sound: a short cartoon "boing".

A sine with a touch of second harmonic whose pitch drops from about 560 Hz
towards 300 Hz while a springy vibrato settles, under a fast attack and an
exponential decay.  No randomness, so the same script always writes the
same bytes.

    python3 tools/make_boing.py [--out PATH]      (default: sounds/boing.wav)
"""

import argparse
import math
import os
import struct
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(HERE)

RATE = 22050
DURATION = 0.35            # seconds; the show may retrigger it often, so keep it short
FRAMES = int(DURATION * RATE + 0.5)
LAST = (FRAMES - 1) / RATE  # time of the final frame, where the taper reaches zero
PEAK_DBFS = -3.0

BASE_HZ = 300.0            # where the pitch settles
DROP_HZ = 260.0            # extra pitch at the start, gliding away
DROP_TAU = 0.05
WOBBLE_HZ = 11.0           # the spring's vibrato rate
WOBBLE_DEPTH = 0.12        # fraction of the pitch
WOBBLE_TAU = 0.12
HARMONIC = 0.22            # second harmonic level; below 0.5 so it adds no zero crossings
HARMONIC_TAU = 0.05        # it fades faster, so the twang mellows
LEAD = 0.005               # a breath of silence first, so the file opens without a click
ATTACK = 0.004             # long enough not to click, short enough to sound struck
DECAY_TAU = 0.075
TAIL = 0.03                # final taper so the sound ends on an exact zero


def pitch(t):
    """Instantaneous frequency, t counted from the onset."""
    glide = BASE_HZ + DROP_HZ * math.exp(-t / DROP_TAU)
    wobble = WOBBLE_DEPTH * math.exp(-t / WOBBLE_TAU) * math.sin(2.0 * math.pi * WOBBLE_HZ * t)
    return glide * (1.0 + wobble)


def envelope(t):
    """Level at t seconds after the onset."""
    level = math.exp(-t / DECAY_TAU)
    if t < ATTACK:
        level *= 0.5 - 0.5 * math.cos(math.pi * t / ATTACK)
    left = LAST - LEAD - t
    if left < TAIL:
        level *= 0.5 - 0.5 * math.cos(math.pi * max(left, 0.0) / TAIL)
    return level


def synthesise():
    """Float samples; the phase is accumulated so the glide stays continuous."""
    out = []
    phase = 0.0
    for i in range(FRAMES):
        t = i / RATE - LEAD
        if t < 0.0:
            out.append(0.0)
            continue
        tone = math.sin(phase) + HARMONIC * math.exp(-t / HARMONIC_TAU) * math.sin(2.0 * phase)
        out.append(tone * envelope(t))
        phase = (phase + 2.0 * math.pi * pitch(t) / RATE) % (2.0 * math.pi)
    return out


def to_pcm16(samples):
    top = max(abs(s) for s in samples)
    gain = 32767.0 * 10.0 ** (PEAK_DBFS / 20.0) / top
    return [int(round(s * gain)) for s in samples]


def wav_bytes(pcm):
    data = struct.pack("<%dh" % len(pcm), *pcm)
    fmt = struct.pack("<HHIIHH", 1, 1, RATE, RATE * 2, 2, 16)
    body = b"WAVE" + b"fmt " + struct.pack("<I", len(fmt)) + fmt \
        + b"data" + struct.pack("<I", len(data)) + data
    return b"RIFF" + struct.pack("<I", len(body)) + body


def main(argv=None):
    ap = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    ap.add_argument("--out", default=os.path.join(ROOT, "sounds", "boing.wav"),
                    help="WAV file to write (default: sounds/boing.wav in the repository)")
    args = ap.parse_args(argv)
    folder = os.path.dirname(os.path.abspath(args.out))
    os.makedirs(folder, exist_ok=True)
    with open(args.out, "wb") as f:
        f.write(wav_bytes(to_pcm16(synthesise())))
    return 0


if __name__ == "__main__":
    sys.exit(main())
