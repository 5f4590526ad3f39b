#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
#
# SPDX-License-Identifier: MIT

# Tries the utility on a real X server as a user would: on a bare Xvfb (no window manager, no
# notification area), on Xvfb with Openbox and trayer's notification area, and with vexoctl and the
# icon's menu changing the shown window's settings (scripting: through trayer's menu, and through a
# StatusNotifierItem host's menu on the session bus). Drives the pointer with xdotool and reads the
# screen with xwd. Demo mode only (simulated mouse), in a copy of the program's portable layout, so
# the build's own files are never touched; each run has its own session bus, runtime and
# configuration folders in the work folder, never the user's.
#
#   scripts/desktop-check.sh [bare|desktop|both|scripting|all]   (default all; both = bare + desktop)
#
# With DESKTOP_CHECK_SHOTS=1 it also renews docs/screenshot-no-mouse.png (bare server) and
# docs/screenshot-notice.png (the notice of the notification area). Exits non-zero on the first
# failed check.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${BUILD_DIR:-build}
mode=${1:-all}
for tool in Xvfb openbox trayer xdotool xwd xwininfo xwdtopnm pngtopnm pnmcut pnmtopng pamsumm pamarith dbus-daemon \
  gdbus /usr/bin/python3; do
  command -v "$tool" >/dev/null || { echo "desktop-check: $tool is missing (scripts/deps.sh installs it)"; exit 2; }
done
[ -x "$build/bin/vexo" ] && [ -x "$build/bin/vexoctl" ] && [ -d "$build/bin/Skins" ] || { echo "desktop-check: build the project first"; exit 2; }

work=$(mktemp -d)
pids=()
cleanup() {
  local pid
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  rm -rf "$work"
}
trap cleanup EXIT

fail() { echo "FAIL: $*"; exit 1; }
pass() { echo "  ok: $*"; }

# The window of the utility that is on screen, or nothing.
window() { xdotool search --onlyvisible --name '^VEXO T58$' 2>/dev/null | head -1; }
position() { xwininfo -id "$1" | awk '/Absolute upper-left X/{x=$4}/Absolute upper-left Y/{y=$4}END{print x" "y}'; }
mapped() { xwininfo -id "$1" 2>/dev/null | grep -q 'Map State: IsViewable'; }
shoot_window() { xwd -id "$1" -silent | xwdtopnm 2>/dev/null; }
shoot_root() { xwd -root -silent | xwdtopnm 2>/dev/null; }
# Sum of the samples in a rectangle of the screen: 0 where the black root shows through.
brightness() { shoot_root | pnmcut "$@" | pamsumm -sum -brief; }
wait_for() { # seconds, command...
  local left=$(( $1 * 10 )); shift
  until "$@"; do left=$((left - 1)); [ "$left" -gt 0 ] || return 1; sleep 0.1; done
}
has_window() { [ -n "$(window)" ]; }

start_server() {
  exec 5> "$work/display"
  Xvfb -displayfd 5 -screen 0 1280x800x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
  pids+=($!)
  wait_for 10 test -s "$work/display" || fail "Xvfb did not start"
  export DISPLAY=":$(head -1 "$work/display")"
}

start_app() { # extra arguments
  "$work/app/vexo" "$@" >>"$work/vexo.log" 2>&1 &
  app=$!
  pids+=($app)
}

end_app() {
  kill -TERM "$app"
  local status=0
  wait "$app" || status=$?
  [ "$status" -eq 0 ] || fail "the program ended with $status on SIGTERM"
  [ ! -e "$XDG_RUNTIME_DIR/T58SSOP28DPIVerMutex.lock" ] || fail "the lock was left behind"
}

# A fresh copy of the program, runtime and configuration folders, and a session bus of its own.
prepare() {
  rm -rf "$work/app" "$work/run" "$work/config"
  mkdir -p "$work/app" "$work/run" "$work/config"
  chmod 700 "$work/run"
  cp "$build/bin/vexo" "$build/bin/config.bin" "$build/bin/str.ini" "$work/app/"
  ln -s "$(cd "$build" && pwd)/bin/Skins" "$work/app/Skins"
  export XDG_RUNTIME_DIR="$work/run" XDG_CONFIG_HOME="$work/config" QT_QPA_PLATFORM=xcb
  dbus-daemon --session --fork --print-address=3 --print-pid=4 3>"$work/bus.addr" 4>"$work/bus.pid"
  pids+=("$(cat "$work/bus.pid")")
  DBUS_SESSION_BUS_ADDRESS=$(cat "$work/bus.addr")
  export DBUS_SESSION_BUS_ADDRESS
}

