#!/bin/bash

# SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
#
# SPDX-License-Identifier: MIT

# The project's checks on the real kernel HID path, run inside the kernel-path virtual machine as root
# (scripts/kernel-path-check.sh puts this file where the VM's init starts it). Drives vexo-sim
# through /dev/uhid and runs vexoctl and the window against the kernel's hidraw nodes, once with
# each order of the mouse's two interfaces, then replugs the mouse fast, many times over, under a
# watching vexoctl and under the window (STRESS_ROUNDS rounds of ten). Prints a readable log; the last line is
# "RESULT: N passed, M failed". Needs BUILD (the build folder, mounted read-only) and RUN (the run
# folder shared with the host, writable) in the environment.
set -u
B="$BUILD/bin"
W=/tmp/w
mkdir -p "$W" "$RUN/artifacts"
pass=0
fail=0
VID_PID='0003:000004D9:0000A09F'

ok() { echo "  PASS: $*"; pass=$((pass + 1)); }
bad() { echo "  FAIL: $*"; fail=$((fail + 1)); }
check() { # check "what" COMMAND...: PASS when COMMAND succeeds
    local what=$1
    shift
    if "$@"; then ok "$what"; else bad "$what"; fi
}
has() { grep -q -- "$2" "$W/$1"; } # has FILE PATTERN
now() { date +%s.%N; }
since() { awk -v s="$1" -v e="$(now)" 'BEGIN { printf "%.2f", e - s }'; }

# The hidraw nodes a process holds open.
open_nodes() { ls -l /proc/"$1"/fd 2>/dev/null | grep -o '/dev/hidraw[0-9]*' | sort | tr '\n' ' '; }
# What a process that does not end is doing: its open hidraw nodes and every thread's stack.
dump_stuck() {
    echo "  stuck: open hidraw nodes: $(open_nodes "$1")"
    if command -v eu-stack >/dev/null; then
        timeout 120 eu-stack -p "$1" 2>&1 | grep -v '^#[0-9]* *0x[0-9a-f]*$' | head -n 80 | sed 's/^/  stack| /'
    else
        for t in /proc/"$1"/task/*; do echo "  thread ${t##*/}: $(cat "$t/comm") wchan=$(cat "$t/wchan")"; done
    fi
}

# step NAME TIMEOUT COMMAND...: runs COMMAND, keeps $W/NAME.out and .err, sets RC and SECS. A
# command still running after TIMEOUT seconds has its stacks shown, is killed, and gets RC 124.
step() {
    local name=$1 limit=$2 start pid i
    shift 2
    echo
    echo "=== $name: $*"
    start=$(now)
    "$@" >"$W/$name.out" 2>"$W/$name.err" </dev/null &
    pid=$!
    for ((i = 0; i < limit * 20; i++)); do
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.05
    done
    if kill -0 "$pid" 2>/dev/null; then
        echo "  TIMEOUT: still running after ${limit}s"
        dump_stuck "$pid"
        kill -KILL "$pid"
        wait "$pid"
        RC=124
    else
        wait "$pid"
        RC=$?
    fi
    SECS=$(since "$start")
    echo "  exit=$RC time=${SECS}s"
    head -n 40 "$W/$name.out" | sed 's/^/  out| /'
    head -n 40 "$W/$name.err" | sed 's/^/  err| /'
}

# The hidraw nodes whose HID parent is 04D9:A09F on the USB bus, in node order.
mouse_nodes() {
    local d
    for d in /sys/class/hidraw/hidraw*; do
        grep -qsx "HID_ID=$VID_PID" "$d/device/uevent" && echo "/dev/${d##*/}"
    done
}
# wait_nodes COUNT SECONDS: until exactly COUNT mouse nodes exist and udev has handled them.
wait_nodes() {
    local i
    for ((i = 0; i < $2 * 10; i++)); do
        if [ "$(mouse_nodes | wc -l)" -eq "$1" ]; then
            udevadm settle -t 10
            return 0
        fi
        sleep 0.1
    done
    return 1
}
sim() { echo "  sim <- $*"; echo "$*" >&3; }

