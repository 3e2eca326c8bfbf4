#!/bin/sh
# A longer fuzzing campaign: each fuzz target (or those named) for MINUTES minutes, JOBS at a
# time. Prints the executions and coverage of each from libFuzzer's final statistics; a crash
# is minimised into tests/fuzz/regressions/<target>/, where the test suite replays it.
#   sh scripts/fuzz.sh [-j JOBS] MINUTES [TARGET...]
set -e
cd "$(dirname "$0")/.."
jobs=1
if [ "$1" = "-j" ]; then jobs=$2; shift 2; fi
minutes=${1:?usage: fuzz.sh [-j JOBS] MINUTES [TARGET...]}
shift
build=build-fuzz
if [ ! -f $build/CMakeCache.txt ]; then
    cmake -S . -B $build -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DHYX_FUZZ=ON >/dev/null
fi
cmake --build $build -j "$(nproc 2>/dev/null || echo 2)" >/dev/null
targets="$*"
[ -n "$targets" ] || targets=$(ls tests/fuzz/fuzz_*.cpp | sed 's|.*/fuzz_||; s|\.cpp$||')
logs=$build/fuzz-logs
mkdir -p $logs

run() {
    t=$1
    src=tests/fuzz
    work=$build/tests/fuzz/corpus/$t
    mkdir -p "$work" $logs/$t
    dict=""
    [ -f $src/dict/$t.dict ] && dict="-dict=$src/dict/$t.dict"
    opts=""
    [ -f $src/$t.options ] && opts=$(cat $src/$t.options)
    regs=""
    [ -d $src/regressions/$t ] && regs=$src/regressions/$t
    rm -f $logs/$t/crash-* $logs/$t/timeout-* $logs/$t/oom-* $logs/$t/leak-*
    # An input that takes over a second is a hang.
    if nice $build/tests/fuzz/fuzz_$t "$work" $src/corpus/$t $regs $dict \
        -max_total_time=$((minutes * 60)) -rss_limit_mb=2048 -timeout=1 -print_final_stats=1 \
        $opts -artifact_prefix=$logs/$t/ >$logs/$t.log 2>&1; then
        status=ok
    else
        status=FAILED
        for a in $logs/$t/crash-* $logs/$t/timeout-* $logs/$t/oom-* $logs/$t/leak-*; do
            [ -f "$a" ] || continue
            mkdir -p $src/regressions/$t
            out=$src/regressions/$t/$(basename "$a")
            $build/tests/fuzz/fuzz_$t "$a" -minimize_crash=1 -runs=10000 \
                -exact_artifact_path="$out" >>$logs/$t.log 2>&1 || true
            [ -f "$out" ] || cp "$a" "$out"
            status="FAILED, input kept in $out"
        done
    fi
    execs=$(sed -n 's/^stat::number_of_executed_units: *//p' $logs/$t.log | tail -1)
    speed=$(sed -n 's/^stat::average_exec_per_sec: *//p' $logs/$t.log | tail -1)
    cov=$(grep -o 'cov: [0-9]* ft: [0-9]*' $logs/$t.log | tail -1)
    slowest=$(sed -n 's/^stat::slowest_unit_time_sec: *//p' $logs/$t.log | tail -1)
    [ "$slowest" = 0 ] && slowest="<1"
    printf '%-12s %10s execs %7s/s  %-22s slowest %ss  %s\n' "$t" "${execs:-?}" "${speed:-?}" \
        "${cov:-}" "${slowest:-?}" "$status"
}

n=0
for t in $targets; do
    [ -x $build/tests/fuzz/fuzz_$t ] || { echo "no fuzz target $t"; exit 2; }
    run "$t" &
    n=$((n + 1))
    if [ $n -ge "$jobs" ]; then wait; n=0; fi
done
wait
echo "logs in $logs"
