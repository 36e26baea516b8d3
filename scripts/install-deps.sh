#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the synthesis flow
# need; quick when everything is present. --fuzz adds clang and its
# sanitizer runtimes for bench/fuzz.sh; --fpga adds the iCE40 place and
# route tools for bench/bench_fpga.sh.
set -euo pipefail

packages=(
    build-essential cmake pkg-config
    qtbase5-dev qtbase5-dev-tools
    libfftw3-dev
    yosys iverilog verilator ghdl
    xvfb xauth
    binutils
)
for option in "$@"; do
    case $option in
        --fuzz) packages+=(clang libclang-rt-14-dev) ;;
        --fpga) packages+=(nextpnr-ice40 fpga-icestorm) ;;
        *) echo "install-deps: unknown option $option (known: --fuzz, --fpga)" >&2; exit 2 ;;
    esac
done

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -eq 0 ]; then
    exit 0
fi
echo "Installing: ${missing[*]}"
sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
