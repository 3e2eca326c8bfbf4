#!/bin/sh
# Builds vsect and draws cross sections of the bundled soundings to PostScript (out/), each
# with a PNG rendering turned to read like the window.
set -e
cd "$(dirname "$0")/.."
sh scripts/deps.sh
jobs=$(nproc 2>/dev/null || echo 2)
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build -j "$jobs" --target vsect
mkdir -p out
line=KGJT,KDNR,KLBF,KOAX,KDVN,KILX
outbreak=data/1999050400_upa.cvt

# The Plains on the evening of the 3 May 1999 tornado outbreak (00 UTC 4 May).
./build/vsect -dp data -id $line -va isentropes -de p,out/outbreak_isentropes.ps,color \
    $outbreak >out/outbreak_isentropes.log
./build/vsect -dp data -id $line -va rh_fill -de p,out/outbreak_humidity.ps,color \
    $outbreak >out/outbreak_humidity.log
# 72 hours over Salt Lake City up to 12 UTC 20 May 1980.
./build/vsect -dp data -id SLC -cu '#1980052012' -va isentropes \
    -de p,out/slc_time_section.ps,color >out/slc_time_section.log
# The options of -pa: a title line, the distance axis and the mandatory levels; thinned
# barbs over filled isentropes; isentropes smoothed between the stations.
./build/vsect -dp data -id $line -va isentropes -pa heading,km,mandatory \
    -de p,out/option_heading_km_mandatory.ps,color $outbreak >out/option_heading_km_mandatory.log
./build/vsect -dp data -id $line -va isen_fill -pa thin -de p,out/option_thin.ps,color \
    $outbreak >out/option_thin.log
./build/vsect -dp data -id $line -va 'theta[K,ln,int=4]' -pa smooth \
    -de p,out/option_smooth.ps,color $outbreak >out/option_smooth.log

for ps in out/*.ps; do
    gs -q -dSAFER -dBATCH -dNOPAUSE -sDEVICE=ppmraw -r72 -sOutputFile=- "$ps" |
        pnmflip -cw | pnmtopng >"${ps%.ps}.png"
done
echo "Cross sections written to $(pwd)/out:"
ls -1 out/*.ps out/*.png
