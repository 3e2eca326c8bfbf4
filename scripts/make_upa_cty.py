#!/usr/bin/env python3
"""Builds the upper-air station file share/hyx/upa.cty from the station tables.

Sources (see the realdata provenance notes): the global upper-air station table
snstns.tbl (identifier, WMO number, name, state, country, position in hundredths of a
degree, elevation, priority), with names and identifiers from spc_ua.csv and positions
checked against the IGRA station list.

Output: one station per fixed-column line of 59 bytes,
    name(15) state(2) region(2) id(4, longer ids push the line) flag+priority+flag
    lat(%6.2f) lon(%7.2f) elev(%4.0f, 9999 missing) wmo(%5.5d) number
and alias lines (the same station under the identifiers that data sets use: K... and
C... forms of North American ids, the three-letter ids of Alaska and the Pacific, and
the ids of the 1999-05-04 IEM sounding set).

Usage: make_upa_cty.py STATION_DIR OUTPUT
"""

import csv
import math
import os
import sys

# Stations of the IEM 1999-05-04 00Z sounding set that the tables name differently or
# miss: IEM identifier -> WMO number (from the IGRA list: Yarmouth, Eureka, Alert, Sable
# Island, Maniwaki, Albany, Slidell, Mexico City, San Juan, Hilo, Key West, Whitehorse).
IEM_EXTRA = {
    "CWQI": 71603, "CYEU": 71917, "CYLT": 71082, "CYSA": 71600, "KYMW": 71722,
    "KALY": 72518, "KSIL": 72233, "KMEX": 76679, "KJSJ": 78526, "KITO": 91285,
    "KEYW": 72201, "KYXY": 71964,
}


def great_circle_km(lat1, lon1, lat2, lon2):
    r = math.pi / 180.0
    a = math.sin((lat2 - lat1) * r / 2) ** 2 + math.cos(lat1 * r) * math.cos(lat2 * r) * \
        math.sin((lon2 - lon1) * r / 2) ** 2
    return 2 * 6371.22 * math.asin(min(1.0, math.sqrt(a)))


def read_snstns(path):
    stations = []
    with open(path, encoding="latin-1") as f:
        for line in f:
            line = line.rstrip("\n")
            if len(line) < 60 or not line[10:15].isdigit():
                continue
            rest = line[49:].split()
            if len(rest) < 5:
                continue
            state, country, lat, lon, elev = rest[:5]
            prior = int(rest[5]) if len(rest) > 5 and rest[5].isdigit() else 0
            st = {
                "id": line[0:9].strip(),
                "wmo": int(line[10:15]),
                "name": line[16:48].strip().replace("_", " "),
                "state": state if state != "--" else "--",
                "region": country,
                "lat": int(lat) / 100.0,
                "lon": int(lon) / 100.0,
                "elev": int(elev),
                "prior": min(prior, 9),
            }
            if st["lat"] <= -99 or st["lon"] <= -999:
                st["lat"] = st["lon"] = None
            if st["elev"] <= -999:
                st["elev"] = None
            stations.append(st)
    return stations


def read_igra(path):
    out = {}
    with open(path, encoding="latin-1") as f:
        for line in f:
            ident = line[0:11]
            if len(ident) < 11 or ident[2] != "M" or not ident[6:11].isdigit():
                continue
            try:
                lat, lon, elev = float(line[12:20]), float(line[21:30]), float(line[31:37])
            except ValueError:
                continue
            if lat < -98 or lon < -998:
                continue
            out.setdefault(int(ident[6:11]), {
                "lat": lat, "lon": lon, "elev": None if elev < -998 else elev,
                "state": line[38:40].strip(), "name": line[41:71].strip(),
                "region": ident[0:2]})
    return out


def read_spc(path):
    out = {}
    with open(path, newline="") as f:
        for row in csv.DictReader(f):
            if row["synop"].isdigit():
                out[int(row["synop"])] = row
    return out


