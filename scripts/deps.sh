#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
#
# SPDX-License-Identifier: MIT

# Installs the Debian packages the build and the tests need, and only those that are missing,
# so that a second run is quiet and fast.
set -euo pipefail

packages=(
  build-essential cmake pkg-config git ccache
  # the style check: the formatter and the licence linter
  clang-format reuse
  qt6-base-dev qt6-base-dev-tools libgl-dev
  # the dialogs' modal hint on GNOME: Qt's Wayland handles (private headers), the protocol compiler
  qt6-base-private-dev libwayland-dev libwayland-bin
  libudev-dev
  libglib2.0-dev gsettings-desktop-schemas libx11-dev xvfb dbus-daemon
  libgtest-dev libgmock-dev libbenchmark-dev
  fonts-dejavu-core fonts-liberation2 fonts-noto-cjk
  # scripts/desktop-check.sh: a real X server, a window manager, a notification area, pointer and screen tools;
  # a session bus of its own, gdbus and python3-dbus for the StatusNotifierItem host's menu
  xvfb openbox trayer xdotool x11-apps x11-utils netpbm dbus-daemon libglib2.0-bin python3-dbus python3-gi
  # scripts/wayland-check.sh: headless mutter, KWin and weston, Qt's Wayland platform, PipeWire for
  # mutter's screen cast, KWin's fake-input protocol, python3-dbus for the drivers; xdg-activation for a launcher's token
  weston qt6-wayland mutter kwin-wayland pipewire pipewire-bin wireplumber gstreamer1.0-pipewire
  gstreamer1.0-tools gstreamer1.0-plugins-good gstreamer1.0-plugins-base python3-dbus python3-gi libwayland-dev
  plasma-wayland-protocols wayland-protocols libglib2.0-bin
  # installation checks and the Debian package: validators, manual pages, cpack's dependencies
  desktop-file-utils appstream lintian man-db dpkg-dev file
)
if [ "${VEXO_WITH_FUZZ:-0}" = 1 ]; then
  packages+=(clang libclang-rt-dev)
fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -ne 0 ] && sudo=sudo
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
