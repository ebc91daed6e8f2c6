#!/usr/bin/env bash
# End to end in a real X server, as a user does it: the host opens partition 1
# of a fresh store; xdotool types a new name and a time limit of 2:05 and
# presses Return (OK is the default button); the store must then hold the
# name and 125 seconds. The host then opens the partition again and Escape,
# with nothing pending, must close it at once. Last, Escape on the question
# before a move must leave it open, and its Yes must save.
# Then the two example hosts, which register nothing in their process: the
# plain C host's dialog closes on Escape with Shown True and ErrCode 0, and
# in the Python host's a new name and Return save through the server
# components' library that the registry names.
#
# It waits on the X server (its -displayfd answer) and on the dialog's window,
# never on a fixed delay, and every wait has a limit. Xvfb and the host are
# ended on every way out of the script.
#   usage: scripts/e2e.sh [BUILD_FOLDER]   (default build/default)
set -euo pipefail
cd "$(dirname "$0")/.."

readonly wait_limit=30 # seconds for any one wait
build=$(readlink -f "${1:-build/default}")
host=$build/src/host/partition-settings
c_host=$build/examples/c-host/c_host
runtime=$build/lib/libpartset_com_runtime.so
work=$(mktemp -d)
xvfb_pid=""
host_pid=""

# Ends a process of ours and reaps it.
stop() {
    [ -n "$1" ] || return 0
    kill "$1" 2>/dev/null || true
    wait "$1" 2>/dev/null || true
}

