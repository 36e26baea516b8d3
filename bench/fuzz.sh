#!/usr/bin/env bash
# Builds the libFuzzer targets (clang, AddressSanitizer and
# UndefinedBehaviorSanitizer) into build-fuzz/ and runs each for SECONDS
# (default 60) in one process, from the seed corpus in bench/fuzz/corpus/.
# Prints the executions per target; exits 1 when any target failed, leaving
# the input that broke it in build-fuzz/artifacts/.
#   bench/fuzz.sh [SECONDS] [TARGET...]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${BUILD_DIR:-$root/build-fuzz}"
seconds="${1:-60}"
shift || true
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(fuzz_ipc fuzz_ipspec fuzz_generateargs)

"$root/scripts/install-deps.sh" --fuzz
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DDDS2_FUZZ=ON \
    -DCMAKE_CXX_COMPILER=clang++ >/dev/null
cmake --build "$build" -j "${JOBS:-2}" --target "${targets[@]}"

# Leaks are checked after every input; Qt keeps its platform objects at exit.
export ASAN_OPTIONS="detect_leaks=1:leak_check_at_exit=0"
export LSAN_OPTIONS="suppressions=$root/scripts/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
mkdir -p "$build/artifacts"
failed=0
summary=()
for target in "${targets[@]}"; do
    seeds="$root/bench/fuzz/corpus/$target"
    corpus="$build/corpus/$target"
    log="$build/$target.log"
    mkdir -p "$corpus"
    options=(-max_total_time="$seconds" -timeout=30 -rss_limit_mb=4096 -print_final_stats=1
             -close_fd_mask=2 -artifact_prefix="$build/artifacts/$target-")
    [ -f "$root/bench/fuzz/$target.dict" ] && options+=(-dict="$root/bench/fuzz/$target.dict")
    # From the corpus folder, so that command lines can name its configuration files.
    start=$(date +%s)
    status=0
    (cd "$root/bench/fuzz/corpus" && "$build/bin/$target" "${options[@]}" "$corpus" "$seeds") \
        >"$log" 2>&1 || status=$?
    elapsed=$(($(date +%s) - start))
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
    result=ok
    if [ "$status" -ne 0 ]; then
        result="FAILED (exit $status), see $log"
        failed=1
    fi
    summary+=("$(printf '%-20s %10s executions %5d s  %s' "$target" "${runs:-?}" "$elapsed" "$result")")
done
printf '%s\n' "${summary[@]}"
exit "$failed"
