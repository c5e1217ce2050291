#!/usr/bin/env bash
# Installs the Debian packages the textbook, its course programs and its tests
# need. Does nothing when they are all there.
set -euo pipefail

packages=(
  # build
  cmake g++ make pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-webengine-dev libgl-dev libjpeg-dev
  libixion-dev libboost-dev
  # run: the engine's helper process, Russian texts for Qt, fonts
  libqt6webenginecore6-bin qt6-translations-l10n fonts-dejavu-core fonts-liberation
  # tests under a real X display and window manager, fuzzing
  xvfb xauth xdotool wmctrl openbox clang
)

missing=()
for package in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
  [ "$status" = "install ok installed" ] || missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
as_root=()
[ "$(id -u)" -eq 0 ] || as_root=(sudo)
"${as_root[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
