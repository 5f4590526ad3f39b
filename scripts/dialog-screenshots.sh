#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
#
# SPDX-License-Identifier: MIT

# Builds the utility's dialog photographer if needed and renews docs/dialogs.png: the seven
# key-assignment dialogs of the Black skin in English. With Xvfb installed they are photographed
# from a real X server (xcb platform); otherwise they are rendered on Qt's offscreen platform.
# SHOTS_DIR=folder also keeps every dialog of every delivered skin in every language there.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${BUILD_DIR:-build}
[ -f "$build/CMakeCache.txt" ] || cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j2 --target vexo-dialog-shots vexo_skins >/dev/null

run() {
  if command -v xvfb-run >/dev/null; then
    xvfb-run -a -s "-screen 0 1280x800x24" env QT_QPA_PLATFORM=xcb "$build/bin/vexo-dialog-shots" "$@"
  else
    QT_QPA_PLATFORM=offscreen "$build/bin/vexo-dialog-shots" "$@"
  fi
}
mkdir -p docs
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
run "$build/bin/Skins/Black" "$tmp/black" EN
cp "$tmp/black-sheet.png" docs/dialogs.png
echo "wrote docs/dialogs.png"
if [ -n "${SHOTS_DIR:-}" ]; then
  mkdir -p "$SHOTS_DIR"
  for skin in "$build"/bin/Skins/*/; do
    name=$(basename "$skin")
    for language in EN CHS CHT; do run "$skin" "$SHOTS_DIR/$name-$language" "$language"; done
  done
  echo "wrote $SHOTS_DIR"
fi
