#!/usr/bin/env bash
# Fetches Debian's libpng source package once into the build tree and prints its folder.
# Usage: fetch-libpng.sh <cache folder>
set -euo pipefail
cache=$1
mkdir -p "$cache"
cache=$(cd "$cache" && pwd)
existing=$(find "$cache" -maxdepth 2 -name png.h -path '*libpng1.6-*' 2>/dev/null | head -n 1)
if [ -n "$existing" ]; then dirname "$existing"; exit 0; fi

cd "$cache"
# The newest version may exist only on a security mirror that serves no sources; try each.
log=$cache/fetch-libpng.log
: >"$log"
for version in $(apt-cache showsrc libpng1.6 | sed -n 's/^Version: //p' | sort -rV); do
  if apt-get source -q "libpng1.6=$version" >>"$log" 2>&1; then break; fi
done
found=$(find "$cache" -maxdepth 2 -name png.h -path '*libpng1.6-*' | head -n 1)
if [ -z "$found" ]; then
  cat "$log" >&2
  echo "fetch-libpng: could not fetch the libpng1.6 source package" >&2
  exit 1
fi
dirname "$found"
