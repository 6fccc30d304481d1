#!/bin/sh
# Compares the rendering speed of xmrender (the game's player) with libxmp on the same modules in the
# same run: each module is rendered for SECONDS seconds of audio, repeatedly for at least 2 s of CPU
# time, by both, alternately, ROUNDS times; the best figure of each is kept (the least disturbed run).
# Usage: bench_compare.sh BUILD_DIR [SECONDS] [ROUNDS] [MODULE...]
# Default modules: resources/music/VESKAR.DAT, the dense benchmark songs of tools/xmrender/bench-songs
# and, where ../shared/xm-testdata exists, its four largest reference modules.
set -eu
build=${1:?usage: bench_compare.sh BUILD_DIR [SECONDS] [ROUNDS] [MODULE...]}
seconds=${2:-30}
rounds=${3:-3}
shift $(( $# < 3 ? $# : 3 ))
top=$(cd "$(dirname "$0")/../.." && pwd)
xmrender=$build/tools/xmrender/xmrender
libxmp=$build/tools/xmrender/bench_libxmp
[ -x "$libxmp" ] || { echo "bench_libxmp was not built (install libxmp-dev)" >&2; exit 1; }
if [ $# -eq 0 ]; then
    references=
    if [ -d "$top/../shared/xm-testdata" ]; then
        references=$(ls -S "$top"/../shared/xm-testdata/*.xm | head -4)
    fi
    set -- "$top/resources/music/VESKAR.DAT" "$top"/tools/xmrender/bench-songs/*.xm $references
fi
last() { "$@" | tail -n 1 | cut -d' ' -f2; }
best() { printf '%s\n%s\n' "$1" "$2" | sort -g | tail -n 1; }
printf '%-40s %12s %12s %7s\n' module xmrender libxmp ratio
for module in "$@"; do
    ours=0; theirs=0; round=0
    while [ $round -lt "$rounds" ]; do
        ours=$(best "$ours" "$(last "$xmrender" --bench "$seconds" "$module")")
        theirs=$(best "$theirs" "$(last "$libxmp" "$seconds" "$module")")
        round=$((round + 1))
    done
    printf '%-40s %12s %12s %7.2f\n' "$(basename "$module")" "$ours" "$theirs" "$(awk "BEGIN { print $ours / $theirs }")"
done