# Ends what the last run started: the server, its helpers and the session bus.
end_session() {
  local pid
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  pids=()
}

start_tray() {
  openbox >"$work/openbox.log" 2>&1 &
  pids+=($!)
  sleep 1
  trayer --edge bottom --align right --widthtype request --height 24 --SetDockType true --transparent false \
    --tint 0x303030 >"$work/trayer.log" 2>&1 &
  pids+=($!)
  sleep 1
}

# Ten passes over each hover region and away again leave the window as it was drawn.
check_hover() {
  local w=$1 x y
  read -r x y < <(position "$w")
  xdotool mousemove $((x + 500)) $((y + 420)); sleep 0.3
  shoot_window "$w" >"$work/before.pnm"
  local spot
  for spot in "90 75" "40 75" "834 14" "859 14" "710 14" "565 619" "669 619" "773 619"; do
    set -- $spot
    for _ in 1 2 3 4 5 6 7 8 9 10; do
      xdotool mousemove $((x + $1)) $((y + $2)); sleep 0.06
      xdotool mousemove $((x + 500)) $((y + 420)); sleep 0.04
    done
  done
  sleep 0.3
  shoot_window "$w" >"$work/after.pnm"
  cmp -s "$work/before.pnm" "$work/after.pnm" || fail "hover left marks on the window"
  xdotool mousemove $((x + 90)) $((y + 75)); sleep 0.3
  shoot_window "$w" >"$work/lit.pnm"
  cmp -s "$work/before.pnm" "$work/lit.pnm" && fail "no over picture was shown"
  xdotool mousemove $((x + 500)) $((y + 420)); sleep 0.2
  pass "ten hover passes over every frame button leave no trace"
}

# A click that does not move is a click; pressing and moving drags the window.
check_drag() {
  local w=$1 x y x2 y2
  read -r x y < <(position "$w")
  xdotool mousemove $((x + 300)) $((y + 130)) click 1; sleep 0.3
  xdotool mousemove $((x + 420)) $((y + 250)); sleep 0.5
  read -r x2 y2 < <(position "$w")
  [ "$x2 $y2" = "$x $y" ] || fail "a click without movement moved the window ($x $y -> $x2 $y2)"
  pass "a click without movement leaves the window where it is"
  xdotool mousemove $((x + 300)) $((y + 130)) mousedown 1; sleep 0.1
  xdotool mousemove $((x + 310)) $((y + 136)); sleep 0.1
  xdotool mousemove $((x + 360)) $((y + 170)); sleep 0.3
  xdotool mouseup 1; sleep 0.3
  read -r x2 y2 < <(position "$w")
  [ "$x2 $y2" != "$x $y" ] || fail "dragging did not move the window"
  xdotool mousemove 20 20; sleep 0.4
  local x3 y3
  read -r x3 y3 < <(position "$w")
  [ "$x3 $y3" = "$x2 $y2" ] || fail "the window stayed stuck to the pointer"
  pass "dragging moves the window, and it stays put once the button is up"
}

