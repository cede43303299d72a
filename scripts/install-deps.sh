#!/usr/bin/env bash
# Installs the Debian packages the builds, tests and demo need, when any is missing.
#   install-deps.sh [--win32] [PACKAGE...]
# --win32 adds the Windows cross toolchains (32-bit for the deliverables, 64-bit for tests on
# machines that run no 32-bit programs), Wine, Xvfb, PulseAudio, socat (the modem line), the
# Japanese fonts the program's texts need, and xwd and ImageMagick for the screenshots.
set -euo pipefail

packages=(g++ cmake ninja-build pkg-config libgtest-dev libgmock-dev libbenchmark-dev
          libsndfile1-dev libsamplerate0-dev sox python3 espeak-ng nlohmann-json3-dev
          baresip-core)
win32=false
for argument in "$@"; do
  if [ "$argument" = "--win32" ]; then
    win32=true
  else
    packages+=("$argument")
  fi
done
if $win32; then
  packages+=(g++-mingw-w64-i686-posix gcc-mingw-w64-i686-posix binutils-mingw-w64-i686
             mingw-w64-i686-dev mingw-w64-tools libwine-dev googletest wine wine64 wine32:i386
             xvfb xauth pulseaudio pulseaudio-utils socat fonts-ipafont-gothic x11-apps
             imagemagick
             g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
             mingw-w64-x86-64-dev)
fi

missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' ||
    missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
# Wine's 32-bit half comes from the i386 architecture.
if $win32 && ! dpkg --print-foreign-architectures | grep -qx i386; then
  $sudo dpkg --add-architecture i386
fi
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
