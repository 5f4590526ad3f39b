#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
#
# SPDX-License-Identifier: MIT

# Fails when a C++ file the project owns is not formatted as .clang-format says, or when a file
# lacks its copyright and licence information (REUSE).
set -euo pipefail
cd "$(dirname "$0")/.."
mapfile -t sources < <(git ls-files '*.cpp' '*.h')
if ! clang-format --dry-run -Werror "${sources[@]}" 2>/tmp/vexo-format.$$; then
    grep -E '^[^ ].*: (error|warning):' /tmp/vexo-format.$$ | cut -d: -f1 | sort -u | sed 's/^/not formatted: /'
    rm -f /tmp/vexo-format.$$
    echo "style: run clang-format -i on the files above" >&2
    exit 1
fi
rm -f /tmp/vexo-format.$$
echo "style: ${#sources[@]} C++ files formatted"
reuse lint >/tmp/vexo-reuse.$$ 2>&1 || { cat /tmp/vexo-reuse.$$; rm -f /tmp/vexo-reuse.$$; exit 1; }
rm -f /tmp/vexo-reuse.$$
echo "style: REUSE compliant"
