#!/usr/bin/env bash
# The dialect the project writes in, beyond the layout .clang-format keeps: clang-tidy with the
# committed .clang-tidy over the product code (every folder but tests/), every finding an error;
# and the fixed-width integer types always written with std::. Installs clang-tidy if missing and
# configures BUILD_DIR (default build) for its compile commands if needed. --fix applies the fixes
# clang-tidy knows (braces, one declaration per line) instead of failing on them.
# Usage: scripts/check-dialect.sh [BUILD_DIR] [--fix]
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/lib/common.sh
ensure_packages clang-tidy cmake
build="${1:-build}"
fix=()
[ "${2:-}" = "--fix" ] && fix=(-fix)
[ -f "$build/compile_commands.json" ] || cmake -S . -B "$build" >/dev/null
folders='platform|audio|game|settings|shell|screens|program|tools'
status=0
run-clang-tidy -quiet -p "$build" -j "$(nproc)" "${fix[@]}" "^$PWD/($folders)/" >"$build/clang-tidy.log" 2>&1 ||
  status=1
grep -E "(warning|error): " "$build/clang-tidy.log" | sort -u || true
bare=$(grep -rnE '(^|[^:A-Za-z_0-9])u?int(8|16|32|64)_t\b' --include=*.cpp --include=*.h \
  platform audio game settings shell screens program tools || true)
if [ -n "$bare" ]; then
  echo "fixed-width types without std:: (write std::int32_t and its kin):"
  echo "$bare"
  status=1
fi
[ "$status" -eq 0 ] && echo "dialect: clean"
exit "$status"
