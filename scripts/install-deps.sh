#!/usr/bin/env bash
# Installs the Debian 12 packages Vandrel needs to build, run and test.
# Only what is missing is installed; a machine that has everything is left alone.
set -euo pipefail

packages=(
  # toolchain and tests
  build-essential cmake ninja-build pkg-config libgtest-dev libgmock-dev libbenchmark-dev clang
  # libraries the program links
  qt6-base-dev qt6-base-dev-tools libsdl2-mixer-dev
  # the translations: lupdate and lrelease with their CMake functions, and
  # Qt's own catalogues, compiled into the program
  qt6-l10n-tools qt6-tools-dev qt6-translations-l10n
  libjpeg62-turbo-dev libxrandr-dev libx11-dev libfontconfig-dev
  # fonts that stand in for the Windows ones
  fonts-dejavu-core fonts-liberation
  # running and looking at the real window in tests
  xvfb xauth xdotool x11-utils x11-xserver-utils imagemagick
  # the accessibility tree over AT-SPI, on a session bus of its own
  dbus dbus-daemon at-spi2-core python3-pyatspi gir1.2-atspi-2.0
  xserver-xorg-core xserver-xorg-video-dummy
  # the sound tests' servers: PulseAudio, and PipeWire with its PulseAudio
  # server on a D-Bus session bus of its own
  pulseaudio pulseaudio-utils sox pipewire pipewire-pulse wireplumber dbus-daemon
  # packaging and its checks
  desktop-file-utils appstream shared-mime-info libxml2-utils dpkg-dev fakeroot debootstrap
  lintian man-db
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing: ${missing[*]}"
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
