#!/usr/bin/env python3
"""Times vsect drawing a 30-station cross section from a file of 1,000 soundings to
PostScript and to a 1200 x 900 PNG, and matplotlib drawing the same section from the same
file (bench/xsect_matplotlib.py): the medians of the wall time and the processor time (user
and system) of repeated runs of the whole program, and vsect's peak memory (maximum
resident set, measured with GNU time when /usr/bin/time is there: a child of this script
would report the script's own size).

The 1,000 soundings are the 117 real soundings of the bundled file of 00 UTC 4 May 1999,
repeated under other identifiers (KDNR, KDNR1, KDNR2, ...), so that reading, station
matching and merging see a file of that size.

Usage: bench/xsect_bench.py [BUILD_DIR] [RUNS]     (defaults: build, 21)
(run it with the Python that has matplotlib, /usr/bin/python3 on Debian)
"""

import importlib.util
import os
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


ENV = {"PATH": "/usr/bin:/bin"}
GNU_TIME = "/usr/bin/time"


def timed(cmd, cwd):
    """Wall time and processor time (user and system) of one run, in seconds."""
    start = time.perf_counter()
    proc = subprocess.Popen(cmd, cwd=cwd, env=ENV, stdout=subprocess.DEVNULL,
                            stderr=subprocess.DEVNULL)
    _, status, usage = os.wait4(proc.pid, 0)
    elapsed = time.perf_counter() - start
    if status != 0:
        sys.exit("failed: " + " ".join(cmd))
    return elapsed, usage.ru_utime + usage.ru_stime


def peak_memory(cmd, cwd):
    """Maximum resident set of one run in MB, or None without GNU time."""
    if not os.access(GNU_TIME, os.X_OK):
        return None
    run = subprocess.run([GNU_TIME, "-f", "%M"] + cmd, cwd=cwd, env=ENV,
                         stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, text=True)
    return int(run.stderr.strip().splitlines()[-1]) / 1024


def summary(name, runs, peak):
    wall = statistics.median(r[0] for r in runs) * 1000
    cpu = statistics.median(r[1] for r in runs) * 1000
    mem = f"{peak:5.1f} MB" if peak is not None else "n/a"
    return f"  {name:16s} wall {wall:7.1f} ms  cpu {cpu:7.1f} ms  peak memory {mem}"


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
                ("PNG", base + ["png," + os.path.join(tmp, "bench.png"), data])]
        print(f"30-station section from 1,000 soundings, {runs} runs, medians:")
        # What starting the program costs on this machine, drawing nothing.
        start = [timed([vsect, "--version"], tmp) for _ in range(runs)]
        print(summary("vsect --version", start, peak_memory([vsect, "--version"], tmp)))
        for name, cmd in jobs:
            check = subprocess.run(cmd, cwd=tmp, env=ENV, capture_output=True, text=True)
            if check.returncode != 0 or "neither" in check.stderr:
                sys.exit("vsect failed: " + check.stderr)
            results = [timed(cmd, tmp) for _ in range(runs)]
            print(summary("vsect " + name, results, peak_memory(cmd, tmp)))
        if importlib.util.find_spec("matplotlib") is None:
            print("matplotlib: not installed (python3-matplotlib)")
            return
        mpl = [sys.executable, os.path.join(HERE, "xsect_matplotlib.py"), data, ids,
               os.path.join(tmp, "mpl.png")]
        results = [timed(mpl, tmp) for _ in range(max(5, runs // 4))]
        print(summary("matplotlib PNG", results, None))


if __name__ == "__main__":
    main()
