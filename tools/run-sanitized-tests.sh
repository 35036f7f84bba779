#!/bin/sh
# Usage: tools/run-sanitized-tests.sh [ctest arguments...]  -- builds build-asan with AddressSanitizer and UBSan, then runs the test suite there.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build-asan"
launcher=""
command -v ccache >/dev/null 2>&1 && launcher="-DCMAKE_CXX_COMPILER_LAUNCHER=ccache"
lock=""
command -v flock >/dev/null 2>&1 && lock="flock /tmp/quintara-build.lock"

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQUINTARA_WERROR="${QUINTARA_WERROR:-OFF}" -DQUINTARA_SANITIZE=ON $launcher
CCACHE_BASEDIR="${CCACHE_BASEDIR:-$(dirname "$root")}" $lock cmake --build "$build" -j"${JOBS:-2}"

# Leaks are reported only for the program's own code: the font and GL
# libraries keep caches for the life of the process on purpose.
export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1:strict_string_checks=1:detect_stack_use_after_return=1:check_initialization_order=1}"
export LSAN_OPTIONS="${LSAN_OPTIONS:-suppressions=$root/tools/lsan.supp:print_suppressions=0}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"
cd "$build"
ctest --output-on-failure "$@"
