#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
#
# SPDX-License-Identifier: MIT

# Makes (once) the small Debian 12 image the kernel-path check boots: the stock kernel and its
# initramfs (hid, uhid and hid-generic are modules there, hidraw is built in), udev, the Qt 6
# runtime the window needs, fonts, and eu-stack for the stacks of a hung program.
#   make-image.sh CACHE_DIR
# CACHE_DIR then holds vmlinuz, initrd.img, rootfs.img and "ready" (the recipe number). Installs
# qemu-system-x86, debootstrap and e2fsprogs with apt-get when they are missing. Debian 12 host,
# as root. Exit status 0 when the image is there, 2 when it could not be made.
set -euo pipefail
[ $# -eq 1 ] || { echo "usage: $0 CACHE_DIR" >&2; exit 64; }
cache=$1
# Bump when the recipe below changes, so that an older cached image is made anew.
recipe=5
packages=linux-image-amd64,udev,kmod,procps,libudev1,libqt6core6,libqt6gui6,libqt6widgets6,libqt6dbus6,fonts-dejavu-core,fonts-liberation2,elfutils

missing=()
for tool in qemu-system-x86_64:qemu-system-x86 debootstrap:debootstrap mkfs.ext4:e2fsprogs; do
    command -v "${tool%%:*}" >/dev/null || missing+=("${tool#*:}")
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "kernel-path vm: installing ${missing[*]}"
    apt-get update -qq
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

[ "$(cat "$cache/ready" 2>/dev/null)" = "$recipe" ] && exit 0
echo "kernel-path vm: making the Debian 12 image in $cache (once; a few minutes)"
rm -rf "$cache"
mkdir -p "$cache"
mirror=$(grep -h '^URIs' /etc/apt/sources.list.d/debian.sources 2>/dev/null | head -n1 | awk '{print $2}')
if ! debootstrap --variant=minbase --include="$packages" bookworm "$cache/rootfs" \
    "${mirror:-http://deb.debian.org/debian}" >"$cache/debootstrap.log" 2>&1; then
    tail -n 20 "$cache/debootstrap.log" >&2
    echo "kernel-path vm: debootstrap failed; see $cache/debootstrap.log" >&2
    exit 2
fi
# PID 1 of the VM: mounts the run folder the host shares and hands over to its guest-init.sh, so
# that changing the checks needs no new image.
cat >"$cache/rootfs/sbin/vexo-vm-init" <<'INIT'
#!/bin/sh
PATH=/usr/sbin:/usr/bin:/sbin:/bin
export PATH
mountpoint -q /proc || mount -t proc proc /proc
mountpoint -q /sys || mount -t sysfs sysfs /sys
mountpoint -q /dev || mount -t devtmpfs devtmpfs /dev
modprobe 9pnet_virtio
modprobe 9p
mkdir -p /mnt/run
if mount -t 9p -o trans=virtio,version=9p2000.L,msize=262144 run /mnt/run && [ -f /mnt/run/guest-init.sh ]; then
    sh /mnt/run/guest-init.sh
else
    echo "vexo-vm-init: the host shared no run folder"
fi
sync
echo o >/proc/sysrq-trigger
sleep 60
INIT
chmod 0755 "$cache/rootfs/sbin/vexo-vm-init"
cp "$(ls "$cache"/rootfs/boot/vmlinuz-* | tail -n1)" "$cache/vmlinuz"
cp "$(ls "$cache"/rootfs/boot/initrd.img-* | tail -n1)" "$cache/initrd.img"
rm -rf "$cache/rootfs/var/cache/apt/archives/"*.deb
size_mb=$(($(du -sm "$cache/rootfs" | cut -f1) * 3 / 2 + 256))
mkfs.ext4 -q -F -L vexovm -d "$cache/rootfs" "$cache/rootfs.img" "${size_mb}M"
rm -rf "$cache/rootfs"
echo "$recipe" >"$cache/ready"
