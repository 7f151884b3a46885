#!/usr/bin/env bash
# Installs every Debian 12 package that building, running and testing Quillotap needs.
# Idempotent: when everything is present it only checks and returns.
set -euo pipefail

PACKAGES=(
  # build
  build-essential cmake ninja-build pkg-config git clang
  qt6-base-dev qt6-base-dev-tools libgl-dev
  # translations: lupdate, lrelease and their CMake functions; Qt's own translations
  qt6-tools-dev qt6-l10n-tools qt6-translations-l10n
  libpulse-dev libmp3lame-dev libvorbis-dev libogg-dev libsndfile1-dev
  libavformat-dev libavcodec-dev libavutil-dev libswresample-dev
  libtag1-dev libfftw3-dev libopusenc-dev libopus-dev libx11-dev libxi-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  # run
  pulseaudio pulseaudio-utils dbus dbus-x11 libqt6dbus6 libqt6network6 qt6-qpa-plugins
  fonts-dejavu-core xdg-utils
  # test and benchmark
  xvfb xauth xdotool imagemagick ffmpeg sox libsox-fmt-mp3 lame vorbis-tools flac opus-tools trayer
  time procps python3
  # Wayland runs: a headless compositor; the test StatusNotifierWatcher
  weston python3-dbus
  # screen-reader test: the AT-SPI bus and a client for it
  at-spi2-core python3-gi gir1.2-atspi-2.0
  # packaging: validators, man page rendering, the Debian package
  desktop-file-utils appstream lintian man-db groff-base dpkg-dev qt6-wayland x11-utils
  # desktop portal tests: the real GlobalShortcuts front end and the test back end's bindings
  xdg-desktop-portal
)

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  echo "All build, run and test packages are installed."
  exit 0
fi

SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
echo "Installing: ${missing[*]}"
$SUDO apt-get update
$SUDO apt-get install -y --no-install-recommends "${missing[@]}"
