#!/bin/sh
# Builds vsect and runs its main job with the bundled database.
set -e
cd "$(dirname "$0")/.."
sh scripts/deps.sh
jobs=$(nproc 2>/dev/null || echo 2)
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build -j "$jobs" --target vsect
./build/vsect -h
./build/vsect -fp share/hyx
