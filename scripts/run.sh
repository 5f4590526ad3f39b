#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
#
# SPDX-License-Identifier: MIT

# Installs what is missing, builds, and shows the product against the simulated mouse: the window
# in demo mode where there is a display, otherwise what `vexoctl --simulate info` prints and where
# the screenshots of the window are.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
  cmake --build build -j"$(nproc)" --target vexo vexo_settings_files vexo_skins
  echo "Starting the window in demo mode (build/bin/vexo --simulate --show); end it with its close button."
  exec build/bin/vexo --simulate --show
fi
cmake --build build -j"$(nproc)" --target vexoctl
build/bin/vexoctl --simulate info
echo
echo "No display here, so the window is not started. Pictures of it (also shown in README.md):"
for picture in docs/screenshot*.png; do
  echo "  $PWD/$picture"
done
echo "With a display, scripts/run.sh starts it in demo mode (build/bin/vexo --simulate --show)."