run_bare() {
  echo "== bare X server (no window manager, no notification area)"
  start_server
  prepare
  start_app --simulate-unplugged
  wait_for 10 has_window || fail "no window without a notification area"
  local w x y
  w=$(window)
  read -r x y < <(position "$w")
  [ "$x $y" = "200 75" ] || fail "the window is not centred ($x $y)"
  pass "without a notification area the window is shown at start, centred"
  sleep 0.5
  shoot_window "$w" >"$work/no-mouse.pnm"
  # Against the bare background of the skin: the line under the header saying that no mouse is
  # connected, the OK button and the page title must be drawn on it.
  pngtopnm "$work/app/Skins/Black/BasicSet2.png" >"$work/background.pnm" 2>/dev/null
  local part
  for part in "20 112 600 34" "513 609 105 21" "120 50 232 50"; do
    set -- $part
    cmp -s <(pnmcut "$@" "$work/background.pnm") <(pnmcut "$@" "$work/no-mouse.pnm") &&
      fail "nothing is drawn at $part without a mouse"
  done
  pass "without a mouse the frame is drawn and the page says so"
  if [ "${DESKTOP_CHECK_SHOTS:-0}" = 1 ]; then
    pnmtopng "$work/no-mouse.pnm" >docs/screenshot-no-mouse.png
    echo "  wrote docs/screenshot-no-mouse.png"
  fi
  check_hover "$w"
  check_drag "$w"
  read -r x y < <(position "$w")
  xdotool mousemove $((x + 834)) $((y + 14)) click 1; sleep 0.5
  mapped "$w" || fail "Minimise lost the window"
  xdotool key --window "$w" Escape; sleep 0.3
  mapped "$w" || fail "Esc lost the window"
  pass "Minimise and Esc never hide the window"
  local status=0
  timeout 10 "$work/app/vexo" --simulate-unplugged >>"$work/vexo.log" 2>&1 || status=$?
  [ "$status" -eq 0 ] || fail "a second start ended with $status"
  mapped "$w" || fail "a second start hid the window"
  pass "a second start ends at once and the first window stays"
  end_app
  pass "SIGTERM ends the program cleanly"
  end_session
}

run_desktop() {
  echo "== X server with Openbox and trayer's notification area"
  start_server
  start_tray
  prepare
  # Without a mouse: the warning comes as a notice beside the icon and stays up for seconds.
  start_app --simulate-unplugged
  sleep 1.5
  [ -z "$(window)" ] || fail "the window is shown although the icon could bring it"
  [ "$(brightness 780 680 500 100)" -gt 0 ] || fail "no notice beside the icon"
  [ "$(brightness 0 0 500 100)" -eq 0 ] || fail "the notice is in the wrong corner"
  if [ "${DESKTOP_CHECK_SHOTS:-0}" = 1 ]; then
    shoot_root | pnmcut 760 660 520 140 | pnmtopng >docs/screenshot-notice.png
    echo "  wrote docs/screenshot-notice.png"
  fi
  sleep 2.5
  [ "$(brightness 780 680 500 100)" -gt 0 ] || fail "the notice was gone within four seconds"
  pass "the no-mouse notice appears beside the icon and is still up after four seconds"
  end_app
  # With the (simulated) mouse: the icon shows the window.
  start_app --simulate
  sleep 1.5
  [ -z "$(window)" ] || fail "the window is shown at start"
  xdotool mousemove 1267 788 click 1
  wait_for 5 has_window || fail "a click on the icon does not show the window"
  pass "a click on the icon shows the window"
  local w x y t
  w=$(window)
  # The window carries the program's icon for the window manager; the notification area's icon
  # window does not, as nothing shows it there.
  xprop -id "$w" _NET_WM_ICON | grep -q "not found" && fail "the window has no icon"
  for t in $(xdotool search --classname '^vexo$' 2>/dev/null); do
    [ "$(xwininfo -id "$t" | awk '/Width:/{print $2}')" -lt 64 ] || continue
    xprop -id "$t" _NET_WM_ICON | grep -q "not found" || fail "the notification-area icon's window carries the program icon"
  done
  pass "the window has the program's icon, the notification-area icon's window none"
  check_hover "$w"
  check_drag "$w"
  read -r x y < <(position "$w")
  xdotool mousemove $((x + 834)) $((y + 14)) click 1; sleep 0.5
  mapped "$w" && fail "Minimise did not hide the window"
  xdotool mousemove 1267 788 click 1
  wait_for 5 has_window || fail "the icon does not bring the window back"
  pass "Minimise hides the window and the icon brings it back"
  end_app
  pass "SIGTERM ends the program cleanly"
  end_session
}

# --- scripting: vexoctl and the icon's menu while the window runs --------------------------------

