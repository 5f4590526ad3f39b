#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
#
# SPDX-License-Identifier: MIT

# Runs every libFuzzer target one after another for the same time each, and sums up what they did.
#   scripts/fuzz-all.sh [SECONDS]          default: 300 seconds per target
# Builds them with clang in fuzz-build (scripts/fuzz.sh does the same for one target). Each target's
# corpus grows in fuzz-corpus/TARGET; crashes land in fuzz-artifacts/. One worker at a time: the
# machine is shared. Ends with one line per target (executions, coverage, findings) and exit status
# 1 when any target found a crash, a leak or a time-out.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-300}
VEXO_WITH_FUZZ=1 scripts/deps.sh

CC=clang CXX=clang++ cmake -S . -B fuzz-build -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DVEXO_FUZZ=ON -DVEXO_BUILD_UI=OFF -DVEXO_BUILD_TESTS=OFF -DVEXO_BUILD_BENCH=OFF >/dev/null
# Every target the fuzz folder declares, so that a new one is never left out.
mapfile -t targets < <(sed -n 's/^add_executable(\([a-z_]*\) .*/\1/p' tests/fuzz/CMakeLists.txt)
cmake --build fuzz-build -j2 --target "${targets[@]}"

export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
mkdir -p fuzz-artifacts fuzz-build/logs
summary=()
found=0
for target in "${targets[@]}"; do
  mkdir -p "fuzz-corpus/$target"
  seeds=()
  [ -d "tests/fuzz/corpus_${target#fuzz_}" ] && seeds+=("tests/fuzz/corpus_${target#fuzz_}")
  dict=()
  [ -f "tests/fuzz/${target#fuzz_}.dict" ] && dict+=("-dict=tests/fuzz/${target#fuzz_}.dict")
  log="fuzz-build/logs/$target.log"
  echo "== $target: ${seconds}s (log: $log)"
  status=0
  "fuzz-build/bin/$target" "fuzz-corpus/$target" "${seeds[@]}" "${dict[@]}" -max_total_time="$seconds" \
    -max_len=4096 -artifact_prefix="fuzz-artifacts/$target-" -print_final_stats=1 >"$log" 2>&1 || status=$?
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n1)
  cov=$(grep -o 'cov: [0-9]*' "$log" | tail -n1 | cut -d' ' -f2)
  if [ "$status" -ne 0 ]; then
    found=1
    finding=$(grep -m1 -E 'ERROR: |SUMMARY: |deadly signal|timeout' "$log" || echo "exit status $status")
  else
    finding=none
  fi
  summary+=("$target: runs ${runs:-?}, coverage ${cov:-?} edges, findings: $finding")
done
echo
echo "== fuzzing, ${seconds}s per target"
printf '%s\n' "${summary[@]}"
exit "$found"
