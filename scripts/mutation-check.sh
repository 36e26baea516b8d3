#!/usr/bin/env bash
# Applies each deliberate fault listed in scripts/mutants.txt to the product
# code in turn, rebuilds, runs the test suite and prints a table of the faults
# it caught. Restores every file it changed, also when interrupted.
#
# Usage: scripts/mutation-check.sh [-b BUILD_DIR] [-t SECONDS] [-m MUTANTS] [-o TABLE]
#   -b  build directory of its own (default build-mut)
#   -t  time limit per mutant for the build and for the tests (default 1500)
#   -m  the list of mutants (default scripts/mutants.txt)
#   -o  also write the table to this file
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="$root/build-mut"
limit=1500
mutants="$root/scripts/mutants.txt"
table=""
while getopts "b:t:m:o:" opt; do
    case $opt in
    b) build="$(realpath -m "$OPTARG")" ;;
    t) limit=$OPTARG ;;
    m) mutants="$(realpath "$OPTARG")" ;;
    o) table="$(realpath -m "$OPTARG")" ;;
    *)
        echo "usage: $0 [-b BUILD_DIR] [-t SECONDS] [-m MUTANTS] [-o TABLE]" >&2
        exit 2
        ;;
    esac
done
cd "$root"

# The restore is a checkout, so nothing uncommitted may be lost by it.
if [ -n "$(git status --porcelain --untracked-files=no)" ]; then
    echo "mutation-check: $root has uncommitted changes; commit or stash them first." >&2
    exit 2
fi

mutated=""
restore() {
    if [ -n "$mutated" ]; then
        git checkout --quiet -- "$mutated"
        # A fresh time stamp, so that the next build sees the file again.
        touch "$mutated"
        mutated=""
    fi
}
trap restore EXIT
trap 'restore; exit 130' INT TERM

logs="$build/mutation-logs"
mkdir -p "$logs"

build_tree() {
    timeout --kill-after=30 "$limit" cmake --build "$build" -j2 >"$1" 2>&1
}

# Prints the tests that failed in a ctest log, comma-separated.
failed_tests() {
    sed -nE 's/.*Test +#[0-9]+: ([^ ]+) .*\*\*\*.*/\1/p' "$1" | sort -u | paste -sd, -
}

ctest_run() {
    (cd "$build" && timeout --kill-after=30 "$limit" ctest -j2 --stop-on-failure \
        --output-on-failure "$@")
}

# The whole suite, the quick tests first: a fault they catch is reported
# without waiting for the long simulations, which run only when they pass.
quick=""
run_tests() {
    if [ -z "$quick" ]; then
        ctest_run >"$1" 2>&1
    else
        ctest_run -R "$quick" >"$1" 2>&1 && ctest_run -E "$quick" >>"$1" 2>&1
    fi
}

echo "mutation-check: building and testing the unmutated tree in $build"
if ! cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release >"$logs/configure.log" 2>&1; then
    echo "mutation-check: cannot configure $build; see $logs/configure.log" >&2
    exit 1
fi
if ! build_tree "$logs/baseline-build.log"; then
    echo "mutation-check: the unmutated tree does not build; see $logs/baseline-build.log" >&2
    exit 1
fi
if ! run_tests "$logs/baseline-test.log"; then
    echo "mutation-check: the unmutated suite fails ($(failed_tests "$logs/baseline-test.log"));" \
        "see $logs/baseline-test.log" >&2
    exit 1
fi

# Quick: under ten seconds in the baseline run, as ctest recorded it.
quick="$(awk '/^---/ { exit } NF == 3 && $3 < 10 { printf "%s^%s$", sep, $1; sep = "|" }' \
    "$build/Testing/Temporary/CTestCostData.txt" 2>/dev/null || true)"

rows=("| # | fault | file | result | caught by |" "|---|---|---|---|---|")
caught=0
total=0
while IFS=$'\t' read -r file original replacement description; do
    case "$file" in '' | '#'*) continue ;; esac
    total=$((total + 1))
    case "$file" in
    host/* | dialog/* | generation/* | plugin/* | app/* | rtl/*) ;;
    *)
        echo "mutation-check: $file is not product code" >&2
        exit 2
        ;;
    esac
    text="$(<"$file")"
    rest="${text#*"$original"}"
    if [ "$rest" = "$text" ] || [ "${rest#*"$original"}" != "$rest" ]; then
        echo "mutation-check: mutant $total: the text must occur exactly once in $file:" \
            "$original" >&2
        exit 2
    fi
    mutated="$file"
    printf '%s\n' "${text/"$original"/"$replacement"}" >"$file"
    log="$logs/mutant-$total"
    echo "mutation-check: mutant $total, $description ($file)"
    if ! build_tree "$log-build.log"; then
        result="does not build"
        by=""
    elif run_tests "$log-test.log"; then
        result="MISSED"
        by=""
    else
        by="$(failed_tests "$log-test.log")"
        if [ -n "$by" ]; then
            result="caught"
            caught=$((caught + 1))
        else
            result="time limit"
        fi
    fi
    restore
    rows+=("| $total | $description | $file | $result | $by |")
done <"$mutants"

rows+=("" "Caught $caught of $total.")
printf '%s\n' "${rows[@]}"
if [ -n "$table" ]; then
    printf '%s\n' "${rows[@]}" >"$table"
fi
