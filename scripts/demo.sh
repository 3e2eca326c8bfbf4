#!/bin/sh
# Builds vsect and draws cross sections of the bundled soundings into out/: a PNG for the
# screen and a PDF page for print of each, and an SVG of the first.
set -e
cd "$(dirname "$0")/.."
sh scripts/deps.sh
jobs=$(nproc 2>/dev/null || echo 2)
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build -j "$jobs" --target vsect
mkdir -p out
line=KGJT,KDNR,KLBF,KOAX,KDVN,KILX

# draw NAME ARGS...: the section as out/NAME.png (1200 x 900) and out/NAME.pdf.
draw() {
    name=$1
    shift
    ./build/vsect -dp data "$@" -de "png,out/$name.png,size=1200x900" >"out/$name.log"
    ./build/vsect -dp data "$@" -de "pdf,out/$name.pdf" >/dev/null
}

# The Plains on the evening of the 3 May 1999 tornado outbreak (00 UTC 4 May).
draw outbreak_isentropes -id $line -va isentropes data/1999050400_upa.cvt
./build/vsect -dp data -id $line -va isentropes -de svg,out/outbreak_isentropes.svg \
    data/1999050400_upa.cvt >/dev/null
draw outbreak_humidity -id $line -va rh_fill data/1999050400_upa.cvt
# The same line with the wind turned into it: the jet seen end-on under the isentropes, and
# the fronts by theta-e with the wind across them (the README's gallery).
draw outbreak_jet -id $line -va jet_section data/1999050400_upa.cvt
draw outbreak_front -id $line -va front_section data/1999050400_upa.cvt
# 72 hours over Salt Lake City up to 12 UTC 20 May 1980.
draw slc_time_section -id SLC -cu '#1980052012' -va isentropes
# The options of -pa: a title line, the distance axis and the mandatory levels; thinned
# barbs over filled isentropes; isentropes smoothed between the stations.
draw option_heading_km_mandatory -id $line -va isentropes -pa heading,km,mandatory \
    data/1999050400_upa.cvt
draw option_thin -id $line -va isen_fill -pa thin data/1999050400_upa.cvt
draw option_smooth -id $line -va 'theta[K,ln,int=4]' -pa smooth data/1999050400_upa.cvt

echo "Cross sections written to $(pwd)/out:"
ls -1 out/*.png out/*.pdf out/*.svg