def fix_position(st, igra, notes):
    ref = igra.get(st["wmo"])
    if st["lat"] is not None and abs(st["lat"]) > 90 and abs(st["lon"]) <= 90:
        st["lat"], st["lon"] = st["lon"], st["lat"]
        notes.append("%05d %s: latitude beyond 90, swapped" % (st["wmo"], st["id"]))
    if st["lat"] is None:
        if ref:
            st["lat"], st["lon"] = ref["lat"], ref["lon"]
            if st["elev"] is None:
                st["elev"] = ref["elev"]
            notes.append("%05d %s: position from IGRA" % (st["wmo"], st["id"]))
        return
    if not ref:
        return
    d = great_circle_km(st["lat"], st["lon"], ref["lat"], ref["lon"])
    if d < 100:
        return
    ds = great_circle_km(st["lon"], st["lat"], ref["lat"], ref["lon"])
    if ds < 100:
        st["lat"], st["lon"] = st["lon"], st["lat"]
        notes.append("%05d %s: latitude and longitude swapped in the table" % (st["wmo"], st["id"]))
    else:
        # Garbled beyond a swap (some rows hold tenths of a degree): take IGRA's.
        st["lat"], st["lon"] = ref["lat"], ref["lon"]
        notes.append("%05d %s: %.0f km from the IGRA position, replaced" % (st["wmo"], st["id"], d))


def record(name, state, region, ident, prior, lat, lon, elev, wmo):
    elev = 9999 if elev is None or elev > 9000 else elev
    line = "%-15.15s %-2.2s %-2.2s %-4s  %d%s %6.2f %7.2f %4.0f %05d 0" % (
        name.upper(), state or "--", region or "--", ident, prior, "U", lat, lon, elev, wmo)
    return line + "\n"


def main():
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    src, out_path = sys.argv[1], sys.argv[2]
    stations = read_snstns(os.path.join(src, "snstns.tbl"))
    igra = read_igra(os.path.join(src, "igra2-station-list.txt"))
    spc = read_spc(os.path.join(src, "spc_ua.csv"))
    notes = []

    # Stations the sounding sets need that the table lacks.
    known = {st["wmo"] for st in stations}
    for ident, wmo in sorted(IEM_EXTRA.items()):
        if wmo in known or wmo not in igra:
            continue
        ref = igra[wmo]
        stations.append({"id": ident[1:], "wmo": wmo, "name": ref["name"].replace(" UA", ""),
                         "state": ref["state"] or "--", "region": ref["region"],
                         "lat": ref["lat"], "lon": ref["lon"], "elev": ref["elev"], "prior": 0})
        known.add(wmo)
        notes.append("%05d %s: added from IGRA" % (wmo, ident))

    used = set()
    lines = []
    for st in stations:
        fix_position(st, igra, notes)
        if st["lat"] is None:
            notes.append("%05d %s: no position, left out" % (st["wmo"], st["id"]))
            continue
        row = spc.get(st["wmo"])
        name = row["name"] if row else st["name"]
        ident = st["id"] or "%05d" % st["wmo"]
        ids = [ident]
        # Identifiers under which data sets name the same station.
        if len(ident) == 3 and ident.isalpha():
            if st["region"] == "US":
                ids.append("K" + ident)
            elif st["region"] == "CN":
                ids.append("C" + ident)
        if row:
            for alias in (row["icao"], row["iata"]):
                if alias:
                    ids.append(alias)
            if row["iata"] and st["region"] in ("US", "CN"):
                ids.append(("C" if st["region"] == "CN" else "K") + row["iata"])
        for iem, wmo in IEM_EXTRA.items():
            if wmo == st["wmo"]:
                ids.append(iem)
        for i in ids:
            if i.upper() in used or len(i) > 9:
                continue
            used.add(i.upper())
            lines.append(record(name, st["state"], st["region"], i, st["prior"], st["lat"],
                                st["lon"], st["elev"], st["wmo"]))
    with open(out_path, "w") as f:
        f.writelines(lines)
    for n in notes:
        print(n)
    print("%d lines written to %s" % (len(lines), out_path))


if __name__ == "__main__":
    main()
