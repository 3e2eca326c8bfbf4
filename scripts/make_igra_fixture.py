#!/usr/bin/env python3
"""Writes tests/data/igra_USM00072681_1980051800.txt (and its zip archive): an IGRA version 2
station file built from the documented fixed columns of the format around the values of
two real Boise soundings (University of Wyoming TEXT:LIST pages of 18 May 1980, 00 and 12
UTC, tests/data/wyoming_BOI_1980051800.html and the 12 UTC page of the same set). The
archive's own encodings are used: pressure in Pa, temperature and dew-point depression in
tenths of a degree, speed in tenths of m/s, -9999 missing, -8888 removed by quality
assurance (given to the 300 hPa temperature of the first sounding to exercise it), level
type 3 for a level without pressure."""
import os
import zipfile

# PRES HGHT TEMP DWPT DRCT SKNT, level types; None for a blank cell of the page.
SOUNDINGS = [
    (("USM00072681", 1980, 5, 18, 0, 2315, 435600, -1162000), [
        ("10", 1000.0, 138, None, None, None, None),
        ("21", 917.0, 874, 19.4, 7.4, 300, 8),
        ("10", 850.0, 1519, 12.8, 5.8, 325, 10),
        ("20", 810.0, 1921, 8.0, 4.9, 346, 7),
        ("10", 700.0, 3117, 2.2, -7.8, 360, 8),
        ("10", 500.0, 5740, -16.5, -32.5, 15, 6),
        ("10", 400.0, 7370, -29.5, -44.5, 25, 3),
        ("30", None, 9144, None, None, 5, 15),
        ("10", 300.0, 9370, "removed", None, 350, 14),
        ("10", 250.0, 10570, -51.7, None, 330, 7),
        ("10", 200.0, 12010, -53.1, None, 280, 15),
        ("10", 100.0, 16450, -56.9, None, 275, 12),
    ]),
    (("USM00072681", 1980, 5, 18, 12, 1115, 435600, -1162000), [
        ("10", 1000.0, 147, None, None, None, None),
        ("21", 919.0, 874, 10.0, 8.3, 180, 5),
        ("10", 850.0, 1527, 12.0, 4.0, 205, 3),
        ("10", 700.0, 3124, 0.6, -0.7, 335, 2),
        ("10", 500.0, 5740, -16.7, -46.7, 305, 6),
    ]),
]


def code(v, scale):
    if v is None:
        return -9999
    if v == "removed":
        return -8888
    return int(round(v * scale))


def lines():
    for (sid, y, m, d, h, rel, lat, lon), levels in SOUNDINGS:
        yield (f"#{sid:11s} {y:4d} {m:02d} {d:02d} {h:02d} {rel:04d} {len(levels):4d} "
               f"ncdc6301 ncdc6301 {lat:7d} {lon:8d}")
        for typ, p, z, t, td, wd, ws in levels:
            dpd = None if t in (None, "removed") or td is None else t - td
            spd = None if ws is None else ws * 0.514444
            yield (f"{typ} {-9999:5d} {code(p, 100):6d}{'B' if p else ' '}{code(z, 1):5d}"
                   f"{'B' if z else ' '}{code(t, 10):5d}{'B' if t else ' '}{-9999:5d} "
                   f"{code(dpd, 10):5d} {code(wd, 1):5d} {code(spd, 10):5d}")


here = os.path.join(os.path.dirname(__file__), "..", "tests", "data")
text = "\n".join(lines()) + "\n"
name = "igra_USM00072681_1980051800.txt"
with open(os.path.join(here, name), "w") as f:
    f.write(text)
with zipfile.ZipFile(os.path.join(here, "igra_USM00072681_1980051800.zip"), "w",
                     zipfile.ZIP_DEFLATED) as z:
    z.writestr(name, text)
