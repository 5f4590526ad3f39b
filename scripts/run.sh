#!/usr/bin/env bash
# Installs what is missing, builds, and shows the program's main job against the simulated mouse.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)" --target vexoctl
build/bin/vexoctl --simulate info
