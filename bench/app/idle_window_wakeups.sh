#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
#
# SPDX-License-Identifier: MIT

# Wake-ups of the utility while nothing happens, in each state it idles in, on Xvfb with trayer as
# the notification area: the context switches of all its threads over a window of SECONDS.
#   hidden     `vexo --simulate` after a start at login, once its start-up notice has gone
#   basic      the same after a second start with --show brought the window up (the basic page)
#   rehidden   the same after Esc hid the window again
#   advanced   a fresh `vexo --simulate --show --page=advanced`
# A program without timers or polling shows 0 in every row.
#   bench/app/idle_window_wakeups.sh [SECONDS] [BUILD_DIR]      defaults: 10, build
# Needs Xvfb, trayer and xdotool (scripts/deps.sh).
set -euo pipefail
cd "$(dirname "$0")/../.."
seconds=${1:-10}
build=$(realpath "${2:-build}")

me=idle_window_wakeups.sh
# shellcheck source=bench/app/tray_display.sh
source bench/app/tray_display.sh

# Voluntary and involuntary context switches of all threads of a process, summed.
switches() {
  cat /proc/"$1"/task/*/status 2>/dev/null | awk '/^(non)?voluntary_ctxt_switches:/ {s += $2} END {print s + 0}'
}
threads() { find /proc/"$1"/task -mindepth 1 -maxdepth 1 | wc -l; }
# Prints one row: the switches of pid over the window.
idle_row() {
  local before after
  before=$(switches "$2")
  sleep "$seconds"
  after=$(switches "$2")
  printf '  %-9s %3d switches in %s s (%d threads)\n' "$1" $((after - before)) "$seconds" "$(threads "$2")"
}

echo "context switches of every thread of vexo --simulate with nothing happening:"
"$install/vexo" --simulate 2>/dev/null &
vexo=$!
pids+=("$vexo")
sleep "$settle"
idle_row hidden "$vexo"
"$install/vexo" --simulate --show 2>/dev/null
sleep 2
window_shown "$vexo" || echo "idle_window_wakeups.sh: the window did not come up" >&2
idle_row basic "$vexo"
xdotool key Escape # the window has the focus: Esc hides it as OK and Cancel do
sleep 2
! window_shown "$vexo" || echo "idle_window_wakeups.sh: the window did not hide" >&2
idle_row rehidden "$vexo"
kill -TERM "$vexo"
wait "$vexo" 2>/dev/null || true

"$install/vexo" --simulate --show --page=advanced 2>/dev/null &
vexo=$!
pids+=("$vexo")
sleep "$settle"
window_shown "$vexo" || echo "idle_window_wakeups.sh: the window did not come up" >&2
idle_row advanced "$vexo"
kill -TERM "$vexo"
wait "$vexo" 2>/dev/null || true
