#!/usr/bin/env bash
# Installs what is missing, builds, and runs the main job.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh"
build="${BUILD_DIR:-$root/build}"
"$build/bin/ipgen" list --device RQ3B/RQ4K-01
