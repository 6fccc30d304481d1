#!/bin/sh
# Renders every MATCH file of the test modules' agreement list with xmrender and compares its row
# timeline with libxmp's. Usage: check_agreement.sh BUILD_DIR [TESTDATA_DIR]
# Prints one line per file (name and result) and a count at the end; exit status 1 unless all agree,
# 77 (skipped) when the reference modules are not there.
build=${1:?usage: check_agreement.sh BUILD_DIR [TESTDATA_DIR]}
data=${2:-$(dirname "$0")/../../../shared/xm-testdata}
if [ ! -f "$data/agreement.tsv" ]; then
    echo "skipped: no reference modules (no $data/agreement.tsv)"
    exit 77
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
matched=0
total=0
for name in $(awk -F'\t' '$2 == "MATCH" { print $1 }' "$data/agreement.tsv"); do
    total=$((total + 1))
    if ! "$build/tools/xmrender/xmrender" "$data/$name.xm" "$work/out.wav" --timeline "$work/ours.tsv" \
        2>"$work/err.txt"; then
        echo "$name	REJECTED $(cat "$work/err.txt")"
        continue
    fi
    result=$("$build/tools/timelinecheck/timelinecheck" "$data/$name.xm" "$work/ours.tsv")
    case $result in MATCH*) matched=$((matched + 1)) ;; esac
    echo "$name	$result"
done
echo "agree: $matched of $total"
[ "$matched" -eq "$total" ]
