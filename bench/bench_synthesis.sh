#!/usr/bin/env bash
# Synthesis benchmark of the dds_ii core through the batch generator:
# seconds from OK to delivered files for the default core, and the Yosys
# cell counts (4-input LUTs, flip-flops, memory bits) as the output width
# grows. Usage: bench/bench_synthesis.sh [BUILD_DIR]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${1:-$root/build}"
ipgen="$build/bin/ipgen"
[ -x "$ipgen" ] || { echo "bench_synthesis: build first ($ipgen is missing)" >&2; exit 2; }
tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT

# Prints "luts flipflops memorybits" of a Yosys log: the last statistics block
# for cells, the largest memory bit count seen (the table stays a memory).
counts() {
    awk '
        /Number of cells:/ { luts = 0; ffs = 0 }
        /Number of memory bits:/ { if ($5 > mem) mem = $5 }
        $1 == "$lut" { luts += $2 }
        $1 ~ /^\$_.*DFF/ { ffs += $2 }
        END { printf "%d %d %d\n", luts, ffs, mem }
    ' "$1"
}

# generate NAME ARGS...: runs one generation; prints "total synthesis" seconds.
generate() {
    local name=$1; shift
    local out="$tmp/$name"
    local start end
    start=$(date +%s.%N)
    "$ipgen" generate --device RQ3B/RQ4K-01 --dir "$out" --file top --module dds "$@" \
        >"$tmp/$name.out" 2>"$tmp/$name.err" || { cat "$tmp/$name.err" >&2; exit 1; }
    end=$(date +%s.%N)
    for f in top.v top_tmp.v top.vo; do
        [ -s "$out/$f" ] || { echo "bench_synthesis: $out/$f was not delivered" >&2; exit 1; }
    done
    local synth
    synth=$(sed -n 's/.*Finished in \([0-9.]*\) s\./\1/p' "$tmp/$name.err" | tail -1)
    awk -v s="$start" -v e="$end" -v y="${synth:-?}" 'BEGIN { printf "%.2f %s\n", e - s, y }'
}

echo "Yosys: $(yosys -V)"
echo
echo "Default core (RQ3B/RQ4K-01, system parameters, 1 channel, 72 dB):"
read -r total synth < <(generate default)
read -r luts ffs mem < <(counts "$tmp/default/temp/dds_ii/synthesis.log")
echo "  OK to delivered files: ${total} s (ipgen generate, whole command)"
echo "  of which synthesis run: ${synth} s (Yosys start to netlist, templates written)"
echo "  cells: ${luts} LUT4, ${ffs} flip-flops, ${mem} memory bits"
echo
echo "Growth with the output width (hardware parameters, P = 16, None):"
printf "  %3s  %6s  %6s  %8s  %8s\n" W LUTs FFs mem_bits synth_s
for w in 8 12 16 20 25; do
    read -r total synth < <(generate "w$w" --set "ParameterSelection=Hardware Parameters" \
        --set PhaseWidth=16 --set OutputWidth=$w --set channel1_column1=1000)
    read -r luts ffs mem < <(counts "$tmp/w$w/temp/dds_ii/synthesis.log")
    grep -o 'DEFINE_TRUNC_WIDTH [0-9]*' "$tmp/w$w/temp/dds_ii/dds_ii_top_defines.vh" >"$tmp/t" || true
    printf "  %3d  %6d  %6d  %8d  %8s   (%s)\n" "$w" "$luts" "$ffs" "$mem" "$synth" "$(cat "$tmp/t")"
done
