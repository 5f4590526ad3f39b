#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
#
# SPDX-License-Identifier: MIT

# Builds the skin generator and writes review pictures of every default skin into
# build/skin-preview/: <skin>-basic.png, -advanced.png, -dialogs.png, -parts.png and -sheet.png
# (both pages and every dialog composited with their buttons and sample texts).
set -euo pipefail
cd "$(dirname "$0")/.."
[ -f build/CMakeCache.txt ] || cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j2 --target vexo-skingen
mkdir -p build/skin-preview
for skin in Black Blue; do
  build/bin/vexo-skingen --preview "$skin" "build/skin-preview/${skin,,}"
done
ls build/skin-preview
