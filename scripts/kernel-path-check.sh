#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
#
# SPDX-License-Identifier: MIT

# The program on the real Linux HID path (uhid -> HID core -> hidraw -> udev) in a small Debian 12
# virtual machine, with the project's own checks (tests/kernel_path/guest-test.sh) in both orders
# of the mouse's two interfaces, and many rounds of fast replugs under a watching vexoctl and
# under the window.
#   scripts/kernel-path-check.sh [BUILD_DIR]      default: build (needs bin/vexoctl, vexo-sim, vexo)
# The VM harness is tests/kernel_path/ (make-image.sh, run-vm.sh, guest-init.sh, list-nodes.c).
# The image is made once and kept in KERNEL_PATH_CACHE (default /var/cache/vexo-uhid-vm, outside
# the repository), so later runs need neither network nor minutes.
# Exit status 0 when every check passed, 1 when one failed or the VM gave no result. Where this
# machine cannot run the VM at all (not root, not Debian 12, no image and no mirror), it says so in
# one line starting "kernel-path check: NOT RUN" and exits 0, so that the tests go on.
set -uo pipefail
cd "$(dirname "$0")/.."
build=$(cd "${1:-build}" 2>/dev/null && pwd) || { echo "kernel-path check: no build folder '${1:-build}'" >&2; exit 1; }
harness=$PWD/tests/kernel_path
export KERNEL_PATH_CACHE=${KERNEL_PATH_CACHE:-/var/cache/vexo-uhid-vm}
# Under software emulation a whole run takes six to eight minutes, twice that on a loaded machine; the
# limit only stops a hang.
export KERNEL_PATH_TIMEOUT=${KERNEL_PATH_TIMEOUT:-1500}

not_run() {
    echo "kernel-path check: NOT RUN on this machine: $*"
    exit 0
}
[ "$(id -u)" -eq 0 ] || not_run "it needs root (debootstrap, apt-get, the VM's image)"
grep -qs 'VERSION_CODENAME=bookworm' /etc/os-release || not_run "the VM needs a Debian 12 host"
for exe in vexoctl vexo-sim vexo; do
    [ -x "$build/bin/$exe" ] || { echo "kernel-path check: $build/bin/$exe is missing" >&2; exit 1; }
done

echo "kernel-path check: VM image in $KERNEL_PATH_CACHE$([ -f "$KERNEL_PATH_CACHE/ready" ] || echo ' (making it first: a few minutes)')"
log=$(mktemp /tmp/vexo-kernel-path.XXXXXX.log)
trap 'rm -f "$log"' EXIT
start=$(date +%s)
status=0
nice -n 10 "$harness/run-vm.sh" "$build" >"$log" 2>&1 || status=$?
cat "$log"
echo "kernel-path check: the VM step took $(($(date +%s) - start)) s"
case $status in
0) echo "kernel-path check: every check passed in both interface orders" ;;
1) echo "kernel-path check: FAILED (see the FAIL lines above)"; exit 1 ;;
*)
    # Only a VM that could not be made or started counts as a machine that cannot run it; a VM
    # that ran and gave no result (a hang until the time limit) is a failure of the program.
    if grep -qE 'debootstrap failed|installing .*qemu|Unable to locate package|Could not resolve' "$log" &&
        ! [ -f "$KERNEL_PATH_CACHE/ready" ]; then
        not_run "the VM image could not be made (no Debian mirror?): $(grep -m1 -E 'debootstrap failed|Unable to locate|Could not resolve' "$log")"
    fi
    if ! grep -q 'kernel-path vm: booting' "$log"; then
        not_run "the VM harness stopped before booting (status $status): $(tail -n1 "$log")"
    fi
    echo "kernel-path check: FAILED: the VM gave no result (status $status)"
    exit 1
    ;;
esac
