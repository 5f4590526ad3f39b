#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
#
# SPDX-License-Identifier: MIT

# Counts the context switches of every thread of `vexoctl --simulate watch --no-script` while it
# waits with nothing happening: the input thread blocked on the notification read, the main thread
# in poll() on the hot-plug and signal descriptors. A process without periodic wake-ups shows no
# switches at all over the window.
#   bench/idle_wakeups.sh [SECONDS] [BUILD_DIR]      defaults: 10, build
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-10}
build=${2:-build}

"$build/bin/vexoctl" --simulate watch --no-script >/dev/null &
pid=$!
trap 'kill -INT $pid 2>/dev/null || true' EXIT
sleep 1 # let it settle: open, handshake, thread started

snapshot() {
  for status in /proc/"$pid"/task/*/status; do
    awk -v task="$(basename "$(dirname "$status")")" \
      '/^Name:/ {name=$2} /^voluntary_ctxt_switches/ {v=$2} /^nonvoluntary_ctxt_switches/ {n=$2}
       END {print task, name, v, n}' "$status"
  done | sort
}

before=$(snapshot)
sleep "$seconds"
after=$(snapshot)

echo "threads of pid $pid over ${seconds}s (task name voluntary nonvoluntary: before -> after)"
join <(echo "$before") <(echo "$after") | awk '{
  dv = $6 - $3; dn = $7 - $4; total += dv + dn
  printf "  task %s %s: voluntary %d -> %d (+%d), nonvoluntary %d -> %d (+%d)\n", $1, $2, $3, $6, dv, $4, $7, dn
} END { printf "wake-ups while idle: %d\n", total }'

kill -INT "$pid"
wait "$pid"
status=$?
trap - EXIT
echo "vexoctl ended with status $status after SIGINT"
