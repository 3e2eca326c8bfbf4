#!/bin/sh
# Builds vsect and draws cross sections of the bundled soundings to PostScript (out/).
set -e
cd "$(dirname "$0")/.."
sh scripts/deps.sh
jobs=$(nproc 2>/dev/null || echo 2)
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build -j "$jobs" --target vsect
mkdir -p out
line=KGJT,KDNR,KLBF,KOAX,KDVN,KILX

# The Plains on the evening of the 3 May 1999 tornado outbreak (00 UTC 4 May).
./build/vsect -dp data -id $line -va isentropes -de p,out/outbreak_isentropes.ps,color \
    data/1999050400_upa.cvt >out/outbreak_isentropes.log
./build/vsect -dp data -id $line -va rh_fill -de p,out/outbreak_humidity.ps,color \
    data/1999050400_upa.cvt >out/outbreak_humidity.log
# 72 hours over Salt Lake City up to 12 UTC 20 May 1980.
./build/vsect -dp data -id SLC -cu '#1980052012' -va isentropes \
    -de p,out/slc_time_section.ps,color >out/slc_time_section.log

for f in outbreak_isentropes outbreak_humidity slc_time_section; do
    gs -q -dSAFER -dBATCH -dNOPAUSE -sDEVICE=png16m -r72 -sOutputFile=out/$f.png out/$f.ps
done
echo "Cross sections written to $(pwd)/out:"
ls -1 out/*.ps out/*.png
