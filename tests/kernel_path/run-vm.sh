#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
#
# SPDX-License-Identifier: MIT

# Boots the kernel-path VM once and runs guest-test.sh in it against a build of the project.
#   run-vm.sh BUILD_DIR
# Makes the image first when needed (make-image.sh, into $KERNEL_PATH_CACHE), boots it with a
# throw-away overlay (the image never changes), shares BUILD_DIR read-only and a run folder
# read-write over 9p, and powers off. Prints the guest's log; exit status 0 when every check
# passed, 1 when one failed, 2 when the VM gave no result, 64 for a usage error. The run folder
# (log, console, traces, screenshots) is kept and named at the end.
#
# Environment: KERNEL_PATH_CACHE (image folder, default /var/cache/vexo-uhid-vm), KERNEL_PATH_TIMEOUT
# (seconds for the whole VM, default 300 with KVM, 900 without), KERNEL_PATH_ACCEL (kvm or tcg;
# default: kvm when a probe boot under KVM works, else tcg). Debian 12 host, as root.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
[ $# -eq 1 ] || { echo "usage: $0 BUILD_DIR" >&2; exit 64; }
build=$(cd "$1" && pwd)
for exe in vexoctl vexo-sim vexo; do
    [ -x "$build/bin/$exe" ] || { echo "kernel-path vm: $build/bin/$exe is missing (cmake --build $build --target $exe)" >&2; exit 64; }
done
[ "$(id -u)" -eq 0 ] || { echo "kernel-path vm: run as root (debootstrap and apt-get need it)" >&2; exit 64; }
rules="$here/../../data/70-vexo-t58.rules"
[ -f "$rules" ] || { echo "kernel-path vm: no udev rule at $rules" >&2; exit 64; }

cache=${KERNEL_PATH_CACHE:-/var/cache/vexo-uhid-vm}
"$here/make-image.sh" "$cache"

# --- the run folder -----------------------------------------------------------------------------
run=$(mktemp -d /tmp/vexo-kernel-path-run.XXXXXX)
cp "$here/guest-init.sh" "$here/guest-test.sh" "$rules" "$run/"
printf 'BUILD=%q\n' "$build" >"$run/env"
# udev's own view of the nodes, where this machine can build it (the guest has the library).
if command -v cc >/dev/null && pkg-config --exists libudev 2>/dev/null; then
    cc -O2 -o "$run/list-nodes" "$here/list-nodes.c" $(pkg-config --cflags --libs libudev) || true
fi

# --- boot ---------------------------------------------------------------------------------------
# KVM only where it really boots this kernel: a /dev/kvm can be there and still fail (a nested
# hypervisor that refuses an MSR, or one that runs only its own kind of guest kernel). The probe
# boots the kernel without a root file system; it must reach its "unable to mount root" panic.
kvm_boots() { # kvm_boots CPU
    local log=$run/kvm-probe.log
    (timeout -k 5 "${KERNEL_PATH_PROBE_TIMEOUT:-20}" qemu-system-x86_64 -accel kvm -cpu "$1" -smp 1 -m 256 \
        -display none -monitor none -serial "file:$log" -no-reboot -nic none \
        -kernel "$cache/vmlinuz" -append "console=ttyS0 panic=-1" </dev/null >"$run/kvm-probe.qemu.log" 2>&1 || true) 2>/dev/null
    grep -q 'Kernel panic' "$log" 2>/dev/null
}
accel=${KERNEL_PATH_ACCEL:-}
cpu=max
if [ "$accel" != tcg ] && [ -r /dev/kvm ] && [ -w /dev/kvm ]; then
    for candidate in host host,-arch-capabilities; do
        if kvm_boots "$candidate"; then
            accel=kvm cpu=$candidate
            break
        fi
        echo "kernel-path vm: KVM with -cpu $candidate does not boot the kernel: $(head -n1 "$run/kvm-probe.qemu.log")$(tail -n1 "$run/kvm-probe.log" 2>/dev/null | tr -d '\r')"
        grep -q 'failed to set MSR' "$run/kvm-probe.qemu.log" || break
    done
fi
if [ "$accel" != kvm ]; then
    [ "${KERNEL_PATH_ACCEL:-}" = kvm ] && { echo "kernel-path vm: KERNEL_PATH_ACCEL=kvm, but KVM does not work here" >&2; exit 2; }
    accel=tcg cpu=max
fi
limit=${KERNEL_PATH_TIMEOUT:-$([ $accel = kvm ] && echo 300 || echo 900)}
echo "kernel-path vm: booting with $accel (-cpu $cpu, limit ${limit}s); run folder $run"
start=$(date +%s)
status=0
timeout -k 10 "$limit" qemu-system-x86_64 \
    -accel "$accel" -cpu "$cpu" -smp 2 -m 1024 \
    -display none -monitor none -serial "file:$run/console.log" -no-reboot \
    -kernel "$cache/vmlinuz" -initrd "$cache/initrd.img" \
    -append "root=/dev/vda rw init=/sbin/vexo-vm-init console=ttyS0 panic=-1 quiet loglevel=4" \
    -drive "file=$cache/rootfs.img,if=virtio,format=raw,snapshot=on" \
    -virtfs "local,path=$build,mount_tag=build,security_model=none,readonly=on" \
    -virtfs "local,path=$run,mount_tag=run,security_model=none" \
    -nic none </dev/null >"$run/qemu.log" 2>&1 || status=$?
seconds=$(($(date +%s) - start))

# --- results ------------------------------------------------------------------------------------
if [ ! -s "$run/results.txt" ]; then
    echo "kernel-path vm: the VM gave no result (qemu status $status after ${seconds}s)" >&2
    tail -n 30 "$run/qemu.log" "$run/console.log" >&2 2>/dev/null || true
    exit 2
fi
cat "$run/results.txt"
echo
echo "kernel-path vm: accel=$accel, VM ran ${seconds}s (qemu status $status); log, console and traces in $run"
summary=$(tail -n1 "$run/results.txt")
case "$summary" in
"RESULT: "*" passed, 0 failed") exit 0 ;;
"RESULT: "*) exit 1 ;;
*)
    echo "kernel-path vm: the test did not finish (time limit?); see $run/console.log" >&2
    exit 2
    ;;
esac
