#!/usr/bin/env bash
# Builds the libFuzzer targets in build-fuzz and runs each for SECONDS on a working copy of its seed
# corpus, so the corpus kept in the repository is not flooded. Prints executions and coverage per target
# and exits non-zero when a target found a crash, a hang, a leak or ran out of memory.
#
#   fuzz/run_fuzzers.sh SECONDS [TARGET...]      targets: records questionset scale config editor
#                                                export results gift aiken quizxml (default: all)
#
# Environment: BUILD_DIR (default <repo>/build-fuzz), PARALLEL (targets at a time, default 1),
# NICE (default 10), MAX_LEN (longest input, default 256 KiB for records and question sets, 16 KiB for the
# small configuration files and the results log (its records are short; a longer input only repeats them),
# 64 KiB for the editor, the converter and the GIFT, Aiken and XML imports, which write a whole set per input;
# the megabyte seeds are cut to it while fuzzing and replayed whole by the tests).
set -u

if [ $# -lt 1 ] || ! [[ $1 =~ ^[0-9]+$ ]]; then
    echo "usage: $0 SECONDS [records|questionset|scale|config|editor|export|results|gift|aiken|quizxml ...]" >&2
    exit 2
fi
seconds=$1
shift
targets=("$@")
[ ${#targets[@]} -eq 0 ] && targets=(records questionset scale config editor export results gift aiken quizxml)

repo=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$repo/build-fuzz}
parallel=${PARALLEL:-1}
niceness=${NICE:-10}

# Without clang and its libFuzzer runtime there is nothing to run; the corpus replay test still runs.
probe=$(mktemp -d)
printf 'extern "C" int LLVMFuzzerTestOneInput(const char*, unsigned long) { return 0; }\n' >"$probe/p.cpp"
if ! command -v clang++ >/dev/null 2>&1 \
    || ! clang++ -fsanitize=fuzzer,address,undefined "$probe/p.cpp" -o "$probe/p" >/dev/null 2>&1; then
    rm -rf "$probe"
    echo "clang++ with libFuzzer not available: fuzz targets not run." >&2
    exit 0
fi
rm -rf "$probe"

cmake -S "$repo" -B "$build" -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
      -DWIEDO_FUZZ=ON -DWIEDO_TESTS=OFF >/dev/null || exit 1
nice -n "$niceness" cmake --build "$build" -j2 --target wiedo_fuzzers >/dev/null || {
    echo "building the fuzz targets failed" >&2
    exit 1
}

# The readers work on files; a memory file system keeps the disk out of the measurement.
if [ -d /dev/shm ] && [ -w /dev/shm ]; then
    export TMPDIR=/dev/shm
fi

max_len() {
    if [ -n "${MAX_LEN:-}" ]; then
        echo "$MAX_LEN"
        return
    fi
    case $1 in
        records | questionset) echo 262144 ;;
        editor | export | gift | aiken | quizxml) echo 65536 ;;
        *) echo 16384 ;;
    esac
}

out=$build/fuzz/runs
run_target() {
    local target=$1
    local work=$out/corpus/$target artifacts=$out/artifacts/$target/ log=$out/$target.log
    mkdir -p "$work" "$artifacts"
    cp -n "$repo/fuzz/corpus/$target/"* "$work/" 2>/dev/null
    nice -n "$niceness" "$build/fuzz/fuzz_$target" "$work" \
        -max_total_time="$seconds" -max_len="$(max_len "$target")" -rss_limit_mb=2048 -timeout=10 \
        -artifact_prefix="$artifacts" -print_final_stats=1 >"$log" 2>&1
    echo $? >"$out/$target.rc"
}

mkdir -p "$out"
running=0
for target in "${targets[@]}"; do
    if [ ! -d "$repo/fuzz/corpus/$target" ]; then
        echo "no such target: $target" >&2
        exit 2
    fi
    run_target "$target" &
    running=$((running + 1))
    if [ "$running" -ge "$parallel" ]; then
        wait -n
        running=$((running - 1))
    fi
done
wait

status=0
for target in "${targets[@]}"; do
    log=$out/$target.log
    rc=$(cat "$out/$target.rc" 2>/dev/null || echo 1)
    echo "== $target (exit $rc, log $log)"
    grep -E "^#[0-9]+[[:space:]].*cov:" "$log" | tail -1
    grep -E "^stat::(number_of_executed_units|average_exec_per_sec|peak_rss_mb)" "$log"
    if [ "$rc" != 0 ]; then
        status=1
        grep -E "ERROR: |SUMMARY: |what\(\):|Test unit written|libFuzzer: " "$log" | head -20
    fi
done
exit $status
