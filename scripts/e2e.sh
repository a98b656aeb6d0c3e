#!/bin/sh
# End-to-end check, as a user would do it: runs the built tastarello binary
# under a virtual display (Xvfb) against the master module simulator, both in a
# private network namespace, answers the login dialog and clicks a few buttons
# with xdotool, checks the simulator's log for the lines that must have
# arrived, and saves a screenshot of the logged-in window.
#
# Usage: scripts/e2e.sh [BUILD_DIR] [SCREENSHOT.png]
#   BUILD_DIR   a configured and built tree (default: build); tastarello and
#               mastersim are built there if missing
#   SCREENSHOT  default: BUILD_DIR/e2e-screenshot.png
# Exit code 0 when every check passed.
set -eu
cd "$(dirname "$0")/.."
ROOT=$(pwd)
BUILD=${1:-build}
case $BUILD in /*) ;; *) BUILD=$ROOT/$BUILD ;; esac
SHOT=${2:-$BUILD/e2e-screenshot.png}
case $SHOT in /*) ;; *) SHOT=$ROOT/$SHOT ;; esac

say() { printf 'e2e: %s\n' "$*" >&2; }
fail() {
    say "FAILED: $*"
    exit 1
}

if [ -z "${TASTARELLO_E2E_INSIDE:-}" ]; then
    for tool in Xvfb xdotool import unshare ip; do
        command -v "$tool" >/dev/null 2>&1 || fail "$tool is missing (scripts/install-deps.sh installs it)"
    done
    if [ ! -x "$BUILD/src/app/tastarello" ] || [ ! -x "$BUILD/tools/mastersim/mastersim" ]; then
        [ -f "$BUILD/build.ninja" ] || cmake -S "$ROOT" -B "$BUILD" -G Ninja >/dev/null
        cmake --build "$BUILD" --target tastarello mastersim
    fi
    unshare -rn true 2>/dev/null || fail "cannot create a private network namespace (unshare -rn)"
    exec unshare -rn env TASTARELLO_E2E_INSIDE=1 "$0" "$BUILD" "$SHOT"
fi

# --- inside the namespace ------------------------------------------------------
ip link set lo up
for net in 169.254.0.0/16 10.0.0.0/8 192.168.0.0/16; do
    ip route add local "$net" dev lo
done

WORK=$(mktemp -d)
LOG=$WORK/mastersim.log
PIDS=""
cleanup() {
    for pid in $PIDS; do
        kill "$pid" 2>/dev/null || true
    done
    rm -rf "$WORK"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

# A display number that Xvfb picks itself; its socket file is shared with the
# host's /tmp, so no fixed number may clash with a running X server.
Xvfb -displayfd 3 -nolisten tcp -screen 0 1280x800x24 3>"$WORK/display" 2>"$WORK/xvfb.log" &
PIDS="$PIDS $!"
i=0
while [ ! -s "$WORK/display" ]; do
    i=$((i + 1))
    [ $i -le 100 ] || fail "Xvfb did not start: $(cat "$WORK/xvfb.log")"
    sleep 0.1
done
DISPLAY=:$(head -n1 "$WORK/display")
export DISPLAY
export QT_QPA_PLATFORM=xcb

"$BUILD/tools/mastersim/mastersim" --listen 0.0.0.0 --port 23 --log "$LOG" >"$WORK/mastersim.out" 2>&1 &
PIDS="$PIDS $!"

# Polls the simulator's log for a received line (its entries read "... > line").
wait_for_line() {
    n=0
    while ! grep -q -- "> $1\$" "$LOG" 2>/dev/null; do
        n=$((n + 1))
        [ $n -le $(($2 * 10)) ] || fail "the simulator did not receive \"$1\" within $2 s; log:
$(cat "$LOG" 2>/dev/null)"
        sleep 0.1
    done
}
# How many times a line arrived.
count_line() {
    grep -c -- "> $1\$" "$LOG" 2>/dev/null || true
}

(cd "$ROOT/resources/icons" && exec "$BUILD/src/app/tastarello") >"$WORK/tastarello.out" 2>&1 &
APP=$!
PIDS="$PIDS $APP"

# The login dialog: type an address of the VOXA range into the address field
# and press the connect button. Coordinates are the dialog's own widget
# geometry (no window manager, so no frame).
DIALOG=$(timeout 20 xdotool search --sync --onlyvisible --name '^Login Dialog$' | head -n1) ||
    fail "the login dialog did not show"
say "login dialog is window $DIALOG"
xdotool windowfocus --sync "$DIALOG"
xdotool mousemove --window "$DIALOG" 230 371 click --repeat 3 1
xdotool key --clearmodifiers ctrl+a
xdotool type --delay 20 '192.168.1.50'
xdotool mousemove --window "$DIALOG" 196 524 click 1

wait_for_line gua 15
say "logged in, \"gua\" received"

MAIN=$(timeout 10 xdotool search --sync --onlyvisible --name '^Tastarello 2.6$' | head -n1) ||
    fail "the main window did not show"
xdotool windowfocus --sync "$MAIN"
# The central widget begins below the (empty) tool bar.
TOP=16
click() { xdotool mousemove --window "$MAIN" "$1" $(($2 + TOP)) click 1; }

# "Werte ansehen" on Manual 1: direct path.
click 845 345
wait_for_line gv1 5
# Select "Manual 3" with the keyboard on the selector, then "Konfiguration
# speichern": two queued lines a second apart.
click 885 305
sleep 0.5
xdotool key Down Down Return
sleep 0.3
click 845 385
# A command typed into the command line and sent with Return.
click 885 491
xdotool type --delay 20 'gsm'
xdotool key Return
wait_for_line gsm 5
wait_for_line fw3 5
wait_for_line sc3 5
say "workflow lines received"

sleep 1
import -window "$MAIN" "$SHOT" || import -window root "$SHOT"
say "screenshot: $SHOT"

# "Trennen": "q", the simulator closes; a second click connects and logs in again.
click 1065 304
wait_for_line q 5
sleep 1.5
click 1065 304
n=0
while [ "$(count_line gua)" -lt 2 ]; do
    n=$((n + 1))
    [ $n -le 100 ] || fail "no new login after reconnecting"
    sleep 0.1
done
say "disconnected and logged in again"

# Quit ("Beenden") ends the program with the event loop's exit code 0.
click 1116 634
n=0
while kill -0 "$APP" 2>/dev/null; do
    n=$((n + 1))
    [ $n -le 50 ] || fail "the program did not quit"
    sleep 0.1
done
status=0
wait "$APP" || status=$?
[ "$status" -eq 0 ] || fail "tastarello exited with $status; output: $(cat "$WORK/tastarello.out")"

say "simulator log:"
sed 's/^/    /' "$LOG" >&2
say "passed"
