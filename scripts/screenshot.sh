#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
#
# SPDX-License-Identifier: MIT

# Builds the utility if needed and photographs its window in the demo mode (simulated mouse):
# docs/screenshot.png (basic page), docs/screenshot-lists.png (a button's function list open with
# the DPI Switch side list) and docs/screenshot-advanced.png (advanced page); through
# scripts/desktop-check.sh also docs/screenshot-no-mouse.png and docs/screenshot-notice.png.
# The window is drawn on Qt's offscreen platform and grabbed, so no display is needed; with
# SCREENSHOT_DISPLAY=xvfb it runs under Xvfb on the xcb platform instead.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${BUILD_DIR:-build}
if [ ! -x "$build/bin/vexo" ] || [ ! -d "$build/bin/Skins" ]; then
  cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
fi
cmake --build "$build" -j2 --target vexo >/dev/null
# The skins and the delivered data files are produced by the full build.
cmake --build "$build" -j2 >/dev/null

mkdir -p docs
# The advanced page is shown with a macro listed: the program's files come from a folder of their
# own (--data) whose record.ini holds two macros.
folder=$(mktemp -d "${TMPDIR:-/tmp}/vexo-screenshot.XXXXXX")
trap 'rm -rf "$folder"' EXIT
cp "$build/bin/config.bin" "$build/bin/str.ini" "$folder/"
printf '%s\r\n' '[Copy and paste]' 'MacroLoopTimes=1' 'ItemCount=11' \
  'Item0=Ctrl   Dn' 'Item1=50 ms' 'Item2=C   Dn' 'Item3=50 ms' 'Item4=C   Up' 'Item5=300 ms' \
  'Item6=V   Dn' 'Item7=50 ms' 'Item8=V   Up' 'Item9=50 ms' 'Item10=Ctrl   Up' \
  '[Double shot]' 'MacroLoopTimes=2' 'ItemCount=3' 'Item0=L-Button   Dn' 'Item1=50 ms' 'Item2=L-Button   Up' \
  > "$folder/record.ini"
shoot() {
  local page=$1 out=$2
  if [ "${SCREENSHOT_DISPLAY:-}" = xvfb ]; then
    xvfb-run -a -s "-screen 0 1280x800x24" env QT_QPA_PLATFORM=xcb \
      "$build/bin/vexo" --simulate --data="$folder" --page="$page" --screenshot="$out"
  else
    QT_QPA_PLATFORM=offscreen "$build/bin/vexo" --simulate --data="$folder" --page="$page" --screenshot="$out"
  fi
  echo "wrote $out"
}
shoot basic docs/screenshot.png
if [ "${SCREENSHOT_DISPLAY:-}" = xvfb ]; then
  xvfb-run -a -s "-screen 0 1280x800x24" env QT_QPA_PLATFORM=xcb "$build/bin/vexo-docshots" docs/screenshot-lists.png
else
  QT_QPA_PLATFORM=offscreen "$build/bin/vexo-docshots" docs/screenshot-lists.png
fi
echo "wrote docs/screenshot-lists.png"
shoot advanced docs/screenshot-advanced.png
# The window without a mouse and a notice beside the icon need a real X server with a notification area.
DESKTOP_CHECK_SHOTS=1 BUILD_DIR="$build" scripts/desktop-check.sh both >/dev/null
echo "wrote docs/screenshot-no-mouse.png docs/screenshot-notice.png"
