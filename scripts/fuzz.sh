#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
#
# SPDX-License-Identifier: MIT

# Builds the libFuzzer targets with clang in their own build folder and runs one of them.
#   scripts/fuzz.sh [SECONDS] [TARGET]     defaults: 300 seconds, device_fuzzer
# The corpus grows in fuzz-corpus/TARGET; crashes land in fuzz-artifacts/ and end the run. So does
# an input that takes longer than FUZZ_TIMEOUT seconds (default 10): a hang is a fault like a crash.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-300}
target=${2:-device_fuzzer}
timeout=${FUZZ_TIMEOUT:-10}
VEXO_WITH_FUZZ=1 scripts/deps.sh

CC=clang CXX=clang++ cmake -S . -B fuzz-build -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DVEXO_FUZZ=ON -DVEXO_BUILD_UI=OFF -DVEXO_BUILD_TESTS=OFF -DVEXO_BUILD_BENCH=OFF >/dev/null
cmake --build fuzz-build -j2 --target "$target"

mkdir -p "fuzz-corpus/$target" fuzz-artifacts
# Undefined behaviour counts as a crash, not as a warning in the log.
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
# Seeds kept in the repository (tests/fuzz/corpus_NAME for fuzz_NAME) are read along with the corpus.
seeds=()
[ -d "tests/fuzz/corpus_${target#fuzz_}" ] && seeds=("tests/fuzz/corpus_${target#fuzz_}")
# One worker: the machine is shared. -print_final_stats gives the executions and the coverage.
"fuzz-build/bin/$target" "fuzz-corpus/$target" "${seeds[@]}" -max_total_time="$seconds" -max_len=4096 \
  -timeout="$timeout" -artifact_prefix=fuzz-artifacts/ -print_final_stats=1