describe_nodes() {
    local n d
    for n in $(mouse_nodes); do
        d=/sys/class/hidraw/${n##*/}/device
        echo "  $n: $(readlink -f "$d")"
        grep -E '^HID_(ID|NAME|PHYS|UNIQ)=' "$d/uevent" | sed 's/^/      /'
        echo "      report descriptor: $(od -An -v -tx1 "$d/report_descriptor" | tr -s ' \n' ' ')"
        echo "      node: $(stat -c '%A %U:%G' "$n")"
        udevadm info --query=property --name="$n" | grep -E '^(TAGS|CURRENT_TAGS|ID_VENDOR_ID|ID_MODEL_ID)=' | sed 's/^/      udev: /'
    done
}

# Files hashed before and after a step that must not change them.
digest() { cat "$@" 2>/dev/null | md5sum | cut -d' ' -f1; }
# The nodes a process holds open, as "hidrawN hidrawM" without /dev.
holds_all_mouse_nodes() { # holds_all_mouse_nodes PID
    local n held
    held=$(open_nodes "$1")
    for n in $(mouse_nodes); do
        case " $held " in *" $n "*) ;; *) return 1 ;; esac
    done
}

echo "=== environment"
echo "  kernel: $(uname -r); cpus: $(nproc); memory: $(awk '/MemTotal/ {print $2 " kB"}' /proc/meminfo)"
echo "  uptime at test start: $(cut -d' ' -f1 /proc/uptime)s"
echo "  udev: $(dpkg-query -W -f='${Version}' udev 2>/dev/null)"
for exe in vexoctl vexo-sim vexo; do
    [ -x "$B/$exe" ] || { echo "  $exe: not built"; continue; }
    missing=$(ldd "$B/$exe" 2>&1 | grep 'not found' | tr -s ' \t\n' ' ')
    echo "  $exe: libraries ${missing:-all found}"
done
check "vexoctl, vexo-sim and vexo are built and their libraries are found" \
    sh -c "[ -x '$B/vexoctl' ] && [ -x '$B/vexo-sim' ] && [ -x '$B/vexo' ] && ! ldd '$B/vexoctl' '$B/vexo-sim' '$B/vexo' | grep -q 'not found'"

step info_before 30 "$B/vexoctl" info
check "info without a mouse: exit 2 and 'present: no'" sh -c "[ $RC -eq 2 ] && grep -q 'present: no' $W/info_before.out"

id tester >/dev/null 2>&1 || useradd -m -s /bin/sh tester
as_tester=(setpriv --reuid=tester --regid=tester --init-groups env HOME=/home/tester)
export XDG_RUNTIME_DIR=/tmp/xdg
mkdir -p -m 0700 /tmp/xdg
mkdir -p -m 0700 /tmp/xdg-tester && chown tester:tester /tmp/xdg-tester

