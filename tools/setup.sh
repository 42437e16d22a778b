#!/usr/bin/env bash
# Installs everything the build and the tests need on a Debian machine. Safe to run again.
set -euo pipefail

sudo_cmd=""
if [ "$(id -u)" -ne 0 ]; then sudo_cmd="sudo"; fi

packages=(
  build-essential cmake ninja-build pkg-config dpkg-dev
  googletest libpng-dev zlib1g-dev
  g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix libz-mingw-w64-dev
  wine wine64 wine32 xvfb xauth
  clang libclang-rt-14-dev
)
if [ "${KAVROTEL_BENCH_DEPS:-0}" = 1 ]; then
  packages+=(libfftw3-dev libkissfft-dev libzita-convolver-dev guitarix-lv2 liblilv-dev lv2-dev libpixman-1-dev)
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if ! dpkg --print-foreign-architectures | grep -qx i386; then
  $sudo_cmd dpkg --add-architecture i386
  missing+=(wine32)
fi

# apt-get source needs a deb-src entry; derive it from the machine's own Debian entry.
src_list=/etc/apt/sources.list.d/kavrotel-src.sources
if [ ! -f "$src_list" ]; then
  main_list=$(grep -l '^Types: *deb$' /etc/apt/sources.list.d/*.sources 2>/dev/null | head -n 1 || true)
  if [ -n "$main_list" ]; then
    sed 's/^Types: *deb$/Types: deb-src/' "$main_list" | $sudo_cmd tee "$src_list" >/dev/null
  elif [ -f /etc/apt/sources.list ]; then
    grep '^deb ' /etc/apt/sources.list | sed 's/^deb /deb-src /' | $sudo_cmd tee /etc/apt/sources.list.d/kavrotel-src.list >/dev/null
  fi
  missing+=(refresh)
fi

if [ ${#missing[@]} -gt 0 ]; then
  $sudo_cmd apt-get update -q
  wanted=()
  for p in "${missing[@]}"; do [ "$p" = refresh ] || wanted+=("$p"); done
  if [ ${#wanted[@]} -gt 0 ]; then
    $sudo_cmd apt-get install -y -q --no-install-recommends "${wanted[@]}"
  fi
fi

# The 32-bit Wine loader is an i386 Linux program. On a kernel built without 32-bit support the
# i386 deliverable's tests would not start, so i386 programs are run through qemu's user-mode
# emulator, registered with the kernel's binfmt_misc (this lasts until the machine restarts).
if ! /usr/lib/wine/wine --version >/dev/null 2>&1; then
  if ! command -v qemu-i386 >/dev/null; then
    $sudo_cmd apt-get install -y -q --no-install-recommends qemu-user
  fi
  binfmt=/proc/sys/fs/binfmt_misc
  [ -e $binfmt/register ] || $sudo_cmd mount -t binfmt_misc binfmt_misc $binfmt
  if [ ! -e $binfmt/kavrotel-i386 ]; then
    printf '%s' ':kavrotel-i386:M::\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00:\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff:/usr/bin/qemu-i386:FP' |
      $sudo_cmd tee $binfmt/register >/dev/null
  fi
  /usr/lib/wine/wine --version >/dev/null
fi
