#!/usr/bin/env bash
# Builds the whole project and its tests with AddressSanitizer and
# UndefinedBehaviorSanitizer into build-asan/ (or $BUILD_DIR) and runs every
# test; any sanitizer report fails the run.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${BUILD_DIR:-$root/build-asan}"
jobs="${JOBS:-$(nproc)}"
"$root/scripts/install-deps.sh"
flags="-g -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all"
# Release keeps the plug-in metadata of a release host; -g adds the debug info.
# Sanitized programs run a few times slower: the tests get more time.
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DDDS2_TEST_TIMEOUT=900 \
    -DCMAKE_CXX_FLAGS="$flags" \
    -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" \
    -DCMAKE_SHARED_LINKER_FLAGS="-fsanitize=address,undefined" \
    -DCMAKE_MODULE_LINKER_FLAGS="-fsanitize=address,undefined" >/dev/null
cmake --build "$build" -j "$jobs"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
# Full allocation stacks, so that the suppressions can name the library.
export ASAN_OPTIONS="detect_leaks=1:fast_unwind_on_malloc=0:strict_init_order=1"
export LSAN_OPTIONS="suppressions=$root/scripts/lsan.supp:print_suppressions=0"
# The window tests run on a real X server, where Qt's GLX integration loads
# the GL driver, which keeps an allocation from QXcbWindow::create() to the
# end; the windows draw without GL.
export QT_XCB_GL_INTEGRATION=none
cd "$build"
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j "$jobs"
