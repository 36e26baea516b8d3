#!/usr/bin/env bash
# Generates a fixed sweep of dds_ii configurations with `ipgen generate` and
# writes one line per generated file, "CONFIG PATH SHA256", plus each run's
# exit code and the messages it printed, to MANIFEST. Two manifests made
# from two builds compare with diff: a refactoring must leave every file
# and every message unchanged.
#
#   scripts/generated-sweep.sh [-b BUILD] [-n COUNT] [-w WORK] MANIFEST
#
# Files that hold the run's own times (the synthesis script and log,
# Yosys's JSON with source locations, the project list, the lock) are left
# out; the output root WORK is replaced by a placeholder in files and
# messages before they are hashed, so that two sweeps can run side by side.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="$root/build"
count=260
work=/tmp/dds2-generated-sweep
while getopts "b:n:w:" opt; do
    case $opt in
        b) build=$(realpath -m "$OPTARG") ;;
        n) count=$OPTARG ;;
        w) work=$(realpath -m "$OPTARG") ;;
        *) echo "usage: $0 [-b BUILD] [-n COUNT] [-w WORK] MANIFEST" >&2; exit 2 ;;
    esac
done
shift $((OPTIND - 1))
[ $# -eq 1 ] || { echo "usage: $0 [-b BUILD] [-n COUNT] [-w WORK] MANIFEST" >&2; exit 2; }
manifest=$(realpath -m "$1")
ipgen="$build/bin/ipgen"
[ -x "$ipgen" ] || { echo "generated-sweep: build first ($ipgen is missing)" >&2; exit 2; }

rm -rf "$work"
mkdir -p "$work"
: >"$manifest"

# A small deterministic generator: the sweep is the same on every run.
seed=12345
# Both set R rather than print: a subshell would not advance the seed.
next() { seed=$(((seed * 1103515245 + 12345) % 2147483648)); R=$((seed / 65536 % $1)); }
pick() { next $#; shift "$R"; R=$1; }

ok=0
for ((i = 0; i < count; i++)); do
    args=(--device RQ3B/RQ4K-01 --dir "$work/$i" --overwrite)
    # Choices first: they rewrite the entries that depend on them.
    pick "Phase Generator and SIN COS LUT" "Phase Generator and SIN COS LUT" \
        "Phase Generator Only" "SIN COS LUT Only"
    args+=(--set "ConfiguationOptions=$R")
    pick "System Parameters" "Hardware Parameters"
    sel=$R
    args+=(--set "ParameterSelection=$sel")
    pick 1 1 2 3 4 8 16
    channels=$R
    args+=(--set "NumberOfChannels=$channels")
    if [ "$sel" = "System Parameters" ]; then
        pick 100 250 10.5 400; args+=(--set "SystemClock=$R")
        pick 30 48 72 90 115; args+=(--set "SpuriousFreeDynamicRange=$R")
        pick 1 0.05 100 0.5; args+=(--set "FrequencyResolution=$R")
        pick None None "Phase Dithering" "Taylor Series Corrected"; args+=(--set "NoiseShaping_sys=$R")
    else
        pick None None "Phase Dithering" "Taylor Series Corrected"; args+=(--set "NoiseShaping_hard=$R")
        pick 4 8 12 16 24 27 32 48; args+=(--set "PhaseWidth=$R")
        pick 4 8 10 12 16 20 25; args+=(--set "OutputWidth=$R")
    fi
    pick fixed_inc fixed_inc programmable_inc streaming_inc
    inc=$R
    pick none_off fixed_off programmable_off streaming_off
    off=$R
    args+=(--set "PhaseIncrementProgrammability=$inc" --set "PhaseOffsetProgrammability=$off")
    pick false true; args+=(--set "resync=$R")
    pick sinAndcos sinAndcos sine cosine; args+=(--set "Output=$R")
    pick true false; args+=(--set "hasPhaseOut=$R")
    pick false true; args+=(--set "ChannelIDout=$R")
    pick 7 8 12 14 16 20; args+=(--set "Latency=$R")
    for ((c = 1; c <= channels; c++)); do
        if [ "$inc" != streaming_inc ]; then
            if [ "$sel" = "System Parameters" ]; then pick 1 3.5 0.25 12 40; else pick 1 a 3f 100 7ff; fi
            args+=(--set "channel${c}_column1=$R")
        fi
        if [ "$off" = fixed_off ] || [ "$off" = programmable_off ]; then
            if [ "$sel" = "System Parameters" ]; then pick 0 0.25 0.5 0.9; else pick 0 1 20 ff; fi
            args+=(--set "channel${c}_column2=$R")
        fi
    done
    next 5; [ "$R" = 0 ] && args+=(--language vhdl)
    next 6; [ "$R" = 0 ] && args+=(--file "core_$i" --module "dds_$i")

    # A choice the rules do not offer in this configuration is dropped and
    # the run repeated, as is a channel table the rules reject as a whole.
    for attempt in 1 2 3 4; do
        status=0
        (cd "$work" && "$ipgen" generate "${args[@]}") >"$work/$i.out" 2>"$work/$i.err" || status=$?
        [ "$status" = 1 ] || break
        refused=$(sed -n 's/^  Option "\([^"]*\)".*/\1/p' "$work/$i.err")
        [ -n "$refused" ] || refused=$(printf 'channel%s_column1\nchannel%s_column2\n' $(seq 1 16) $(seq 1 16))
        kept=()
        for ((k = 0; k < ${#args[@]}; k++)); do
            if [ "${args[k]}" = --set ] && grep -qxF "${args[k + 1]%%=*}" <<<"$refused"; then
                k=$((k + 1))
            else
                kept+=("${args[k]}")
            fi
        done
        [ ${#kept[@]} -lt ${#args[@]} ] || break
        args=("${kept[@]}")
    done
    echo "$i ${args[*]}" >>"$work/commands.txt"
    [ "$status" = 0 ] && ok=$((ok + 1))
    {
        echo "$i exit $status"
        # Messages without the run's times.
        sed -e 's/[0-9][0-9.]* s\b/N s/g' -e "s|$work|@WORK@|g" "$work/$i.out" "$work/$i.err" |
            sha256sum | sed "s/-$//;s/^/$i messages /"
        if [ -d "$work/$i" ]; then
            (cd "$work/$i" && find . -type f \
                ! -name synthesis.ys ! -name synthesis.log ! -name '*.json' \
                ! -name ipgen.ipproj ! -name .ipgen.lock -print | sort |
                while read -r file; do
                    echo "$i $(sed "s|$work|@WORK@|g" "$file" | sha256sum | cut -d' ' -f1) $file"
                done)
        fi
    } >>"$manifest"
    printf '\r%d/%d configurations, %d generated' $((i + 1)) "$count" "$ok" >&2
done
echo >&2
echo "$ok of $count configurations generated; manifest: $manifest"
