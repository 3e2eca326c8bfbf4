#!/bin/sh
# Builds vsect and draws cross sections of the bundled soundings to PostScript (out/).
# With --gallery it also renews the README's pictures in docs/gallery/.
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
# The same line with the wind turned into it: the jet seen end-on under the isentropes, and
# the fronts by theta-e with the wind across them.
./build/vsect -dp data -id $line -va jet_section -de p,out/outbreak_jet.ps,color \
    data/1999050400_upa.cvt >out/outbreak_jet.log
./build/vsect -dp data -id $line -va front_section -de p,out/outbreak_front.ps,color \
    data/1999050400_upa.cvt >out/outbreak_front.log
# 72 hours over Salt Lake City up to 12 UTC 20 May 1980.
./build/vsect -dp data -id SLC -cu '#1980052012' -va isentropes \
    -de p,out/slc_time_section.ps,color >out/slc_time_section.log

for f in outbreak_isentropes outbreak_humidity slc_time_section; do
    gs -q -dSAFER -dBATCH -dNOPAUSE -sDEVICE=png16m -r72 -sOutputFile=out/$f.png out/$f.ps
done
# The sections are drawn across a portrait page: these two are turned upright and cropped.
for f in outbreak_jet outbreak_front; do
    gs -q -dSAFER -dBATCH -dNOPAUSE -sDEVICE=png16m -r80 -sOutputFile=- out/$f.ps |
        pngtopnm | pamflip -r270 | pnmcrop -white | pnmtopng -compression 9 >out/$f.png
done
if [ "$1" = "--gallery" ]; then
    mkdir -p docs/gallery
    cp out/outbreak_jet.png out/outbreak_front.png docs/gallery/
fi
echo "Cross sections written to $(pwd)/out:"
ls -1 out/*.ps out/*.png
