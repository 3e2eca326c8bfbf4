#!/usr/bin/env python3
"""The benchmark's section drawn with matplotlib, for comparison: isentropes (potential
temperature every 4 K, labelled) and wind barbs on distance along the stations against
pressure on a logarithmic axis from 1050 to 100 mb, from the mandatory levels of the same
upper-air file, saved as a 1200 x 900 PNG with the Agg backend (no display).

Usage: bench/xsect_matplotlib.py UPA_FILE STATION,STATION,... OUT.png
"""

import math
import sys

import matplotlib

matplotlib.use("Agg")
import matplotlib.pyplot as plt  # noqa: E402
import numpy as np  # noqa: E402

MANDATORY = [1000, 925, 850, 700, 500, 400, 300, 250, 200, 150, 100, 70, 50, 30, 20, 10]


def temperature(group):
    """Temperature (C) of a TD group, or None."""
    if group == "X" or len(group) != 5 or not group[:3].isdigit() or group[:3] == "999":
        return None
    ttt = int(group[:3])
    return -ttt / 10 if ttt % 2 else ttt / 10


def wind(group):
    """(direction, speed in knots) of a WD group, or None."""
    if group == "X" or len(group) != 5 or not group.isdigit() or group[:3] == "999":
        return None
    ddd, ff = int(group[:3]), int(group[3:])
    spd = (ddd % 5) * 100 + ff
    return (ddd - ddd % 5, spd) if spd <= 250 else None


def read_soundings(path, wanted):
    """{id: (lat, lon, [(p, T, wind)])} of the wanted stations' mandatory levels."""
    text = open(path, encoding="latin-1").read().split("\n", 2)[2]
    found = {}
    for record in text.split("$"):
        tokens = record.split()
        if not tokens:
            continue
        head = tokens[0].split(":")
        if len(head) < 4 or head[1] not in wanted or head[1] in found:
            continue
        levels = []
        for k, p in enumerate(MANDATORY):
            ph, td, wd = tokens[1 + 3 * k: 4 + 3 * k]
            levels.append((p, temperature(td), wind(wd)))
        found[head[1]] = (float(head[2]), float(head[3]), levels)
    return found


def distance(a, b):
    """Great-circle distance in km."""
    la1, lo1, la2, lo2 = map(math.radians, (a[0], a[1], b[0], b[1]))
    c = math.sin(la1) * math.sin(la2) + math.cos(la1) * math.cos(la2) * math.cos(lo2 - lo1)
    return 6371.2 * math.acos(max(-1.0, min(1.0, c)))


def main():
    path, ids, out = sys.argv[1], sys.argv[2].split(","), sys.argv[3]
    soundings = read_soundings(path, set(ids))
    line = [i for i in ids if i in soundings]
    x = [0.0]
    for a, b in zip(line, line[1:]):
        x.append(x[-1] + distance(soundings[a], soundings[b]))
    levels = [p for p in MANDATORY if p >= 100]
    theta = np.full((len(levels), len(line)), np.nan)
    for j, sid in enumerate(line):
        for i, (p, t, _) in enumerate(soundings[sid][2][: len(levels)]):
            if t is not None:
                theta[i, j] = (t + 273.15) * (1000.0 / p) ** 0.2857
    fig = plt.figure(figsize=(12, 9), dpi=100)
    ax = fig.add_axes([0.08, 0.08, 0.88, 0.84])
    xx, pp = np.meshgrid(x, levels)
    cs = ax.contour(xx, pp, np.ma.masked_invalid(theta), levels=np.arange(252, 500, 4),
                    colors="black", linewidths=0.8)
    ax.clabel(cs, fmt="%d", fontsize=8)
    bx, by, bu, bv = [], [], [], []
    for j, sid in enumerate(line):
        for p, _, w in soundings[sid][2][: len(levels)]:
            if w is not None:
                d = math.radians(w[0])
                bx.append(x[j])
                by.append(p)
                bu.append(-w[1] * math.sin(d))
                bv.append(-w[1] * math.cos(d))
    ax.barbs(bx, by, bu, bv, length=6, linewidth=0.6)
    ax.set_yscale("log")
    ax.set_ylim(1050, 100)
    ticks = [1000, 850, 700, 500, 400, 300, 250, 200, 150, 100]
    ax.set_yticks(ticks)
    ax.set_yticklabels([str(t) for t in ticks])
    ax.set_ylabel("mb")
    ax.set_xticks(x)
    ax.set_xticklabels(line, fontsize=7)
    ax.grid(True, color="red", linewidth=0.5)
    ax.set_title("Potential Temperature [K] and Wind Barbs")
    fig.savefig(out, dpi=100)


if __name__ == "__main__":
    main()
