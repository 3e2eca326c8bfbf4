#!/usr/bin/env python3
"""Times vsect drawing a 30-station cross section from a file of 1,000 soundings to
PostScript and to a 1200 x 900 PNG, and matplotlib drawing the same section from the same
file (bench/xsect_matplotlib.py): the median wall time of repeated runs, and for vsect the
peak memory (maximum resident set).

The 1,000 soundings are the 117 real soundings of the bundled file of 00 UTC 4 May 1999,
repeated under other identifiers (KDNR, KDNR1, KDNR2, ...), so that reading, station
matching and merging see a file of that size.

Usage: bench/xsect_bench.py [BUILD_DIR] [RUNS]     (defaults: build, 21)
(run it with the Python that has matplotlib, /usr/bin/python3 on Debian)
"""

import importlib.util
import os
import resource
import statistics
import subprocess
import sys
import tempfile
import time

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(HERE)
LINE = ["KGJT", "KDNR", "KLBF", "KOAX", "KDVN", "KILX", "KAPX", "KBUF", "KALY", "KGYX",
        "KCAR", "KOTX", "KBOI", "KSLC", "KRIW", "KUNR", "KABR", "KMPX", "KGRB", "KDTX",
        "KPIT", "KIAD", "KOKX", "KCHH", "KDDC", "KTOP", "KSGF", "KILN", "KRNK", "KMHX"]


def thousand_soundings(path):
    """The bundled file with its records repeated under numbered identifiers."""
    text = open(path, encoding="latin-1").read()
    magic, date, body = text.split("\n", 2)
    records = [r.strip("\n") + "$" for r in body.split("$") if r.strip()]
    out = [magic, date]
    copy = 0
    while len(out) - 2 < 1000:
        for rec in records:
            if len(out) - 2 >= 1000:
                break
            head, rest = rec.split("\n", 1) if "\n" in rec else (rec, "")
            fields = head.split(":")
            if copy:
                fields[1] += str(copy)
            out.append(":".join(fields) + ("\n" + rest if rest else ""))
        copy += 1
    return "\n".join(out) + "\n"


def time_runs(cmd, cwd, runs):
    """Wall times of runs of cmd, after one run that must succeed."""
    check = subprocess.run(cmd, cwd=cwd, env={"PATH": "/usr/bin:/bin"}, capture_output=True,
                           text=True)
    if check.returncode != 0 or "neither" in check.stderr:
        sys.exit(" ".join(cmd[:1]) + " failed: " + check.stderr)
    times = []
    for _ in range(runs):
        start = time.perf_counter()
        subprocess.run(cmd, check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                       cwd=cwd, env={"PATH": "/usr/bin:/bin"})
        times.append(time.perf_counter() - start)
    return times


def main():
    build = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else os.path.join(ROOT, "build"))
    runs = int(sys.argv[2]) if len(sys.argv) > 2 else 21
    vsect = os.path.join(build, "vsect")
    with tempfile.TemporaryDirectory() as tmp:
        data = os.path.join(tmp, "1999050400_upa.cvt")
        with open(data, "w", encoding="latin-1") as f:
            f.write(thousand_soundings(os.path.join(ROOT, "data", "1999050400_upa.cvt")))
        # Stations from all over the file: every third one from its seventh copy.
        ids = ",".join(s + ("7" if i % 3 == 2 else "") for i, s in enumerate(LINE))
        base = [vsect, "-fp", os.path.join(ROOT, "share", "hyx"), "-df", tmp, "-id", ids,
                "-va", "isentropes", "-pl", "cf", "-de"]
        jobs = [("PostScript", base + ["p," + os.path.join(tmp, "bench.ps"), data]),
                ("1200 x 900 PNG", base + ["png," + os.path.join(tmp, "bench.png"), data])]
        for name, cmd in jobs:
            times = time_runs(cmd, tmp, runs)
            print(f"vsect, 30-station section from 1,000 soundings to {name}, {runs} runs: "
                  f"median {statistics.median(times) * 1000:.1f} ms, "
                  f"min {min(times) * 1000:.1f} ms")
        peak_kb = resource.getrusage(resource.RUSAGE_CHILDREN).ru_maxrss
        print(f"vsect peak memory {peak_kb / 1024:.1f} MB")
        if importlib.util.find_spec("matplotlib") is None:
            print("matplotlib: not installed (python3-matplotlib)")
            return
        mpl = [sys.executable, os.path.join(HERE, "xsect_matplotlib.py"), data, ids,
               os.path.join(tmp, "mpl.png")]
        times = time_runs(mpl, tmp, max(5, runs // 4))
        print(f"matplotlib, the same section to a 1200 x 900 PNG, {len(times)} runs: "
              f"median {statistics.median(times) * 1000:.1f} ms, "
              f"min {min(times) * 1000:.1f} ms")


if __name__ == "__main__":
    main()
