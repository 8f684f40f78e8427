#!/usr/bin/env bash
# Fails when a tracked C++ file differs from what the repository's .clang-format
# makes of it; lists the files to run `clang-format -i` on.
set -euo pipefail
cd "$(dirname "$0")/.."
if ! command -v clang-format >/dev/null; then
  echo "check-format: clang-format is missing (tools/packages.txt lists it)" >&2
  exit 1
fi
drift=()
while IFS= read -r -d '' f; do
  [ -f "$f" ] || continue
  if ! clang-format --dry-run --Werror "$f" >/dev/null 2>&1; then
    drift+=("$f")
  fi
done < <(git ls-files -z -- '*.cpp' '*.cc' '*.h' '*.hpp')
if [ ${#drift[@]} -gt 0 ]; then
  echo "check-format: these files drift from .clang-format (run clang-format -i on them):" >&2
  printf '  %s\n' "${drift[@]}" >&2
  exit 1
fi
echo "check-format: every tracked C++ file is formatted"
