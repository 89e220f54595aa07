#!/usr/bin/env bash
# Fails when a C++ file of ours differs from what clang-format makes of it under .clang-format,
# naming each such file and showing the difference.
#
#   scripts/check-format.sh          # scripts/test.sh runs it first
#   git ls-files '*.cpp' '*.h' | xargs clang-format -i    # formats the tree
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
cd "$repo"
command -v clang-format >/dev/null || { echo "clang-format is missing (scripts/install-deps.sh installs it)" >&2; exit 1; }

drifted=0
while IFS= read -r -d '' file; do
  if ! clang-format --style=file "$file" | diff -u --label "$file" --label "$file (formatted)" "$file" - ; then
    drifted=$((drifted + 1))
  fi
done < <(git ls-files -z '*.cpp' '*.h')

if [ "$drifted" -gt 0 ]; then
  echo "$drifted file(s) differ from .clang-format; format them with clang-format -i." >&2
  exit 1
fi
echo "formatting: every C++ file follows .clang-format ($(clang-format --version | grep -o 'version [0-9.]*'))"
