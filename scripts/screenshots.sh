#!/bin/sh
# Screenshots of the login dialog and the logged-in main window as a technician's screen shows them:
# a 1920 x 1080 screen (SIZE) at the display scalings 100 %, 125 % and 150 % (Xft.dpi 96, 120, 144, as
# a Linux desktop sets it), in German, English and Italian, against the simulator, all inside a private
# network namespace under Xvfb without a window manager.
#
# Usage: scripts/screenshots.sh [BUILD_DIR] [OUT_DIR] [SIZE] [DPI...]
#   BUILD_DIR (default: build) holds the built tastarello and mastersim, Qt 5 or Qt 6
#   OUT_DIR   (default: BUILD_DIR/screenshots) gets <dpi>-<language>-login.png and -main.png
set -eu
cd "$(dirname "$0")/.."
ROOT=$(pwd)
BUILD=${1:-build}
case $BUILD in /*) ;; *) BUILD=$ROOT/$BUILD ;; esac
OUT=${2:-$BUILD/screenshots}
case $OUT in /*) ;; *) OUT=$ROOT/$OUT ;; esac
SIZE=${3:-1920x1080}
[ $# -gt 3 ] && shift 3 || set -- 96 120 144

say() { printf 'screenshots: %s\n' "$*" >&2; }
fail() { say "FAILED: $*" && exit 1; }

if [ -z "${TASTARELLO_SHOTS_INSIDE:-}" ]; then
    for tool in Xvfb xdotool import xrdb unshare ip; do
        command -v "$tool" >/dev/null 2>&1 || fail "$tool is missing (scripts/install-deps.sh installs it)"
    done
    cmake --build "$BUILD" --target tastarello mastersim >/dev/null || fail "cannot build in $BUILD"
    exec scripts/netns-run env TASTARELLO_SHOTS_INSIDE=1 "$0" "$BUILD" "$OUT" "$SIZE" "$@"
fi

XVFB_SCREEN=$SIZE
. scripts/xsession.sh
mkdir -p "$OUT"
export QT_QPA_PLATFORM=xcb

for dpi in "$@"; do
    echo "Xft.dpi: $dpi" | xrdb -nocpp -merge
    for language in de en it; do
        # A simulator per run: it takes one technician at a time.
        rm -f "$WORK/sim.log"
        "$BUILD/tools/mastersim/mastersim" --listen 0.0.0.0 --port 23 --log "$WORK/sim.log" >/dev/null 2>&1 &
        SIM=$!
        PIDS="$PIDS $SIM"
        (cd "$ROOT/resources/icons" && exec "$BUILD/src/app/tastarello" --language "$language") \
            >"$WORK/tastarello.out" 2>&1 &
        APP=$!
        PIDS="$PIDS $APP"
        dialog=$(timeout 30 xdotool search --sync --onlyvisible --class tastarello | head -n1) ||
            fail "the login dialog did not show"
        shoot "$OUT/$dpi-$language-login.png"
        # The connect button has the focus: Return presses it.
        xdotool windowfocus --sync "$dialog" key Return
        await "grep -q -- '> gua\$' '$WORK/sim.log' 2>/dev/null" 100 || fail "no login: $(cat "$WORK/tastarello.out")"
        shoot "$OUT/$dpi-$language-main.png"
        kill "$APP" "$SIM" && wait "$APP" "$SIM" 2>/dev/null || true
        say "$OUT/$dpi-$language-{login,main}.png"
    done
done
