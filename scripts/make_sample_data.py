#!/usr/bin/env python3
"""Builds the bundled sample upper-air files in data/ from real observations.

Sources (real soundings; see the provenance notes of the data they came from):
  * the Iowa Environmental Mesonet archive of every North American sounding of
    1999-05-04 00 UTC (the Oklahoma tornado outbreak), a CSV with the columns
    station,valid,pres_hPa,hght_m,tmpc_C,dwpc_C,drct_deg,sknt_kt;
  * University of Wyoming TEXT:LIST pages of seven western stations every 12 hours
    from 1980-05-17 00 UTC to 1980-05-20 12 UTC (around the Mount St Helens eruption).
    One of them (UIL 00Z 19 May) is the archive's "Can't get" page: that sounding does
    not exist and is left out of its file.

Each observation time becomes one file YYYYMMDDHH_upa.cvt, written by the upaconv tool
(built with the project) from a plain-text listing. Station positions come from the
data pages where they give them, otherwise from the station file share/hyx/upa.cty.

Usage: make_sample_data.py REALDATA_DIR UPACONV OUTPUT_DIR
"""

import csv
import glob
import os
import re
import subprocess
import sys
from collections import OrderedDict


def read_station_file(path):
    """Maps identifier (and WMO number) to (wmo, lat, lon, elev) from the station file."""
    table = {}
    pat = re.compile(r"^.{15} .. .. (\S+)\s+\S+\s+(-?\d+\.\d+)\s+(-?\d+\.\d+)\s+(-?\d+)\s+(\d+)")
    with open(path, encoding="latin-1") as f:
        for line in f:
            m = pat.match(line)
            if not m:
                continue
            sid, lat, lon, elev, wmo = m.groups()
            entry = (int(wmo), float(lat), float(lon), int(elev))
            table.setdefault(sid.upper(), entry)
    return table


def fmt(v):
    return "M" if v is None or v == "" else v


def iem_listing(csv_path, stations):
    """The 1999-05-04 00Z soundings as upaconv text."""
    by_station = OrderedDict()
    with open(csv_path, newline="") as f:
        for row in csv.DictReader(f):
            by_station.setdefault(row["station"], []).append(row)
    out = ["DATE 1999050400"]
    unknown = []
    for sid, rows in by_station.items():
        loc = stations.get(sid.upper())
        if loc is None:
            unknown.append(sid)
            wmo, lat, lon, elev = 0, "M", "M", "M"
        else:
            wmo, lat, lon, elev = loc
            if elev == 9999:
                elev = "M"
        out.append(f"STATION {sid} {wmo} {lat} {lon} {elev}")
        for r in rows:
            if not r["pres_hPa"]:
                continue
            out.append(" ".join(fmt(r[k]) for k in
                                ("pres_hPa", "hght_m", "tmpc_C", "dwpc_C", "drct_deg", "sknt_kt")))
        out.append("END")
    return "\n".join(out) + "\n", unknown


WYO_COLS = [(0, 7), (7, 14), (14, 21), (21, 28), (28, 35), (35, 42), (42, 49), (49, 56)]


def wyoming_sounding(path):
    """Parses one TEXT:LIST page: (id, wmo, lat, lon, elev, levels) or None for a missing page."""
    text = open(path, encoding="latin-1").read()
    if "Can't get" in text or "<PRE>" not in text:
        return None
    table = text.split("<PRE>")[1].split("</PRE>")[0]
    levels = []
    for line in table.splitlines():
        if not re.match(r"^\s*\d+\.\d", line):
            continue
        cells = [line[a:b].strip() for a, b in WYO_COLS]
        pres, hght, temp, dwpt, _relh, _mixr, drct, sknt = cells
        levels.append((pres, hght, temp, dwpt, drct, sknt))
    info = text.split("Station information")[1] if "Station information" in text else ""

    def field(name):
        m = re.search(name + r":\s*(\S+)", info)
        return m.group(1) if m else None

    return (field("Station identifier"), field("Station number"), field("Station latitude"),
            field("Station longitude"), field("Station elevation"), levels)


def wyoming_listings(folder, stations):
    """One upaconv listing per observation time of the 1980 pages."""
    times = OrderedDict()
    for path in sorted(glob.glob(os.path.join(folder, "*_raw.dat"))):
        stn, stamp = os.path.basename(path).split("_")[:2]
        times.setdefault(stamp, []).append((stn, path))
    listings = OrderedDict()
    missing = []
    for stamp, pages in times.items():
        out = [f"DATE {stamp}"]
        for stn, path in pages:
            snd = wyoming_sounding(path)
            if snd is None:
                missing.append(f"{stn} {stamp}")
                continue
            sid, wmo, lat, lon, elev, levels = snd
            sid = sid or stn
            if lat is None:
                wmo, lat, lon, elev = stations[stn]
            out.append(f"STATION {sid} {wmo} {lat} {lon} {elev}")
            for lev in levels:
                out.append(" ".join(fmt(v) for v in lev))
            out.append("END")
        listings[stamp] = "\n".join(out) + "\n"
    return listings, missing


def write_file(upaconv, listing, target):
    if os.path.exists(target):
        os.remove(target)  # rebuilt from scratch, never appended to
    subprocess.run([upaconv, "-k", "-o", target, "-"], input=listing.encode(), check=True)


def main():
    if len(sys.argv) != 4:
        sys.exit(__doc__)
    realdata, upaconv, outdir = sys.argv[1:]
    here = os.path.dirname(os.path.abspath(__file__))
    stations = read_station_file(os.path.join(here, "..", "share", "hyx", "upa.cty"))
    os.makedirs(outdir, exist_ok=True)

    iem = os.path.join(realdata, "decoded_soundings", "iem_1999-05-04_00z_all_stations",
                       "iem_raob_1999050400_all_stations.csv")
    listing, unknown = iem_listing(iem, stations)
    write_file(upaconv, listing, os.path.join(outdir, "1999050400_upa.cvt"))
    if unknown:
        print("stations without a known position:", " ".join(unknown))

    wyo = os.path.join(realdata, "decoded_soundings", "metreader_1980-05_mt_st_helens")
    listings, missing = wyoming_listings(wyo, stations)
    for stamp, text in listings.items():
        write_file(upaconv, text, os.path.join(outdir, f"{stamp}_upa.cvt"))
    if missing:
        print("soundings missing from the archive:", ", ".join(missing))


if __name__ == "__main__":
    main()