ctl() { "$build/bin/vexoctl" --data "$work/app" "$@"; }
# vexoctl set through the shown window: it answers for the window's mouse, which vexoctl has not.
ctl_set() {
  local out
  out=$(ctl set "$@" 2>&1) || fail "vexoctl set $* failed: $out"
  [ "$out" = $'sent to the mouse\nsaved' ] || fail "vexoctl set $* did not go through the window: $out"
}
value_of() { ctl get "$1" | sed -n "s/^$1=//p"; }
# Whether the trace has the text $2 after its first $1 bytes (what the mouse was sent since).
traced_since() { [ -n "$2" ] && tail -c +$(($1 + 1)) "$work/trace.txt" >"$work/since.txt" && grep -qF -- "$2" "$work/since.txt"; }
trace_size() { stat -c %s "$work/trace.txt"; }
# The DPI and report-rate blocks the saved settings make, as the trace writes them.
dpi_block() { ctl blocks --sensor 3 | sed -n 's/^dpi /OUT /p'; }
rate_block() { ctl blocks --sensor 3 | sed -n 's/^rate /SET 01 /p'; }
# A shot of the window once it has stopped changing.
steady_shot() { # window, file
  local left=50
  shoot_window "$1" >"$2"
  until shoot_window "$1" >"$work/again.pnm" && cmp -s "$2" "$work/again.pnm"; do
    cp "$work/again.pnm" "$2"
    left=$((left - 1)); [ "$left" -gt 0 ] || fail "the window did not settle"
    sleep 0.1
  done
}
# Sum of the differences between two shots, over the whole window or over x y w h of it.
difference() { # a, b [x y w h]
  pamarith -difference "$1" "$2" >"$work/diff.pam"
  if [ $# -gt 2 ]; then pnmcut "$3" "$4" "$5" "$6" "$work/diff.pam"; else cat "$work/diff.pam"; fi | pamsumm -sum -brief
}
profile_reached_mouse() { # trace size before the pick, what the trace must show
  wait_for 5 traced_since "$1" 'NOTICE Info: Profile now on the mouse: Game' ||
    fail "no notice that Game is on the mouse"
  local block
  for block in "$2" "$3"; do
    traced_since "$1" "$block" || fail "Game's bytes did not reach the mouse ($block missing)"
  done
}

# The page must follow a change from the bus by the next frame (60 Hz) after the call returns.
one_frame() { sleep 0.017; }

run_scripting() {
  echo "== scripting: vexoctl and the icon's menu change the shown window and the mouse"
  start_server
  start_tray
  prepare
  start_app --simulate --trace "$work/trace.txt"
  wait_for 10 bus_owned || fail "the window did not take its name on the session bus"
  local old_dpi old_rate w
  old_dpi=$(value_of dpi.2)
  old_rate=$(value_of report-rate)
  [ "$old_dpi" != 800 ] && [ "$old_rate" != 125 ] || fail "the delivered settings already hold the values to set"
  wait_for 5 show_by_icon || fail "a click on the icon does not show the window"
  w=$(window)
  xdotool mousemove 5 5
  steady_shot "$w" "$work/first.pnm"

  # Row 2 of the DPI stages, from its number to the end of its value box.
  local row="500 346 166 28" size before
  size=$(trace_size)
  ctl_set dpi.2=800
  one_frame
  shoot_window "$w" >"$work/set.pnm"
  [ "$(difference "$work/first.pnm" "$work/set.pnm")" -gt 0 ] || fail "the page did not show dpi.2=800 within a frame"
  [ "$(difference "$work/first.pnm" "$work/set.pnm")" = "$(difference "$work/first.pnm" "$work/set.pnm" $row)" ] ||
    fail "dpi.2=800 changed the page outside the second DPI row"
  before=$(dpi_block)
  traced_since "$size" "$before" || fail "the DPI block for 800 did not reach the mouse"
  pass "vexoctl set dpi.2=800 shows on the page within a frame, in its row only, and reaches the mouse"
  size=$(trace_size)
  ctl_set "dpi.2=$old_dpi"
  one_frame
  shoot_window "$w" >"$work/back.pnm"
  cmp -s "$work/first.pnm" "$work/back.pnm" || fail "setting dpi.2 back did not give back the first page"
  traced_since "$size" "$(dpi_block)" || fail "the DPI block for $old_dpi did not reach the mouse"
  [ "$(dpi_block)" != "$before" ] || fail "dpi.2 back to $old_dpi made the same DPI block as 800"
  pass "setting dpi.2 back gives back the first page and reaches the mouse"

  # A profile with a visible change, picked from the icon's menu after the setup went back.
  ctl_set report-rate=125 dpi.2=800
  steady_shot "$w" "$work/game.pnm"
  local game_rate game_dpi
  game_rate=$(rate_block)
  game_dpi=$(dpi_block)
  ctl profile save Game >/dev/null || fail "vexoctl profile save Game failed"
  ctl_set "report-rate=$old_rate" "dpi.2=$old_dpi"
  shoot_window "$w" >"$work/back.pnm"
  cmp -s "$work/first.pnm" "$work/back.pnm" || fail "setting the report rate back did not give back the first page"
  size=$(trace_size)
  xdotool mousemove 1267 788 click 3
  wait_for 5 menu_open || fail "a right click on the icon opens no menu"
  # The profiles come first, "Exit" last.
  shoot_root | pnmcut 1000 600 280 200 >"$work/menu.pnm"
  xdotool key Down; wait_for 2 entry_lit || fail "Down does not pick the menu's first entry"
  xdotool key Return
  profile_reached_mouse "$size" "$game_rate" "$game_dpi"
  wait_for 5 same_shot "$w" "$work/game.pnm" || fail "the page does not show Game after the pick"
  pass "Game picked from the icon's menu reaches the mouse with its notice, and the page shows it"
  end_app
  end_session

  echo "== scripting: the same pick through a StatusNotifierItem host's menu"
  start_server
  prepare
  /usr/bin/python3 tests/wayland/sni_stub.py "$work/sni.calls" >"$work/sni.log" 2>&1 &
  pids+=($!)
  wait_for 10 grep -qs 'stub ready' "$work/sni.calls" || fail "the StatusNotifierItem host did not start"
  start_app --simulate --trace "$work/trace.txt"
  wait_for 10 grep -qs 'RegisterStatusNotifierItem' "$work/sni.calls" ||
    fail "the icon did not register as a StatusNotifierItem"
  wait_for 10 bus_owned || fail "the window did not take its name on the session bus"
  ctl_set report-rate=125 dpi.2=800
  game_rate=$(rate_block)
  game_dpi=$(dpi_block)
  ctl profile save Game >/dev/null || fail "vexoctl profile save Game failed"
  ctl_set "report-rate=$old_rate" "dpi.2=$old_dpi"
  local item entries
  item=$(sed -n 's/^RegisterStatusNotifierItem .* from \(:[0-9.]*\)$/\1/p' "$work/sni.calls" | head -1)
  entries=$(/usr/bin/python3 tests/wayland/sni_menu.py "$item") || fail "the item's menu could not be read"
  [ "$entries" = $'Game\nExit' ] || fail "the item's menu lists $(echo $entries) instead of Game, then Exit"
  size=$(trace_size)
  /usr/bin/python3 tests/wayland/sni_menu.py "$item" Game >/dev/null || fail "Game could not be clicked"
  profile_reached_mouse "$size" "$game_rate" "$game_dpi"
  pass "the host's menu lists Game above Exit; a click on it reaches the mouse with its notice"
  end_app
  end_session
}

bus_owned() {
  gdbus call --session -d org.freedesktop.DBus -o /org/freedesktop/DBus -m org.freedesktop.DBus.NameHasOwner \
    example.vexo_gaming.T58 2>/dev/null | grep -q true
}
# Clicks the icon until the window shows: the notification area may take the icon a moment after start.
show_by_icon() {
  xdotool mousemove 1267 788 click 1
  wait_for 1 has_window
}
# The icon's menu: a second window of the program on screen, beside the main one.
menu_open() { [ "$(xdotool search --onlyvisible --classname '^vexo$' 2>/dev/null | wc -l)" -ge 2 ]; }
# The menu beside the icon changed from its shot when it opened: an entry is lit.
entry_lit() { ! cmp -s "$work/menu.pnm" <(shoot_root | pnmcut 1000 600 280 200); }
same_shot() { shoot_window "$1" >"$work/now.pnm" && cmp -s "$2" "$work/now.pnm"; }

case "$mode" in
  bare) run_bare ;;
  desktop) run_desktop ;;
  both) run_bare; run_desktop ;;
  scripting) run_scripting ;;
  all) run_bare; run_desktop; run_scripting ;;
  *) echo "usage: $0 [bare|desktop|both|scripting|all]"; exit 2 ;;
esac
echo "desktop-check: all checks passed"
