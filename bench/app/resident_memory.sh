#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
#
# SPDX-License-Identifier: MIT

# Resident memory of the utility behind its notification-area icon, side by side with the bare
# tray program (bench/app/bare_tray.cpp), on one Xvfb with trayer as the notification area. Each pair
# starts the bare program, then `vexo --simulate` as at login (no --show), in turn, and reads
# VmRSS (with its anonymous and file-backed parts) once each is steady:
#   bare       the bare tray program
#   bare+notice  the same showing, once its icon is placed, the notice a start with a mouse shows
#   hidden     vexo after the start at login
#   shown      vexo after a second start with --show brought the window up
#   rehidden   vexo after Esc hid the window again
#   bench/app/resident_memory.sh [PAIRS] [BUILD_DIR]      defaults: 10, build
# Needs Xvfb, trayer and xdotool (scripts/deps.sh).
set -euo pipefail
cd "$(dirname "$0")/../.."
pairs=${1:-10}
build=$(realpath "${2:-build}")

me=resident_memory.sh
# shellcheck source=bench/app/tray_display.sh
source bench/app/tray_display.sh

# "rss anon file" in KiB of a process.
rss() {
  awk '/^VmRSS:/ {r=$2} /^RssAnon:/ {a=$2} /^RssFile:/ {f=$2} /^RssShmem:/ {s=$2} END {print r, a, f + s}' \
    "/proc/$1/status"
}

for row in bare bare+notice hidden shown rehidden; do : >"$work/$row"; done
for i in $(seq "$pairs"); do
  "$build/bin/vexo_bare_tray" &
  bare=$!
  sleep "$settle"
  rss "$bare" >>"$work/bare"
  kill "$bare"; wait "$bare" 2>/dev/null || true
  "$build/bin/vexo_bare_tray" --notice &
  bare=$!
  sleep "$settle"
  rss "$bare" >>"$work/bare+notice"
  kill "$bare"; wait "$bare" 2>/dev/null || true

  "$install/vexo" --simulate 2>/dev/null &
  vexo=$!
  sleep "$settle"
  rss "$vexo" >>"$work/hidden"
  "$install/vexo" --simulate --show 2>/dev/null
  sleep 2
  window_shown "$vexo" || echo "pair $i: the window did not come up" >&2
  rss "$vexo" >>"$work/shown"
  xdotool key Escape  # the window has the focus: Esc hides it as OK and Cancel do
  sleep 2
  ! window_shown "$vexo" || echo "pair $i: the window did not hide" >&2
  rss "$vexo" >>"$work/rehidden"
  kill -TERM "$vexo"; wait "$vexo" 2>/dev/null || true
  echo "pair $i: bare $(tail -1 "$work/bare" | cut -d' ' -f1) KiB, with the notice $(tail -1 "$work/bare+notice" | cut -d' ' -f1), vexo hidden $(tail -1 "$work/hidden" | cut -d' ' -f1)," \
    "shown $(tail -1 "$work/shown" | cut -d' ' -f1), hidden again $(tail -1 "$work/rehidden" | cut -d' ' -f1)"
done

median() { sort -n | awk '{v[NR]=$1} END {print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2}'; }
col() { cut -d' ' -f"$2" "$work/$1" | median; }
echo
echo "medians of $pairs pairs on Xvfb with trayer (MiB; anonymous and file-backed parts of RSS):"
bare=$(col bare 1)
for what in bare bare+notice hidden shown rehidden; do
  awk -v n="$what" -v r="$(col "$what" 1)" -v a="$(col "$what" 2)" -v f="$(col "$what" 3)" -v b="$bare" \
    'BEGIN {printf "  %-11s RSS %6.1f  anon %5.1f  file %5.1f   x bare %.2f\n", n, r / 1024, a / 1024, f / 1024, r / b}'
done
awk -v h="$(col hidden 1)" -v r="$(col rehidden 1)" -v n="$(col bare+notice 1)" \
  'BEGIN {printf "hidden at login / bare+notice: %.2f\nhidden again / bare+notice: %.2f\nhidden again / hidden at login: %.2f\n", h / n, r / n, r / h}'
