#!/usr/bin/env python3
"""Times vsect drawing a time section of one station to PostScript from 50 data files of
1,000 soundings each (12-hourly, as the upa naming convention finds them), and prints it
beside the time to read the same files once (cat): medians of the wall and processor times
of repeated runs of both programs, and their peak memory.

The files are made here, in a scratch directory, from the bundled file of 00 UTC 4 May 1999
(its 117 soundings repeated under numbered identifiers, as in xsect_bench.py); the drawn
station sits in the middle of every file.

Usage: bench/xsect_time_bench.py [BUILD_DIR] [RUNS]     (defaults: build, 21)
"""

import datetime
import os
import statistics
import subprocess
import sys
import tempfile

from xsect_bench import ENV, ROOT, peak_memory, summary, thousand_soundings, timed

NUM_FILES = 50
STATION = "KOAX4"
LAST = datetime.datetime(1999, 5, 4, 0)
MONTHS = "JAN FEB MAR APR MAY JUN JUL AUG SEP OCT NOV DEC".split()


def make_files(tmp):
    """NUM_FILES files ending at LAST, 12 hours apart; only the date line differs."""
    text = thousand_soundings(os.path.join(ROOT, "data", "1999050400_upa.cvt"))
    magic, _, body = text.split("\n", 2)
    names = []
    for i in range(NUM_FILES):
        t = LAST - datetime.timedelta(hours=12 * i)
        label = f"{t.hour:02d}Z {t.day:2d} {MONTHS[t.month - 1]} {t.year % 100:02d}"
        name = os.path.join(tmp, t.strftime("%Y%m%d%H") + "_upa.cvt")
        with open(name, "w", encoding="latin-1") as f:
            f.write(f"{magic}\n{label}\n{body}")
        names.append(name)
    return names


def main():
    build = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else os.path.join(ROOT, "build"))
    runs = int(sys.argv[2]) if len(sys.argv) > 2 else 21
    vsect = os.path.join(build, "vsect")
    with tempfile.TemporaryDirectory() as tmp:
        names = make_files(tmp)
        size = sum(os.path.getsize(n) for n in names)
        cmd = [vsect, "-fp", os.path.join(ROOT, "share", "hyx"), "-df", tmp, "-dp", tmp,
               "-id", STATION, "-cu", "#" + LAST.strftime("%Y%m%d%H"),
               "-nh", str(-12 * (NUM_FILES - 1)), "-va", "thetae_lines,wbarb",
               "-de", "p," + os.path.join(tmp, "bench.ps")]
        check = subprocess.run(cmd, cwd=tmp, env=ENV, capture_output=True, text=True)
        if check.returncode != 0 or "no sounding" in check.stderr or "no upper" in check.stderr:
            sys.exit("vsect failed: " + check.stderr)
        cat = ["cat"] + names
        # Alternate the two so that both see the same load of the machine.
        vsect_runs = []
        cat_runs = []
        for _ in range(runs):
            vsect_runs.append(timed(cmd, tmp))
            cat_runs.append(timed(cat, tmp))
        print(f"time section over {NUM_FILES} files of 1,000 soundings ({size / 1e6:.0f} MB), "
              f"{runs} runs, medians:")
        print(summary("vsect", vsect_runs, peak_memory(cmd, tmp)))
        print(summary("cat", cat_runs, peak_memory(cat, tmp)))
        ratio = [statistics.median(r[i] for r in vsect_runs) /
                 statistics.median(r[i] for r in cat_runs) for i in (0, 1)]
        print(f"  vsect / cat: wall {ratio[0]:.1f}, cpu {ratio[1]:.1f}")


if __name__ == "__main__":
    main()
