#!/usr/bin/env bash
# The program on the real Linux HID path (uhid -> HID core -> hidraw -> udev -> hidapi) in a small
# Debian 12 virtual machine, with the project's own checks (tests/kernel_path/guest-test.sh) in
# both orders of the mouse's two interfaces.
#   scripts/kernel-path-check.sh [BUILD_DIR]      default: build (needs bin/vexoctl, vexo-sim, vexo)
# Reuses the uhid-vm tool of the shared folder beside the repository (../shared/tools/uhid-vm, or
# UHID_VM_TOOL), which makes the VM image once and keeps it in UHID_VM_CACHE (here by default
# /var/cache/vexo-uhid-vm, outside the repository, so later runs need neither network nor minutes).
# Exit status 0 when every check passed, 1 when one failed or the VM gave no result. Where this
# machine cannot run the VM at all (not root, not Debian, no tool, no image and no mirror), it says
# so in one line starting "kernel-path check: NOT RUN" and exits 0, so that the tests go on.
set -uo pipefail
cd "$(dirname "$0")/.."
repo=$PWD
build=$(cd "${1:-build}" 2>/dev/null && pwd) || { echo "kernel-path check: no build folder '${1:-build}'" >&2; exit 1; }
tool=${UHID_VM_TOOL:-$repo/../shared/tools/uhid-vm}
export UHID_VM_CACHE=${UHID_VM_CACHE:-/var/cache/vexo-uhid-vm}
# Under software emulation a whole run takes four to nine minutes (more on a loaded machine); the
# limit only stops a hang.
export UHID_VM_TIMEOUT=${UHID_VM_TIMEOUT:-900}

not_run() {
    echo "kernel-path check: NOT RUN on this machine: $*"
    exit 0
}
[ -x "$tool/run.sh" ] || not_run "no uhid-vm tool at $tool"
[ "$(id -u)" -eq 0 ] || not_run "it needs root (debootstrap, apt-get, the VM's image)"
grep -qs 'VERSION_CODENAME=bookworm' /etc/os-release || not_run "the VM tool needs a Debian 12 host"
for exe in vexoctl vexo-sim vexo; do
    [ -x "$build/bin/$exe" ] || { echo "kernel-path check: $build/bin/$exe is missing" >&2; exit 1; }
done

# The tool's own boot and image, with this project's checks in place of its sample test.
stage=$(mktemp -d /tmp/vexo-kernel-path.XXXXXX)
trap 'rm -rf "$stage"' EXIT
ln -s "$tool/run.sh" "$tool/guest-init.sh" "$tool/hid-enum.c" "$stage/"
cp tests/kernel_path/guest-test.sh "$stage/guest-test.sh"

echo "kernel-path check: VM image in $UHID_VM_CACHE$([ -f "$UHID_VM_CACHE/ready" ] || echo ' (making it first: a few minutes)')"
log="$stage/run.log"
status=0
nice -n 10 "$stage/run.sh" "$build" >"$log" 2>&1 || status=$?
cat "$log"
case $status in
0) echo "kernel-path check: every check passed in both interface orders" ;;
1) echo "kernel-path check: FAILED (see the FAIL lines above)"; exit 1 ;;
*)
    # Only a VM that could not be made or started counts as a machine that cannot run it; a VM
    # that ran and gave no result (a hang until the time limit) is a failure of the program.
    if grep -qE 'debootstrap failed|installing .*qemu' "$log" && ! [ -f "$UHID_VM_CACHE/ready" ]; then
        not_run "the VM image could not be made (no Debian mirror?): $(grep -m1 'debootstrap failed' "$log")"
    fi
    if ! grep -q 'uhid-vm: booting' "$log"; then
        not_run "the VM tool stopped before booting (status $status): $(tail -n1 "$log")"
    fi
    echo "kernel-path check: FAILED: the VM gave no result (status $status)"
    exit 1
    ;;
esac
