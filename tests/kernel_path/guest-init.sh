#!/bin/sh

# SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
#
# SPDX-License-Identifier: MIT

# Started inside the VM by its PID 1 (/sbin/vexo-vm-init, baked into the image by make-image.sh) once the
# run folder is mounted at /mnt/run: mounts the build folder, starts udev, loads the HID modules,
# runs guest-test.sh, and returns (PID 1 then powers the VM off).
set -u
RUN=/mnt/run
. "$RUN/env" # BUILD=the build folder's path, the same inside as on the host
export RUN BUILD PATH=/usr/sbin:/usr/bin:/sbin:/bin LANG=C.UTF-8

mountpoint -q /run || mount -t tmpfs -o mode=0755 tmpfs /run
mountpoint -q /tmp || mount -t tmpfs -o mode=1777 tmpfs /tmp
mkdir -p /dev/pts /dev/shm
mountpoint -q /dev/pts || mount -t devpts devpts /dev/pts
mountpoint -q /dev/shm || mount -t tmpfs tmpfs /dev/shm
mkdir -p "$BUILD"
mount -t 9p -o trans=virtio,version=9p2000.L,msize=262144,ro build "$BUILD" || echo "guest-init: cannot mount the build folder"
hostname vexo-vm

# The project's rule, where cmake --install would put it.
install -D -m 0644 "$RUN/70-vexo-t58.rules" /usr/lib/udev/rules.d/70-vexo-t58.rules
/lib/systemd/systemd-udevd --daemon
udevadm trigger --action=add
udevadm settle -t 30
for m in uhid hid_generic; do modprobe "$m" || echo "guest-init: modprobe $m failed"; done
udevadm settle -t 30

bash "$RUN/guest-test.sh" 2>&1 | tee "$RUN/results.txt"
udevadm control --exit 2>/dev/null
sync