# --- fast replugs under a watching program -----------------------------------------------------
# Rounds of ten replugs per program and order; each round ends with a notice that must reach it.
STRESS_ROUNDS=${STRESS_ROUNDS:-7}
STRESS_RUN=0
STRESS_TOTAL=0
mouse_count() { mouse_nodes | wc -l; }
# "descriptors threads RSS" of a process.
usage_of() { echo "$(ls /proc/"$1"/fd | wc -l) $(ls /proc/"$1"/task | wc -l) $(awk '/^VmRSS/ {print $2}' /proc/"$1"/status)"; }
# How many hidraw nodes there are, in NODES, without starting a process: under software emulation
# each fork costs tens of milliseconds. The VM has no other HID device than the mouse.
count_nodes() {
    local found=(/sys/class/hidraw/hidraw*)
    NODES=${#found[@]}
    [ -e "${found[0]}" ] || NODES=0
}
# wait_count_at_most N SECONDS / wait_count_at_least N SECONDS: polls only (no udev settle), so
# that the next replug comes while udev and the program are still busy with this one.
wait_count_at_most() { local k; for ((k = 0; k < $2 * 50; k++)); do count_nodes; [ "$NODES" -le "$1" ] && return 0; sleep 0.02; done; return 1; }
wait_count_at_least() { local k; for ((k = 0; k < $2 * 50; k++)); do count_nodes; [ "$NODES" -ge "$1" ] && return 0; sleep 0.02; done; return 1; }
# wait_holds PID SECONDS: until PID holds both of the mouse's nodes open; false when it ends.
wait_holds() {
    local k
    for ((k = 0; k < $2 * 10; k++)); do
        kill -0 "$1" 2>/dev/null || return 1
        [ "$(mouse_count)" -eq 2 ] && holds_all_mouse_nodes "$1" && return 0
        sleep 0.1
    done
    return 1
}
# stress_start WHO ORDER: starts vexoctl watch or the window; sets SPID and SOUT (where its notices land).
stress_start() {
    STRESS_RUN=$((STRESS_RUN + 1))
    local base="$W/stress-$1-$2-$STRESS_RUN"
    if [ "$1" = watch ]; then
        "$B/vexoctl" watch >"$base.out" 2>"$base.err" </dev/null &
        SPID=$!
        SOUT="$base.out"
    else
        QT_QPA_PLATFORM=offscreen "$STRESS_DIR/vexo" --show --trace "$base.trace" >"$base.out" 2>"$base.err" </dev/null &
        SPID=$!
        SOUT="$base.trace"
    fi
    SERR="$base.err"
}
# stress_end_of PID STATUS: how the program ended, with its core's stack when it died.
stress_end_of() {
    if [ "$2" -gt 128 ]; then
        echo "  DIED by signal $(($2 - 128))"
        if [ -f "$W/core.$1" ] && command -v eu-stack >/dev/null; then
            eu-stack --core="$W/core.$1" -e "$3" 2>&1 | head -n 60 | sed 's/^/  core| /'
        fi
    else
        echo "  EXITED with status $2"
    fi
    sed 's/^/  err| /' "$SERR" | head -n 20
}
# stress_under WHO ORDER: STRESS_ROUNDS rounds of ten fast replugs under WHO (watch or window).
stress_under() {
    local who=$1 O=$2 r i exe pattern before k status t0
    local survived=0 deaths=0 exits=0 lost=0 stuck=0 fds0 threads0 rss0 fds1 threads1 rss1 first
    exe=$([ "$who" = watch ] && echo "$B/vexoctl" || echo "$STRESS_DIR/vexo")
    echo
    echo "=== [$O] $STRESS_ROUNDS rounds of ten fast replugs under $who"
    t0=$(now)
    stress_start "$who" "$O"
    wait_holds "$SPID" 60 || echo "  $who did not open the mouse at its start"
    first=$SPID
    read -r fds0 threads0 rss0 <<<"$(usage_of "$SPID")"
    for ((r = 1; r <= STRESS_ROUNDS; r++)); do
        for ((i = 1; i <= 10; i++)); do
            echo unplug >&3
            wait_count_at_most 0 10
            echo plug >&3
            wait_count_at_least 1 10
            # Sometimes at once, sometimes while the program is opening the new nodes.
            [ $((RANDOM % 3)) -eq 0 ] || sleep "0.$((RANDOM % 2))$((RANDOM % 10))"
        done
        wait_nodes 2 15
        if ! wait_holds "$SPID" 30; then
            if kill -0 "$SPID" 2>/dev/null; then
                echo "  round $r: $who is running but has not opened both nodes again within 30 s"
                dump_stuck "$SPID"
                stuck=$((stuck + 1))
                lost=$((lost + 1))
                continue
            fi
            wait "$SPID"
            status=$?
            echo "  round $r: $who ended during the replugs"
            stress_end_of "$SPID" "$status" "$exe"
            if [ "$status" -gt 128 ]; then deaths=$((deaths + 1)); else exits=$((exits + 1)); fi
            stress_start "$who" "$O"
            wait_holds "$SPID" 60
            continue
        fi
        survived=$((survived + 10))
        # The round's notice: macro key R, which both programs print with its number.
        if [ "$who" = watch ]; then pattern="^notice 9 $r\$"; else pattern="^NOTICE .*[^0-9]$r\$"; fi
        before=$(grep -c -- "$pattern" "$SOUT")
        echo "notice 9 $r" >&3
        for ((k = 0; k < 100; k++)); do
            [ "$(grep -c -- "$pattern" "$SOUT")" -gt "$before" ] && break
            sleep 0.1
        done
        if [ "$(grep -c -- "$pattern" "$SOUT")" -le "$before" ]; then
            echo "  round $r: the notice did not reach $who within 10 s"
            lost=$((lost + 1))
        fi
    done
    read -r fds1 threads1 rss1 <<<"$(usage_of "$SPID")"
    echo "  $who over the replugs: descriptors $fds0 -> $fds1, threads $threads0 -> $threads1, RSS $rss0 -> $rss1 kB"
    kill -TERM "$SPID" 2>/dev/null
    for ((k = 0; k < 200; k++)); do kill -0 "$SPID" 2>/dev/null || break; sleep 0.1; done
    if kill -0 "$SPID" 2>/dev/null; then
        echo "  $who did not end within 20 s of SIGTERM"
        dump_stuck "$SPID"
        kill -KILL "$SPID"
    fi
    wait "$SPID"
    status=$?
    if [ "$status" -ne 0 ]; then
        echo "  at the end:"
        stress_end_of "$SPID" "$status" "$exe"
        if [ "$status" -gt 128 ] && [ "$status" -ne 143 ]; then deaths=$((deaths + 1)); else exits=$((exits + 1)); fi
    fi
    STRESS_TOTAL=$((STRESS_TOTAL + STRESS_ROUNDS * 10))
    echo "  STRESS [$O] $who: replugs $((STRESS_ROUNDS * 10)), survived $survived, deaths $deaths, exits $exits, lost notices $lost (of them not reopened $stuck), $(since "$t0") s"
    check "[$O] $((STRESS_ROUNDS * 10)) fast replugs under $who: no death, no exit, every round's notice arrived" \
        sh -c "[ $deaths -eq 0 ] && [ $exits -eq 0 ] && [ $lost -eq 0 ]"
    # A node that opens and is gone at the next request must cost watch neither descriptors nor
    # threads, nor a message.
    if [ "$who" = watch ]; then
        check "[$O] fast replugs under watch: descriptors and threads as before, no message" \
            sh -c "[ $first -eq $SPID ] && [ '$fds0' = '$fds1' ] && [ '$threads0' = '$threads1' ] && ! [ -s $SERR ]"
    fi
}

# run_order ORDER: every check with vexo-sim creating its interfaces in ORDER.
run_order() {
    local order=$1 O=$1 i n
    echo
    echo "################ interface order: $order"
    mkfifo "$W/sim-$O.in"
    "$B/vexo-sim" --order="$order" <"$W/sim-$O.in" >"$W/sim-$O.log" 2>&1 &
    SIM=$!
    exec 3>"$W/sim-$O.in"
    if wait_nodes 2 15; then ok "[$O] two hidraw nodes 04D9:A09F appeared"; else bad "[$O] two hidraw nodes did not appear within 15 s"; fi
    sed 's/^/  sim| /' "$W/sim-$O.log"
    describe_nodes
    for n in $(mouse_nodes); do
        check "[$O] udev tagged $n uaccess" \
            sh -c "udevadm info --query=property --name=$n | grep -E '^(CURRENT_)?TAGS=' | grep -q ':uaccess:'"
    done
    [ -x "$RUN/list-nodes" ] && step "list_nodes_$O" 20 "$RUN/list-nodes"

    # --- info and apply ---
    step "info_$O" 60 "$B/vexoctl" --trace "$W/info-$O.txt" info
    check "[$O] info: exit 0, present, scrambling on, sensor 03, nothing on stderr" \
        sh -c "[ $RC -eq 0 ] && grep -q 'present: yes' $W/info_$O.out && grep -q 'scrambling: on' $W/info_$O.out && grep -q '^sensor: 03 ' $W/info_$O.out && [ ! -s $W/info_$O.err ]"
    check "[$O] info: the handshake was answered" grep -q '^GET 00 AA DD 3B 62' "$W/info-$O.txt"
    D="$W/data-$O"
    mkdir -p "$D"
    cp "$B/config.bin" "$B/str.ini" "$D/"
    step "apply_$O" 120 "$B/vexoctl" --trace "$W/apply-$O.txt" --data "$D" apply
    check "[$O] apply: exit 0, nothing on stderr" sh -c "[ $RC -eq 0 ] && [ ! -s $W/apply_$O.err ]"
    echo "  trace: $(wc -l <"$W/apply-$O.txt") lines; $(awk '{c[$1]++} END {for (k in c) printf "%s=%d ", k, c[k]}' "$W/apply-$O.txt")"
    check "[$O] apply: the three colour blocks came back (3 IN lines, none all zeros)" \
        sh -c "[ \$(grep -c '^IN ' $W/apply-$O.txt) -eq 3 ] && ! grep '^IN ' $W/apply-$O.txt | grep -q '^IN\\( 00\\)*\$'"
    check "[$O] apply: no exchange failed or came back short" sh -c "! grep -q 'FAILED' $W/apply-$O.txt"
    cp "$W/apply-$O.txt" "$RUN/artifacts/apply-trace-$O.txt"
    # Block reports that arrive short (10 of 33 bytes): apply must fail, say so, and write none of
    # the blocks it could not read back to the mouse.
    sim fault short-read 10
    sleep 0.5
    step "apply_short_$O" 120 "$B/vexoctl" --trace "$W/apply-short-$O.txt" --data "$D" apply
    sim fault none
    check "[$O] apply with block reports of 10 of 33 bytes: exit 1 and the failure on stderr" \
        sh -c "[ $RC -eq 1 ] && grep -q 'came back short' $W/apply_short_$O.err && grep -q 'left unchanged on the mouse' $W/apply_short_$O.err"
    check "[$O] apply with short block reports: the short report is seen, no colour block is written back" \
        sh -c "grep -q '^IN-FAILED ' $W/apply-short-$O.txt && ! grep -q '^IN ' $W/apply-short-$O.txt && ! grep -q '^SET 10 ' $W/apply-short-$O.txt"
    cp "$W/apply-short-$O.txt" "$RUN/artifacts/apply-short-trace-$O.txt"
    step "blocks_$O" 60 "$B/vexoctl" --data "$D" blocks
    check "[$O] blocks after apply: exit 0" [ "$RC" -eq 0 ]

    # --- watch: notices before and after a replug ---
    echo
    echo "=== [$O] watch (notices, unplug, plug)"
    "$B/vexoctl" watch >"$W/watch-$O.out" 2>"$W/watch-$O.err" </dev/null &
    WATCH=$!
    sleep 2
    echo "  watch holds open: $(open_nodes "$WATCH")(mouse nodes: $(mouse_nodes | tr '\n' ' '))"
    check "[$O] watch holds both of the mouse's nodes open" holds_all_mouse_nodes "$WATCH"
    sim notice 7 2; sleep 0.5
    sim notice 5 1; sleep 0.5
    sim notice 8 1; sleep 0.5
    sim notice 9 3; sleep 1
    sim unplug
    wait_nodes 0 10
    sleep 2
    sim plug
    wait_nodes 2 15
    sleep 3
    echo "  watch holds open: $(open_nodes "$WATCH")(mouse nodes: $(mouse_nodes | tr '\n' ' '))"
    check "[$O] after the replug watch holds both new nodes open" holds_all_mouse_nodes "$WATCH"
    sim notice 7 1; sleep 1
    sim notice 5 2; sleep 1
    kill -TERM "$WATCH"
    for ((i = 0; i < 100; i++)); do kill -0 "$WATCH" 2>/dev/null || break; sleep 0.1; done
    if kill -0 "$WATCH" 2>/dev/null; then
        echo "  watch did not end within 10 s of SIGTERM"
        dump_stuck "$WATCH"
        kill -KILL "$WATCH"
    fi
    wait "$WATCH"
    RC=$?
    sed 's/^/  out| /' "$W/watch-$O.out"
    sed 's/^/  err| /' "$W/watch-$O.err"
    check "[$O] watch: ended by SIGTERM with exit 0" [ "$RC" -eq 0 ]
    check "[$O] watch: the four notices before the unplug, in order" \
        sh -c "grep '^notice' $W/watch-$O.out | head -n 4 | tr '\n' ' ' | grep -qx 'notice 7 2 notice 5 1 notice 8 1 notice 9 3 '"
    check "[$O] watch: exactly one removal and one arrival, in that order" \
        sh -c "[ \"\$(grep -E '^(removal|arrival)$' $W/watch-$O.out | tr '\n' ' ')\" = 'removal arrival ' ]"
    check "[$O] watch: the notices after the replug" \
        sh -c "sed -n '/^arrival$/,\$p' $W/watch-$O.out | grep '^notice' | tr '\n' ' ' | grep -qx 'notice 7 1 notice 5 2 '"
    # Repeated replugs with a notice in flight each time: a watching program keeps its descriptors
    # and threads, and still gets the notices afterwards.
    # Should it die, its core tells where.
    ulimit -c unlimited
    echo "$W/core.%p" >/proc/sys/kernel/core_pattern
    "$B/vexoctl" watch >"$W/cycles-$O.out" 2>"$W/cycles-$O.err" </dev/null &
    WATCH=$!
    sleep 2
    read -r fds0 threads0 rss0 <<<"$(usage_of "$WATCH")"
    for ((i = 1; i <= 10; i++)); do
        echo "notice 7 $((i % 8 + 1))" >&3
        echo unplug >&3
        wait_nodes 0 10
        echo plug >&3
        wait_nodes 2 15
        sleep 0.5
    done
    sleep 3
    sim notice 8 2
    sleep 1
    read -r fds1 threads1 rss1 <<<"$(usage_of "$WATCH")"
    echo "  watch over 10 replugs: descriptors $fds0 -> $fds1, threads $threads0 -> $threads1, RSS $rss0 -> $rss1 kB"
    kill -TERM "$WATCH" 2>/dev/null
    wait "$WATCH"
    watch_status=$?
    tail -n 5 "$W/cycles-$O.out" | sed 's/^/  out| /'
    sed 's/^/  err| /' "$W/cycles-$O.err" | head -n 20
    if [ "$watch_status" -gt 128 ] && [ -f "$W/core.$WATCH" ] && command -v eu-stack >/dev/null; then
        echo "  watch died by signal $((watch_status - 128)):"
        eu-stack --core="$W/core.$WATCH" -e "$B/vexoctl" 2>&1 | head -n 60 | sed 's/^/  core| /'
    fi
    check "[$O] replugs with notices in flight: watch lives through them and ends by SIGTERM with exit 0" \
        [ "$watch_status" -eq 0 ]
    check "[$O] 10 replugs with notices in flight: watch keeps its descriptors and threads and gets the next notice" \
        sh -c "[ $fds0 -eq $fds1 ] && [ $threads0 -eq $threads1 ] && grep -qx 'notice 8 2' $W/cycles-$O.out"
    check "[$O] 10 replugs: ten removals and ten arrivals, no more" \
        sh -c "[ \$(sed '/^notice 8 2\$/q' $W/cycles-$O.out | grep -c '^removal$') -eq 10 ] && [ \$(sed '/^notice 8 2\$/q' $W/cycles-$O.out | grep -c '^arrival$') -eq 10 ]"

    step "info_replug_$O" 60 "$B/vexoctl" info
    check "[$O] info after the replug: exit 0 and present" sh -c "[ $RC -eq 0 ] && grep -q 'present: yes' $W/info_replug_$O.out"

    # --- fast replugs, many times over (before the checks that change the nodes' modes) ---
    STRESS_DIR="/tmp/stress-$O"
    mkdir -p "$STRESS_DIR"
    cp -r "$B/vexo" "$B/config.bin" "$B/str.ini" "$B/Skins" "$STRESS_DIR/"
    stress_under watch "$O"
    stress_under window "$O"

    # --- a user without access ---
    echo
    echo "=== [$O] unprivileged user"
    U="/home/tester/data-$O"
    mkdir -p "$U"
    cp "$B/config.bin" "$B/str.ini" "$U/"
    chown -R tester:tester "$U"
    before=$(digest "$U/config.bin" "$U/str.ini")
    # 0600: no udev rule yet, or the mouse not replugged since. 0644: the user may read the nodes but
    # not write them, so the notification interface opens and the command interface does not.
    for mode in 0600 0644; do
        for n in $(mouse_nodes); do chmod "$mode" "$n"; done
        step "info_user_${mode}_$O" 60 "${as_tester[@]}" "$B/vexoctl" info
        check "[$O] user without access (nodes $mode): info exits 2, 'present: no', says the mouse may not be opened" \
            sh -c "[ $RC -eq 2 ] && grep -qx 'present: no' $W/info_user_${mode}_$O.out && ! grep -q 'scrambling\|sensor' $W/info_user_${mode}_$O.out && grep -q 'may not open it' $W/info_user_${mode}_$O.err"
        step "apply_user_${mode}_$O" 60 "${as_tester[@]}" "$B/vexoctl" --data "$U" apply
        check "[$O] user without access (nodes $mode): apply exits 2 and changes no file" \
            sh -c "[ $RC -eq 2 ] && [ '$before' = \"\$(cat '$U/config.bin' '$U/str.ini' | md5sum | cut -d' ' -f1)\" ]"
    done
    # What systemd-logind's uaccess ACL would do for the seat's user (there is no logind here).
    for n in $(mouse_nodes); do chmod 0666 "$n"; done
    step "info_user_granted_$O" 60 "${as_tester[@]}" "$B/vexoctl" info
    check "[$O] user with access: info exits 0 and 'present: yes'" \
        sh -c "[ $RC -eq 0 ] && grep -q 'present: yes' $W/info_user_granted_$O.out"

    # --- the window ---
    echo
    echo "=== [$O] vexo (offscreen)"
    G="/tmp/gui-$O"
    mkdir -p "$G"
    cp -r "$B/vexo" "$B/config.bin" "$B/str.ini" "$B/Skins" "$G/"
    export QT_QPA_PLATFORM=offscreen
    step "vexo_start_$O" 60 "$G/vexo" --show --quit-after-start
    check "[$O] vexo --show --quit-after-start with the mouse: exit 0" [ "$RC" -eq 0 ]
    step "vexo_shot_$O" 60 "$G/vexo" --show --screenshot="$RUN/artifacts/vexo-mouse-$O.png"
    check "[$O] vexo --screenshot with the mouse: exit 0" [ "$RC" -eq 0 ]
    # A program folder the user may not write, whose str.ini lacks the labels a first run adds:
    # they cannot be saved, which start-up reports; an unattended run must say so on stderr and end,
    # not wait for a click. (With the labels already there, nothing needs writing and nothing fails.)
    R="/tmp/gui-ro-$O"
    mkdir -p "$R"
    cp -r "$B/vexo" "$B/config.bin" "$B/str.ini" "$B/Skins" "$R/"
    sed -i '/^\[Setting-EN\]/,$d' "$R/str.ini"
    chmod -R a+rX,go-w "$R"
    step "vexo_ro_start_$O" 60 env XDG_RUNTIME_DIR=/tmp/xdg-tester "${as_tester[@]}" "$R/vexo" --show --quit-after-start
    check "[$O] vexo --quit-after-start from a read-only folder: ends with exit 0, the message on stderr" \
        sh -c "[ $RC -eq 0 ] && grep -q 'could not be saved' $W/vexo_ro_start_$O.err"
    step "vexo_ro_shot_$O" 60 env XDG_RUNTIME_DIR=/tmp/xdg-tester "${as_tester[@]}" "$R/vexo" --show --screenshot=/tmp/xdg-tester/shot.png
    check "[$O] vexo --screenshot from a read-only folder: ends with exit 0, the message on stderr" \
        sh -c "[ $RC -eq 0 ] && grep -q 'could not be saved' $W/vexo_ro_shot_$O.err"
    for n in $(mouse_nodes); do chmod 0600 "$n"; done
    sim unplug
    wait_nodes 0 10
    step "vexo_nomouse_$O" 60 "$G/vexo" --show --screenshot="$RUN/artifacts/vexo-nomouse-$O.png"
    check "[$O] vexo --screenshot without the mouse: exit 0" [ "$RC" -eq 0 ]
    check "[$O] the window found the mouse (its picture differs from the one without)" \
        sh -c "[ -s '$RUN/artifacts/vexo-mouse-$O.png' ] && ! cmp -s '$RUN/artifacts/vexo-mouse-$O.png' '$RUN/artifacts/vexo-nomouse-$O.png'"
    unset QT_QPA_PLATFORM

    # --- the end of the virtual mouse ---
    sim quit
    exec 3>&-
    for ((i = 0; i < 100; i++)); do kill -0 "$SIM" 2>/dev/null || break; sleep 0.1; done
    if kill -0 "$SIM" 2>/dev/null; then
        bad "[$O] vexo-sim did not end within 10 s of 'quit'"
        kill -KILL "$SIM"
    fi
    wait "$SIM"
    RC=$?
    check "[$O] vexo-sim: exit 0 after quit" [ "$RC" -eq 0 ]
    check "[$O] vexo-sim: its nodes are gone" wait_nodes 0 5
}

run_order command-first
run_order notification-first

step info_end 30 "$B/vexoctl" info
check "info after the sim ended: exit 2 and 'present: no'" sh -c "[ $RC -eq 2 ] && grep -q 'present: no' $W/info_end.out"

echo
echo "=== kernel messages about HID"
dmesg | grep -iE 'hid|uhid' | tail -n 30 | sed 's/^/  /'
cp "$W"/*.out "$W"/*.err "$W"/sim-*.log "$RUN/artifacts/" 2>/dev/null
echo
echo "STRESS: $STRESS_TOTAL fast replugs in all"
echo "RESULT: $pass passed, $fail failed"
