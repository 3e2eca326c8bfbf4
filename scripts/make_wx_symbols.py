#!/usr/bin/env python3
"""Writes the weather symbol file share/hyx/wx.smb.

Symbol file syntax: white-space separated tokens; a symbol name, then coordinate pairs
"x,y" in a unit cell (0,0 lower left, 1,1 upper right); "L" ends a stroke, "F" ends a
filled polygon, "$" ends the symbol. Names are at most 14 characters and are matched as
prefixes of the requested name, so a longer name must come before a shorter one that
starts it.
"""
import math
import sys


def circle(cx, cy, r, n=16, a0=0.0, a1=360.0):
    pts = []
    for k in range(n + 1):
        a = math.radians(a0 + (a1 - a0) * k / n)
        pts.append((cx + r * math.cos(a), cy + r * math.sin(a)))
    return pts


def fmt(pts):
    return " ".join("%.3f,%.3f" % p for p in pts)


SYMBOLS = [
    ("rain", "large dot", [(circle(0.5, 0.5, 0.18), "F")]),
    ("drizzle", "comma", [(circle(0.5, 0.6, 0.14), "F"),
                          (circle(0.5, 0.6, 0.14, 8, 0, -110) + [(0.38, 0.25)], "L")]),
    ("snow", "asterisk", [([(0.5, 0.15), (0.5, 0.85)], "L"),
                          ([(0.2, 0.33), (0.8, 0.67)], "L"),
                          ([(0.2, 0.67), (0.8, 0.33)], "L")]),
    ("shower", "inverted triangle", [([(0.2, 0.85), (0.8, 0.85), (0.5, 0.15), (0.2, 0.85)], "L")]),
    ("hail", "filled triangle", [([(0.2, 0.2), (0.8, 0.2), (0.5, 0.8)], "F")]),
    ("thunder", "thunderstorm", [([(0.2, 0.0), (0.2, 1.0), (0.8, 1.0), (0.55, 0.5),
                                   (0.85, 0.5), (0.6, 0.0)], "L"),
                                  ([(0.6, 0.0), (0.6, 0.18)], "L"),
                                  ([(0.6, 0.0), (0.77, 0.1)], "L")]),
    ("fog", "three bars", [([(0.1, 0.25), (0.9, 0.25)], "L"),
                           ([(0.1, 0.5), (0.9, 0.5)], "L"),
                           ([(0.1, 0.75), (0.9, 0.75)], "L")]),
    ("freezing", "freezing rain", [(circle(0.5, 0.5, 0.12), "F"),
                                   ([(0.5 + 0.35 * math.cos(math.radians(a)),
                                      0.5 + 0.35 * math.sin(math.radians(a)))
                                     for a in range(200, 341, 20)], "L")]),
    ("high", "letter H", [([(0.2, 0.0), (0.2, 1.0)], "L"), ([(0.8, 0.0), (0.8, 1.0)], "L"),
                          ([(0.2, 0.5), (0.8, 0.5)], "L")]),
    ("low", "letter L", [([(0.25, 1.0), (0.25, 0.0), (0.8, 0.0)], "L")]),
    ("clear", "open circle", [(circle(0.5, 0.5, 0.4, 24), "L")]),
    ("overcast", "filled circle", [(circle(0.5, 0.5, 0.4, 24), "F"),
                                   (circle(0.5, 0.5, 0.4, 24), "L")]),
]


def main():
    dst = sys.argv[1] if len(sys.argv) > 1 else "share/hyx/wx.smb"
    with open(dst, "w") as f:
        for name, _, parts in SYMBOLS:
            f.write(name + "\n")
            for pts, end in parts:
                f.write("  %s %s\n" % (fmt(pts), end))
            f.write("$\n")
    print("%s: %d symbols" % (dst, len(SYMBOLS)))


if __name__ == "__main__":
    main()
