#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
#
# SPDX-License-Identifier: MIT

# Installs what is missing, builds the whole project twice (normal, and with AddressSanitizer and
# UndefinedBehaviorSanitizer) and runs every test suite in both builds.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
jobs=$(nproc)

echo "== style (formatting and licence information)"
scripts/check-style.sh

echo "== normal build"
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$jobs"
(cd build && ctest --output-on-failure -j"$jobs")

echo "== the window on a real X server: bare, Openbox with trayer, vexoctl and the icon's menu (about 1 minute)"
scripts/desktop-check.sh all

echo "== sanitizer build"
cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DVEXO_SANITIZE=ON -DVEXO_BUILD_BENCH=OFF >/dev/null
cmake --build build-asan -j"$jobs"
# Leak checking stays on for our code; Qt's platform plugins keep a few allocations for the process
# lifetime, which the suppressions file names.
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:strict_string_checks=1"
export LSAN_OPTIONS="suppressions=$PWD/scripts/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
(cd build-asan && ctest --output-on-failure -j"$jobs")

echo "== kernel path (a VM with the real HID stack, both interface orders)"
scripts/kernel-path-check.sh build

echo "== Wayland compositors (headless mutter, KWin and weston; 60-75 s here)"
scripts/wayland-check.sh all
