#!/bin/sh
# Records the golden drawings (tests/golden/*.meta) anew from the runs of tests/golden/runs.txt,
# after an intended change of the drawing. Review the result with `git diff tests/golden`.
# Usage: scripts/update_goldens.sh [build-dir]   (default: build, configured when missing)
set -e
cd "$(dirname "$0")/.."
build=${1:-build}
if [ ! -f "$build/CMakeCache.txt" ]; then
    cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release >/dev/null
fi
cmake --build "$build" -j2 --target hyx_tests
# Only recordings that no longer match are rewritten.
HYX_UPDATE_GOLDENS=1 "$build/tests/hyx_tests" --gtest_brief=1 --gtest_filter='Vsect/Golden.*'
# Recordings of runs no longer in the table go.
for meta in tests/golden/*.meta; do
    [ -e "$meta" ] || continue
    name=$(basename "$meta" .meta)
    if ! grep -q "^$name *|" tests/golden/runs.txt; then
        rm "$meta"
        echo "removed $meta"
    fi
done
git status --short tests/golden
