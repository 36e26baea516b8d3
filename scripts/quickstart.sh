#!/usr/bin/env bash
# Installs what is missing, builds, generates the default dds_ii core
# (Verilog, synthesized with Yosys) into out/default and verifies its SFDR.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh"
build="${BUILD_DIR:-$root/build}"
out="${OUT_DIR:-$root/out/default}"
"$build/bin/ipgen" list --device RQ3B/RQ4K-01
"$build/bin/ipgen" generate --device RQ3B/RQ4K-01 --dir "$out" --overwrite
if [ ! -s "$out/dds_ii.v" ]; then
    echo "quickstart: no netlist was delivered to $out" >&2
    exit 1
fi
verdict="$("$build/bin/ipgen" verify "$out/dds_ii.ipc")" || {
    echo "quickstart: the default core did not verify: $verdict" >&2
    exit 1
}
echo
echo "Netlist of the default core: $out/dds_ii.v"
echo "Instantiation template:      $out/dds_ii_tmp.v"
echo "Simulation model:            $out/dds_ii.vo"
echo "Measured SFDR:               $verdict"
echo "Spectrum:                    $out/dds_ii_spectrum.png"
