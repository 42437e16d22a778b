#!/usr/bin/env bash
# Runs a fuzz target once over every file in the given folders (libFuzzer runs each file named
# on its command line once, deterministically) and fails on the first finding.
# Usage: replay.sh <fuzz target> <folder>...
set -euo pipefail
target=$1
shift
files=()
for dir in "$@"; do
  [ -d "$dir" ] || continue
  while IFS= read -r -d '' f; do files+=("$f"); done < <(find "$dir" -type f ! -name '.*' -print0 | sort -z)
done
if [ ${#files[@]} -eq 0 ]; then
  echo "replay.sh: no inputs for $(basename "$target")" >&2
  exit 1
fi
echo "replaying ${#files[@]} inputs"
exec "$target" "${files[@]}"
