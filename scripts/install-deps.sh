#!/usr/bin/env bash
# Installs the Debian packages the builds, tests and demo need, when any is missing (clang and
# its runtime libraries build the fuzz targets; nlohmann-json and baresip serve the SIP call
# model and its tests, GLib its Linux connection).
#   install-deps.sh [--win32] [--linux] [PACKAGE...]
# --win32 adds the Windows cross toolchains (32-bit for the deliverables, 64-bit for tests on
# machines that run no 32-bit programs), Wine, Xvfb, PulseAudio, socat (the modem line), the
# Japanese fonts the program's texts need, xwd and ImageMagick for the screenshots, and ALSA's
# PulseAudio plugin as the sound card of the baresip Dorvane.exe calls through.
# --linux adds what the Linux program builds on (GTK 3, GLib, PulseAudio's client library), what
# its package is made with (dpkg-dev) and checked with (desktop-file-utils), and what its tests
# run against: a PulseAudio server and paplay, socat for the modem line, Xvfb with trayer as the
# tray host, xdotool and the X utilities as the user's hands and eyes, a CJK font, and a session
# bus of their own (dbus-daemon, gdbus) for the StatusNotifierItem, and ALSA's PulseAudio plugin
# as the sound card of the baresip the program calls through.
set -euo pipefail

packages=(g++ cmake ninja-build pkg-config libgtest-dev libgmock-dev libbenchmark-dev
          libsndfile1-dev libsamplerate0-dev sox python3 espeak-ng clang libclang-rt-dev
          nlohmann-json3-dev baresip-core libglib2.0-dev)
win32=false
# back1.jpg: its encoder, the renderer and font of its labels, and the OCR that reads them back.
packages+=(libjpeg-dev libfreetype-dev fonts-dejavu-core tesseract-ocr)
for argument in "$@"; do
  if [ "$argument" = "--win32" ]; then
    win32=true
  elif [ "$argument" = "--linux" ]; then
    packages+=(libglib2.0-dev libpulse-dev pulseaudio pulseaudio-utils socat libgtk-3-dev
               libjpeg-dev dpkg-dev desktop-file-utils xvfb trayer xdotool x11-utils x11-apps
               imagemagick fonts-noto-cjk xdg-utils dbus-daemon dbus-session-bus-common
               libglib2.0-bin libasound2-plugins)
  else
    packages+=("$argument")
  fi
done
if $win32; then
  packages+=(g++-mingw-w64-i686-posix gcc-mingw-w64-i686-posix binutils-mingw-w64-i686
             mingw-w64-i686-dev mingw-w64-tools libwine-dev googletest wine wine64 wine32:i386
             xvfb xauth pulseaudio pulseaudio-utils socat fonts-ipafont-gothic x11-apps
             imagemagick libasound2-plugins
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
