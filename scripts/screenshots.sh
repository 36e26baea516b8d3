#!/usr/bin/env bash
# Builds, generates the default core and takes the README's pictures of the
# main window and the generator dialog into docs/images, on a private X server.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${BUILD_DIR:-$root/build}"
"$root/scripts/build.sh"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
"$build/bin/ipgen" generate --device RQ3B/RQ4K-01 --dir "$work/project" \
    --set NumberOfChannels=4 >/dev/null
QT_QPA_PLATFORM=xcb xvfb-run -a "$build/bin/ipgen_screenshots" "$work/project" "$root/docs/images"
ls "$root"/docs/images/*.png
