#!/usr/bin/env python3
"""Runs the picture generator into a scratch folder and compares every
bitmap and the icon byte for byte with the committed ones."""

import os
import subprocess
import sys
import tempfile

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
PLANETS = ["earth", "earthafr", "jupiter", "mars", "venus", "saturn", "sun", "sphere"]
FILES = [name + ".bmp" for name in PLANETS] + [name + "_2x.bmp" for name in PLANETS] \
    + ["parkdlg.bmp", "hoplette.ico"]


def main():
    shipped = os.path.join(ROOT, "src", "resources")
    with tempfile.TemporaryDirectory() as tmp:
        run = subprocess.run([sys.executable, os.path.join(ROOT, "tools", "make_pictures.py"),
                              "--out", tmp], capture_output=True, text=True)
        if run.returncode != 0:
            print(run.stdout + run.stderr)
            print("FAIL generator exited with %d" % run.returncode)
            print("0 passed, %d failed" % len(FILES))
            return 1
        passed = failed = 0
        for name in FILES:
            try:
                want = open(os.path.join(shipped, name), "rb").read()
                got = open(os.path.join(tmp, name), "rb").read()
            except OSError as e:
                failed += 1
                print("FAIL %s: %s" % (name, e))
                continue
            if want == got:
                passed += 1
                print("ok   %s" % name)
            else:
                failed += 1
                diff = next((i for i, (a, b) in enumerate(zip(want, got)) if a != b),
                            min(len(want), len(got)))
                print("FAIL %s: differs from the generator's output (%d vs %d bytes, first "
                      "difference at byte %d); rerun tools/make_pictures.py and commit"
                      % (name, len(want), len(got), diff))
    print("%d passed, %d failed" % (passed, failed))
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