cleanup() {
    stop "$host_pid"
    stop "$xvfb_pid"
    rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 130' INT TERM HUP

fail() {
    echo "e2e: $*" >&2
    if [ -s "$work/host.log" ]; then sed 's/^/e2e: host: /' "$work/host.log" >&2; fi
    if [ -n "$xvfb_pid" ] && ! kill -0 "$xvfb_pid" 2>/dev/null; then echo "e2e: Xvfb had ended" >&2; fi
    if [ -s "$work/xvfb.log" ]; then sed 's/^/e2e: Xvfb: /' "$work/xvfb.log" >&2; fi
    exit 1
}

for tool in Xvfb xdotool sqlite3 python3; do
    command -v "$tool" >/dev/null || fail "$tool is missing (scripts/bootstrap.sh installs it)"
done
[ -x "$host" ] && [ -x "$c_host" ] || fail "no host at $host or $c_host (build them first)"

# Xvfb writes its display number to fd 3 once it accepts clients; reading the
# FIFO blocks until then, or ends empty if Xvfb dies first.
mkfifo "$work/display"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
xvfb_pid=$!
display=""
read -r -t "$wait_limit" display <"$work/display" || true
[ -n "$display" ] || fail "Xvfb gave no display number: $(cat "$work/xvfb.log")"
export DISPLAY=":$display"
unset QT_QPA_PLATFORM WAYLAND_DISPLAY
# A client's first connection is what proves the server answers (a host was
# once refused on a display whose number had just been given).
x_answers() { xdotool getdisplaygeometry >/dev/null 2>&1; }
x_deadline=$((SECONDS + wait_limit))
until x_answers; do
    kill -0 "$xvfb_pid" 2>/dev/null || fail "Xvfb ended: $(cat "$work/xvfb.log")"
    [ "$SECONDS" -lt "$x_deadline" ] || fail "Xvfb does not answer on $DISPLAY: $(cat "$work/xvfb.log")"
    sleep 0.05
done
export XDG_RUNTIME_DIR="$work/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"
export VELANTIS_COMMON_APPDATA="$work/appdata"
export VELANTIS_REGISTRY_FILE="$work/registry.json"
mkdir -p "$VELANTIS_COMMON_APPDATA"
"$host" --register || fail "the host could not register the component library"
store="$work/store.sqlite"

# Polls until the command succeeds, the host ends, or the limit passes.
wait_for() {
    local deadline=$((SECONDS + wait_limit))
    until "$@"; do
        kill -0 "$host_pid" 2>/dev/null || return 1
        [ "$SECONDS" -lt "$deadline" ] || return 1
        sleep 0.05
    done
}

dialog_window() { window=$(xdotool search --onlyvisible --name '^Partition Settings$' | head -n 1) && [ -n "$window" ]; }
has_focus() { [ "$(xdotool getwindowfocus)" = "$window" ]; }

# Starts a host (the configuration host on partition 1 unless a command is
# given) and waits until its dialog is mapped and has the keyboard focus.
# Keys then go to the focused window through the XTEST extension, as a
# keyboard's would (keys sent to a window id may keep a modifier held on
# later keys).
open_dialog() {
    [ "$#" -gt 0 ] || set -- "$host" --store "$store" --config 1 --partition 1
    "$@" >"$work/host.log" 2>&1 &
    host_pid=$!
    wait_for dialog_window || fail "the dialog did not appear"
    xdotool windowfocus "$window"
    wait_for has_focus || fail "the dialog did not get the keyboard focus"
}

# Waits for the host to end and checks that it reported success.
host_exits_cleanly() {
    local status=0
    timeout "$wait_limit" tail --pid="$host_pid" -f /dev/null || fail "the host did not close"
    wait "$host_pid" || status=$?
    host_pid=""
    [ "$status" -eq 0 ] || fail "the host exited with $status"
}

query() { sqlite3 -batch -noheader "$store" "$1"; }

open_dialog
# The focus starts in the name box; Tab selects a box's whole text. Tab order
# from the name: access code, remote language, recording minutes and
# seconds, no-message action, selection limit, time-limit minutes, seconds.
xdotool key ctrl+a
xdotool type --delay 20 "Night shift"
xdotool key Tab Tab Tab Tab Tab Tab Tab
xdotool type --delay 20 "2"
xdotool key Tab
xdotool type --delay 20 "5"
xdotool key Return
host_exits_cleanly

saved=$(query "SELECT Name || '|' || TimeLimit FROM Partitions WHERE Config_ID = 1 AND PartitionID = 1")
[ "$saved" = "Night shift|125" ] || fail "the store holds '$saved', expected 'Night shift|125'"

# The saved partition opens again; Escape with nothing pending closes at once.
open_dialog
xdotool key Escape
host_exits_cleanly

# A pending edit and Ctrl+PgDn ask "Do you want to save changes?" with Yes and
# No. Escape must not answer it: the question stays open. Return (Yes, its
# default button) then saves and the move goes on to partition 2, where a new
# name and Return (OK) save and close. Had Escape answered No, partition 1
# would keep its name; had it closed the question without moving, the second
# Return would have saved partition 1 and closed, and partition 2 would keep
# its name.
question_window() { window=$(xdotool search --onlyvisible --name '^Confirmation$' | head -n 1) && [ -n "$window" ]; }
open_dialog
dialog=$window
xdotool key ctrl+a
xdotool type --delay 20 "Day shift"
xdotool key ctrl+Next
wait_for question_window || fail "the move did not ask to save"
xdotool windowfocus "$window"
wait_for has_focus || fail "the question did not get the keyboard focus"
xdotool key Escape
question_window || fail "Escape answered the question"
xdotool key Return
window=$dialog
wait_for has_focus || xdotool windowfocus "$window"
wait_for has_focus || fail "the dialog did not get the keyboard focus back"
xdotool key ctrl+a
xdotool type --delay 20 "Moved"
xdotool key Return
host_exits_cleanly

saved=$(query "SELECT group_concat(Name, '|') FROM (SELECT Name FROM Partitions WHERE Config_ID = 1 AND PartitionID IN (1, 2) ORDER BY PartitionID)")
[ "$saved" = "Day shift|Moved" ] || fail "the store holds '$saved', expected 'Day shift|Moved'"
# The example hosts get their components from the server library, on the
# same store.
export QRV_SERVER_STORE="$store"
open_dialog "$c_host" 1 2 f
xdotool key Escape
host_exits_cleanly
[ "$(cat "$work/host.log")" = "$(printf 'Shown: True\nErrCode: 0')" ] ||
    fail "the C host printed '$(cat "$work/host.log")'"

open_dialog python3 examples/python/python_host.py --runtime "$runtime" 1 3 f
xdotool key ctrl+a
xdotool type --delay 20 "From Python"
xdotool key Return
host_exits_cleanly
saved=$(query "SELECT Name FROM Partitions WHERE Config_ID = 1 AND PartitionID = 3")
[ "$saved" = "From Python" ] || fail "the store holds '$saved' for partition 3, expected 'From Python'"
echo "e2e: passed"
