#!/bin/sh
# Builds the project twice (optimised, and with AddressSanitizer + UndefinedBehaviorSanitizer)
# and runs the whole test suite in both; the optimised build is also installed, packaged and
# used as its users would (scripts/check_install.sh). Last, a short run of every fuzz target on
# its corpus (clang, libFuzzer).
set -e
cd "$(dirname "$0")/.."
sh scripts/deps.sh
jobs=$(nproc 2>/dev/null || echo 2)
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build -j "$jobs"
(cd build && ctest --output-on-failure -j "$jobs")
sh scripts/check_install.sh build
cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DHYX_SANITIZE=ON >/dev/null
cmake --build build-asan -j "$jobs"
(cd build-asan && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 ctest --output-on-failure -j "$jobs")
cmake -S . -B build-fuzz -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DHYX_FUZZ=ON >/dev/null
cmake --build build-fuzz -j "$jobs"
(cd build-fuzz && ctest --output-on-failure -j "$jobs" -L fuzz)
echo "All tests passed (release, sanitizer and fuzz builds, installation and package)."
