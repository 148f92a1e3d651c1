#!/usr/bin/env python3
"""Fails when a source folder includes a header of a folder above it.

The floors, from the bottom: catalogue; base; show and dialogs; app and
saver. Usage: include_direction.py SRC_DIR. The rule itself is checked
first, on a small made-up tree, so that a check that finds nothing can
still be trusted."""
import os
import posixpath
import re
import sys
import tempfile

# What each folder may include besides its own headers.
MAY_INCLUDE = {
    "base": {"catalogue"},
    "catalogue": set(),
    "resources": {"base"},
    "show": {"base", "catalogue", "resources"},
    "dialogs": {"base", "catalogue", "resources"},
    "app": {"base", "catalogue", "resources", "show", "dialogs"},
    "saver": {"base", "catalogue", "resources", "show", "dialogs"},
}

INCLUDE = re.compile(r'^\s*#\s*include\s*["<]([^">]+)[">]', re.M)


def included_folder(own, name):
    """The source folder a header named in an include lies in, however the
    path is written ("../app/x.h", "app/x.h", "x.h"); None for a header
    outside the source folders."""
    parts = posixpath.normpath(name.replace("\\", "/")).split("/")
    for part in reversed(parts[:-1]):
        if part in MAY_INCLUDE:
            return part
    return own if len(parts) == 1 else None


def wrong_includes(src):
    """(file, include) for every include that reaches a folder above."""
    wrong = []
    for own in sorted(MAY_INCLUDE):
        folder = os.path.join(src, own)
        if not os.path.isdir(folder):
            continue
        for root, _, files in os.walk(folder):
            for file in sorted(files):
                if not file.endswith((".h", ".cpp", ".rc", ".in")):
                    continue
                path = os.path.join(root, file)
                with open(path, encoding="latin-1") as text:
                    for name in INCLUDE.findall(text.read()):
                        target = included_folder(own, name)
                        if target is not None and target != own and target not in MAY_INCLUDE[own]:
                            wrong.append((os.path.relpath(path, src), name))
    return wrong


def check_the_rule():
    """Each row: a file, its include, and whether the rule must refuse it."""
    rows = [
        ("show/a.cpp", "../app/globals.h", True),
        ("show/b.cpp", "app/globals.h", True),
        ("show/c.h", "../saver/saver.h", True),
        ("show/d.cpp", "show/../app/park.h", True),
        ("app/e.cpp", "../saver/saverrules.h", True),
        ("dialogs/f.cpp", "../show/show.h", True),
        ("dialogs/g.cpp", "../app/menu.h", True),
        ("base/h.cpp", "../show/frame.h", True),
        ("catalogue/o.cpp", "../base/globals.h", True),
        ("show/i.cpp", "../base/globals.h", False),
        ("show/j.cpp", "ball.h", False),
        ("app/k.cpp", "../show/show.h", False),
        ("saver/l.cpp", "../dialogs/dialogs.h", False),
        ("dialogs/m.cpp", "../resources/resource.h", False),
        ("show/n.cpp", "windows.h", False),
    ]
    failures = 0
    with tempfile.TemporaryDirectory() as src:
        for row, (file, name, refused) in enumerate(rows):
            tree = os.path.join(src, str(row))
            os.makedirs(os.path.join(tree, os.path.dirname(file)))
            with open(os.path.join(tree, file), "w") as out:
                out.write('#include "%s"\n' % name)
            if bool(wrong_includes(tree)) != refused:
                print("row %d: %s including %s: %s" % (row, file, name, "not refused" if refused else "refused"))
                failures += 1
    return failures


def main():
    if len(sys.argv) != 2 or not os.path.isdir(sys.argv[1]):
        print("usage: include_direction.py SRC_DIR")
        return 2
    if check_the_rule() != 0:
        return 1
    wrong = wrong_includes(sys.argv[1])
    for file, name in wrong:
        print("%s includes %s, a header of a folder above it" % (file, name))
    print("%d includes against the direction" % len(wrong))
    return 1 if wrong else 0


if __name__ == "__main__":
    sys.exit(main())
