#!/bin/sh
# Usage: tools/run-fuzz.sh [seconds=600] [libFuzzer options...]  -- builds build-fuzz with clang and fuzzes the archive, password and text parsers; crashes land in build-fuzz/fuzz/crashes/.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build-fuzz"
seconds="${1:-600}"
[ $# -gt 0 ] && shift
launcher=""
command -v ccache >/dev/null 2>&1 && launcher="-DCMAKE_CXX_COMPILER_LAUNCHER=ccache"
lock=""
command -v flock >/dev/null 2>&1 && lock="flock /tmp/quintara-build.lock"

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQUINTARA_WERROR="${QUINTARA_WERROR:-OFF}" -DCMAKE_CXX_COMPILER=clang++ -DQUINTARA_FUZZ=ON $launcher
CCACHE_BASEDIR="${CCACHE_BASEDIR:-$(dirname "$root")}" $lock cmake --build "$build" --target quintara_fuzz -j"${JOBS:-2}"

mkdir -p "$build/fuzz/corpus" "$build/fuzz/crashes"
cd "$build/fuzz"
exec ./quintara_fuzz -max_total_time="$seconds" -max_len=8192 -timeout=10 -rss_limit_mb=2048 \
    -artifact_prefix="$build/fuzz/crashes/" -print_final_stats=1 "$@" corpus "$root/fuzz/seeds"
