#!/usr/bin/env bash
# The main job: installs what is missing, builds every configuration and says what it built.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/tools/setup.sh"
"$root/tools/build.sh" native win64 win32
echo "== built: native, win64 and win32 configurations under $root/build"
