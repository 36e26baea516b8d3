#!/usr/bin/env bash
# Place-and-route benchmark of the dds_ii core on iCE40 parts: each
# configuration is generated with ipgen, its sources and defines are
# synthesized as the product reads them (synth_ice40), then placed and routed
# with nextpnr-ice40 for several seeds. Per row: median Fmax, logic cells,
# RAM blocks and DSPs, with Fmax as a ratio to a bare accumulator of the same
# phase width and cells as a ratio to a plain reference DDS of the same
# widths (bench/fpga_reference.v, same flow).
#
# Usage: bench/bench_fpga.sh [BUILD_DIR]
#   SEEDS="1 2 3"     placement seeds (the median is reported)
#   PARTS="hx8k up5k" parts: hx8k (ct256, no DSP), up5k (sg48, SB_MAC16)
#   ONLY=REGEX        only the configurations whose name matches
#   HARD_MULT="up5k"  parts whose core is read with DDS_II_HARD_MULT defined
#                     (the Taylor correction on the SB_MAC16 multipliers)
# Installs nextpnr-ice40 and fpga-icestorm through scripts/install-deps.sh
# --fpga when they are missing.
#
# The UP5K in sg48 has 39 pins, fewer than the core's ports: there every
# design (core and yardsticks alike) sits in a wrapper that feeds its inputs
# from one serial pin through a shift register and folds its outputs into
# one registered XOR, so that nothing is optimized away.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${1:-$root/build}"
ipgen="$build/bin/ipgen"
rtl="$build/plugins/dds_ii/data"
[ -x "$ipgen" ] || { echo "bench_fpga: build first ($ipgen is missing)" >&2; exit 2; }
command -v nextpnr-ice40 >/dev/null || "$root/scripts/install-deps.sh" --fpga
seeds=(${SEEDS:-1 2 3})
parts=(${PARTS:-hx8k up5k})
only="${ONLY:-.}"
hard_mult=" ${HARD_MULT-up5k} "
tmp="$(mktemp -d)"
[ -n "${KEEP:-}" ] || trap 'rm -rf "$tmp"' EXIT

# Configurations: name, then the --set options on top of the defaults.
inc=147ae1
configs=(
    "default|"
    "latency7|Latency=7"
    "ch16|NumberOfChannels=16"
    "taylor|NoiseShaping_sys=Taylor Series Corrected"
    "taylor12|NoiseShaping_sys=Taylor Series Corrected|Latency=12"
    "dither|NoiseShaping_sys=Phase Dithering"
    "prog_inc|PhaseIncrementProgrammability=programmable_inc"
    "stream_inc|PhaseIncrementProgrammability=streaming_inc"
    # The widest output (25) at the largest phase width whose yardstick
    # still fits the HX8K's block RAM; the increment as the yardsticks cut it.
    "widest|ParameterSelection=Hardware Parameters|PhaseWidth=13|OutputWidth=25|channel1_column1=AE1"
)

define() { sed -n "s/^\`define $2 //p" "$1"; }

# wrap DIR TOP: writes DIR/bench_wrap.v around module TOP (ports from DIR/ports.json).
wrap() {
    local dir=$1 top=$2
    jq -r --arg t "$top" '.modules[$t].ports | to_entries[] |
        "\(.key) \(.value.direction) \(.value.bits | length)"' "$dir/ports.json" | awk -v top="$top" '
        $1 == "clk_i" { next }
        $2 == "input" { ins[n_in++] = $1; iw[$1] = $3; nin += $3; next }
        { outs[n_out++] = $1; ow[$1] = $3; nout += $3 }
        END {
            print "module bench_wrap (input wire clk_i, input wire si, output reg so);"
            if (nin > 0) {
                printf "    reg [%d:0] sr;\n", nin
                printf "    always @(posedge clk_i) sr <= {sr[%d:0], si};\n", nin - 1
            }
            printf "    wire [%d:0] outs;\n", nout - 1
            printf "    %s dut (.clk_i(clk_i)", top
            b = 0
            for (i = 0; i < n_in; i++) { printf ", .%s(sr[%d +: %d])", ins[i], b, iw[ins[i]]; b += iw[ins[i]] }
            b = 0
            for (i = 0; i < n_out; i++) { printf ", .%s(outs[%d +: %d])", outs[i], b, ow[outs[i]]; b += ow[outs[i]] }
            print ");"
            print "    always @(posedge clk_i) so <= ^outs;"
            print "endmodule"
        }' >"$dir/bench_wrap.v"
}

