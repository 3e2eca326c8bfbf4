#!/usr/bin/env python3
"""Converts a Hershey font in .jhf form into the stroke-font file read by GFont.

Usage: hershey2fnt.py [input.jhf] [output.fnt]
Defaults: /usr/share/hershey-fonts/rowmans.jhf (Debian package hershey-fonts-data)
          share/hyx/modern.fnt

The .jhf glyphs are in ASCII order from the blank (32). Each glyph record holds a
five-digit number, a three-digit vertex count, the left and right bounds and the vertex
pairs, each coordinate a character with 'R' as zero; " R" lifts the pen.

Output format: whitespace-separated integers. A header integer; then for each glyph its
character followed by x y pairs; an x of 128 or more moves the pen to (x - 128, y); glyphs
are separated by 255 and the file ends with 254. Glyph cells: capitals 105 units high with
the baseline at 35, descenders down to 0; x starts at 0 at the glyph's leftmost point and
must stay below 128; a glyph's width is its largest x, so narrow glyphs get a small
left margin.
"""
import sys

SCALE = 5          # 21 Hershey units of capital height -> 105
BASELINE = 35      # glyph y of the Hershey baseline (Hershey y = 9, y down)
HERSHEY_BASE = 9
MAX_X = 127
MIN_WIDTH = 20     # narrow glyphs (| . :) are centred in at least this width


def read_jhf(path):
    """Yields (vertex list) per glyph; a vertex is (x, y) or None for a pen lift."""
    with open(path, encoding="latin-1") as f:
        lines = [l.rstrip("\r\n") for l in f]
    i = 0
    while i < len(lines):
        rec = lines[i]
        i += 1
        if not rec.strip():
            continue
        count = int(rec[5:8])
        need = 8 + 2 * count
        while len(rec) < need and i < len(lines):  # wrapped records
            rec += lines[i]
            i += 1
        body = rec[10:need]  # skip the bounds pair
        verts = []
        for k in range(0, len(body) - 1, 2):
            a, b = body[k], body[k + 1]
            if a == " " and b == "R":
                verts.append(None)
            else:
                verts.append((ord(a) - ord("R"), ord(b) - ord("R")))
        yield verts


def convert(verts):
    pts = [v for v in verts if v is not None]
    if not pts:
        return [], False
    minx = min(p[0] for p in pts)
    maxx = max(p[0] for p in pts)
    span = (maxx - minx) * SCALE
    fx = SCALE if span <= MAX_X else MAX_X / (maxx - minx)
    pad = (MIN_WIDTH - span) // 2 if span < MIN_WIDTH else 0
    out = []
    move = True
    for v in verts:
        if v is None:
            move = True
            continue
        x = int(round((v[0] - minx) * fx)) + pad
        y = BASELINE + (HERSHEY_BASE - v[1]) * SCALE
        out.append((x + 128 if move else x, y))
        move = False
    return out, fx != SCALE


def main():
    src = sys.argv[1] if len(sys.argv) > 1 else "/usr/share/hershey-fonts/rowmans.jhf"
    dst = sys.argv[2] if len(sys.argv) > 2 else "share/hyx/modern.fnt"
    glyphs = []
    for n, verts in enumerate(read_jhf(src)):
        code = 32 + n
        if code < 33 or code > 126:
            continue
        pts, squeezed = convert(verts)
        if squeezed:
            print("narrowed to fit the cell: %r" % chr(code), file=sys.stderr)
        glyphs.append((chr(code), pts))
    with open(dst, "w") as f:
        f.write("1\n")
        for k, (ch, pts) in enumerate(glyphs):
            nums = " ".join("%d %d" % p for p in pts)
            end = "254" if k == len(glyphs) - 1 else "255"
            f.write("%s %s %s\n" % (ch, nums, end) if nums else "%s %s\n" % (ch, end))
    print("%s: %d glyphs from %s" % (dst, len(glyphs), src))


if __name__ == "__main__":
    main()
