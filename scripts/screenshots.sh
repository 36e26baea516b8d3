#!/usr/bin/env bash
# Builds, generates and verifies the default core and takes the README's
# pictures of the main window, the generator dialog and the spectrum into
# docs/images, on a private X server.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${BUILD_DIR:-$root/build}"
"$root/scripts/build.sh"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
"$build/bin/ipgen" generate --device RQ3B/RQ4K-01 --dir "$work/project" \
    --set NumberOfChannels=4 >/dev/null
# Exit 1 is a FAIL verdict, still a picture worth showing.
"$build/bin/ipgen" verify "$work/project/dds_ii.ipc" || [ $? -eq 1 ]
QT_QPA_PLATFORM=xcb xvfb-run -a "$build/bin/ipgen_screenshots" "$work/project" "$root/docs/images"
ls "$root"/docs/images/*.png
