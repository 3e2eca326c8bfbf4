#!/usr/bin/env python3
"""Times vsect drawing a 30-station cross section from a file of 1,000 soundings to
PostScript: the median wall time and the peak memory (maximum resident set) of repeated
runs of the real program.

The 1,000 soundings are the 117 real soundings of 00 UTC 4 May 1999, repeated under other
identifiers (KDNR becomes KDNR, KDNR1, KDNR2, ...), so the reader, the station matching
and the merging see a file of that size.

Usage: bench/xsect_bench.py [BUILD_DIR] [RUNS]     (defaults: build, 21)
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
REALDATA = os.path.join(ROOT, "..", "shared", "realdata")
LINE = ["KGJT", "KDNR", "KLBF", "KOAX", "KDVN", "KILX", "KAPX", "KBUF", "KALY", "KGYX",
        "KCAR", "KOTX", "KBOI", "KSLC", "KRIW", "KUNR", "KABR", "KMPX", "KGRB", "KDTX",
        "KPIT", "KIAD", "KOKX", "KCHH", "KDDC", "KTOP", "KSGF", "KILN", "KRNK", "KMHX"]


def load_sample_module():
    spec = importlib.util.spec_from_file_location(
        "make_sample_data", os.path.join(ROOT, "scripts", "make_sample_data.py"))
    mod = importlib.util.module_from_spec(spec)
    spec.loader.exec_module(mod)
    return mod


def thousand_soundings(mod, csv_path):
    """The real listing, repeated with numbered identifiers up to 1,000 soundings."""
    stations = mod.read_station_file(os.path.join(ROOT, "share", "hyx", "upa.cty"))
    listing, _ = mod.iem_listing(csv_path, stations)
    header, *blocks = listing.split("STATION ")
    out = [header]
    copy = 0
    while len(out) - 1 < 1000:
        for block in blocks:
            if len(out) - 1 >= 1000:
                break
            sid, rest = block.split(" ", 1)
            out.append(f"STATION {sid}{copy if copy else ''} {rest}")
        copy += 1
    return "".join(out)


def main():
    build = sys.argv[1] if len(sys.argv) > 1 else os.path.join(ROOT, "build")
    runs = int(sys.argv[2]) if len(sys.argv) > 2 else 21
    vsect = os.path.join(build, "vsect")
    upaconv = os.path.join(build, "upaconv")
    csv_path = os.path.join(REALDATA, "decoded_soundings", "iem_1999-05-04_00z_all_stations",
                            "iem_raob_1999050400_all_stations.csv")
    if not os.path.exists(csv_path):
        csv_path = os.path.join(ROOT, "tests", "data", "iem_raob_1999050400_all_stations.csv")
    mod = load_sample_module()
    with tempfile.TemporaryDirectory() as tmp:
        data = os.path.join(tmp, "1999050400_upa.cvt")
        subprocess.run([upaconv, "-o", data, "-"], check=True, capture_output=True,
                       input=thousand_soundings(mod, csv_path).encode())
        # Stations taken from all over the file: some from the last copies.
        ids = [s + ("7" if i % 3 == 2 else "") for i, s in enumerate(LINE)]
        cmd = [vsect, "-fp", os.path.join(ROOT, "share", "hyx"), "-df", tmp,
               "-id", ",".join(ids), "-va", "theta,wbarb", "-pl", "cf",
               "-de", "p," + os.path.join(tmp, "bench.ps"), data]
        times = []
        peak_kb = 0
        for _ in range(runs):
            start = time.perf_counter()
            subprocess.run(cmd, check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                           cwd=tmp, env={"PATH": "/usr/bin:/bin"})
            times.append(time.perf_counter() - start)
            peak_kb = max(peak_kb, resource.getrusage(resource.RUSAGE_CHILDREN).ru_maxrss)
        print(f"30-station section from 1,000 soundings to PostScript, {runs} runs: "
              f"median {statistics.median(times) * 1000:.1f} ms, "
              f"min {min(times) * 1000:.1f} ms, peak memory {peak_kb / 1024:.1f} MB")


if __name__ == "__main__":
    main()