# pnr DIR PART TOP READ: synthesizes (in DIR, where $readmemh looks) and
# places and routes for every seed; prints "fmax cells rams dsps" (median Fmax).
pnr() {
    local dir=$1 part=$2 top=$3 read=$4
    local synth_top=$top dsp="" dev pkg
    case $part in
        hx8k) dev=--hx8k; pkg=ct256 ;;
        up5k) dev=--up5k; pkg=sg48; dsp=-dsp ;;
    esac
    if [ "$part" = up5k ]; then
        (cd "$dir" && yosys -q -p "$read; hierarchy -top $top; proc; write_json ports.json") >"$dir/ports.log" 2>&1
        wrap "$dir" "$top"
        read="$read; read_verilog bench_wrap.v"
        synth_top=bench_wrap
    fi
    (cd "$dir" && nice yosys -q -l synth_$part.log -p "$read; synth_ice40 $dsp -top $synth_top -json $part.json") \
        >/dev/null 2>&1 || { echo "bench_fpga: synthesis failed, see $dir/synth_$part.log" >&2; tail -5 "$dir/synth_$part.log" >&2; exit 1; }
    local fmaxes=() s log
    for s in "${seeds[@]}"; do
        log="$dir/pnr_${part}_$s.log"
        nice nextpnr-ice40 $dev --package $pkg --json "$dir/$part.json" --seed "$s" >"$log" 2>&1 ||
            { echo "bench_fpga: place and route failed, see $log" >&2; tail -5 "$log" >&2; exit 1; }
        fmaxes+=("$(sed -n 's/.*Max frequency for clock.*: \([0-9.]*\) MHz.*/\1/p' "$log" | tail -1)")
    done
    local median
    median=$(printf '%s\n' "${fmaxes[@]}" | sort -g | sed -n "$(((${#fmaxes[@]} + 1) / 2))p")
    awk -v f="$median" '
        $2 == "ICESTORM_LC:" { lc = $3 } $2 == "ICESTORM_RAM:" { ram = $3 } $2 == "ICESTORM_DSP:" { dsp = $3 }
        END { printf "%s %d %d %d\n", f, lc, ram, dsp }' "$log"
}

# reference KIND PART P W A: sets ref to the yardstick's "fmax cells rams
# dsps", measured once per key.
declare -A refs
reference() {
    local kind=$1 part=$2 p=$3 w=$4 a=$5
    local key="$kind-$part-$p-$w-$a"
    if [ -z "${refs[$key]:-}" ]; then
        local dir="$tmp/ref-$key"
        mkdir -p "$dir"
        local incv="$p'h$inc" read
        if [ "$kind" = acc ]; then
            read="read_verilog -defer $root/bench/fpga_reference.v; hierarchy -top bench_acc -chparam P $p -chparam INC $incv"
        else
            awk -v q=$((a - 2)) -v w="$w" 'BEGIN {
                n = 2 ^ q; amp = 2 ^ (w - 1) - 1; pi = atan2(0, -1)
                for (i = 0; i < n; i++) printf "%x\n", int(amp * sin((i + 0.5) * pi / 2 / n) + 0.5)
            }' >"$dir/quarter.hex"
            read="read_verilog -defer $root/bench/fpga_reference.v; hierarchy -top bench_dds -chparam P $p -chparam W $w -chparam A $a -chparam INC $incv"
        fi
        refs[$key]=$(pnr "$dir" "$part" "bench_$kind" "$read")
    fi
    ref=${refs[$key]}
}

echo "Tools: $(yosys -V | cut -d' ' -f1-2), $(nextpnr-ice40 --version 2>&1 | head -1); seeds: ${seeds[*]} (median Fmax)"
printf "%-10s %-5s %8s %6s %6s %6s %4s %4s   %8s %6s %8s %6s\n" \
    config part Fmax_MHz xAcc cells xRef RAM DSP acc_MHz acc_LC ref_MHz ref_LC
for entry in "${configs[@]}"; do
    IFS='|' read -r -a fields <<<"$entry"
    name=${fields[0]}
    [[ $name =~ $only ]] || continue
    sets=()
    for kv in "${fields[@]:1}"; do sets+=(--set "$kv"); done
    out="$tmp/$name"
    "$ipgen" generate --device RQ3B/RQ4K-01 --dir "$out" --file top --module dds "${sets[@]}" \
        >"$tmp/$name.out" 2>"$tmp/$name.err" || { cat "$tmp/$name.err" >&2; exit 1; }
    work="$out/temp/dds_ii"
    defines="$work/dds_ii_top_defines.vh"
    p=$(define "$defines" DEFINE_PHASE_WIDTH)
    w=$(define "$defines" DEFINE_OUTPUT_WIDTH)
    t=$(define "$defines" DEFINE_TRUNC_WIDTH)
    a=$((p - t))
    # The product's own read command, from the script it wrote.
    read=$(grep '^read_verilog' "$work/synthesis.ys")
    for part in "${parts[@]}"; do
        core_read=$read
        [[ $hard_mult == *" $part "* ]] && core_read=${read/read_verilog/read_verilog -DDDS_II_HARD_MULT}
        read -r fmax cells rams dsps < <(pnr "$work" "$part" dds "$core_read")
        reference acc "$part" "$p" "$w" "$a"
        read -r afmax acells _ _ <<<"$ref"
        reference dds "$part" "$p" "$w" "$a"
        read -r rfmax rcells _ _ <<<"$ref"
        awk -v n="$name" -v pt="$part" -v f="$fmax" -v c="$cells" -v r="$rams" -v d="$dsps" \
            -v af="$afmax" -v ac="$acells" -v rf="$rfmax" -v rc="$rcells" 'BEGIN {
            printf "%-10s %-5s %8.1f %6.2f %6d %6.2f %4d %4d   %8.1f %6d %8.1f %6d\n",
                n, pt, f, f / af, c, c / rc, r, d, af, ac, rf, rc }'
    done
done
