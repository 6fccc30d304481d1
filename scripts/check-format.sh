#!/usr/bin/env bash
# Fails, naming the files, when a C++ source differs from what .clang-format makes of it.
# Usage: scripts/check-format.sh [CLANG_FORMAT]
set -u
cd "$(dirname "$0")/.."
format="${1:-clang-format}"
status=0
while IFS= read -r -d '' file; do
  if ! "$format" --dry-run -Werror "$file" >/dev/null 2>&1; then
    echo "not formatted: $file (run: $format -i $file)"
    status=1
  fi
done < <(find platform audio game settings shell screens program tools tests -type f \( -name '*.cpp' -o -name '*.h' \) -print0 2>/dev/null)
exit $status
