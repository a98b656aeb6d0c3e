#!/bin/sh
# End-to-end check of what the in-process tests cannot see: the built tastarello binary, started
# as a user starts it, under a virtual display (Xvfb) against the master module simulator, both in
# a private network namespace. Accepts the login dialog's default preset, waits for the login,
# clicks one button, saves a screenshot of the logged-in window and quits with "Beenden".
#
# Usage: scripts/e2e.sh [BUILD_DIR] [SCREENSHOT.png]
#   BUILD_DIR (default: build) holds the built tastarello and mastersim
#   SCREENSHOT  default: BUILD_DIR/e2e-screenshot.png
set -eu
cd "$(dirname "$0")/.."
ROOT=$(pwd)
BUILD=${1:-build}
case $BUILD in /*) ;; *) BUILD=$ROOT/$BUILD ;; esac
SHOT=${2:-$BUILD/e2e-screenshot.png}
case $SHOT in /*) ;; *) SHOT=$ROOT/$SHOT ;; esac

say() { printf 'e2e: %s\n' "$*" >&2; }
fail() { say "FAILED: $*" && exit 1; }

if [ -z "${TASTARELLO_E2E_INSIDE:-}" ]; then
    for tool in Xvfb xdotool import unshare ip socat /usr/sbin/telnetd; do
        command -v "$tool" >/dev/null 2>&1 || fail "$tool is missing (scripts/install-deps.sh installs it)"
    done
    cmake --build "$BUILD" --target tastarello mastersim >/dev/null || fail "cannot build in $BUILD"
    # tests/netns-run routes the login presets' ranges to the namespace's loopback device.
    exec tests/netns-run env TASTARELLO_E2E_INSIDE=1 "$0" "$BUILD" "$SHOT"
fi

. scripts/xsession.sh
TITLE="Tastarello $(sed -n 's/^project(tastarello VERSION \([0-9]*\.[0-9]*\).*/\1/p' CMakeLists.txt)"
LOG=$WORK/mastersim.log
export QT_QPA_PLATFORM=xcb

# A hostile banner: shown as text, the image tag must never make the program read /dev/zero.
"$BUILD/tools/mastersim/mastersim" --listen 0.0.0.0 --port 23 --log "$LOG" \
    --banner '<img src="/dev/zero"><b>bold</b>' >"$WORK/mastersim.out" 2>&1 &
SIM=$!
PIDS="$PIDS $SIM"
received() { grep -q -- "> $1\$" "$LOG" 2>/dev/null; }

# Started in the icon directory, as the desktop entry does: the window loads its icon from there.
# The login counts once the log holds $1 "gua" lines.
start_and_login() {
    (cd "$ROOT/resources/icons" && exec "$BUILD/src/app/tastarello") >"$WORK/tastarello.out" 2>&1 &
    APP=$!
    PIDS="$PIDS $APP"
    login_at_dialog "logins $1" 150 "$WORK/tastarello.out"
}
logins() { [ "$(cat "$LOG" 2>/dev/null | grep -c -- '> gua$')" -ge "$1" ]; }
# The central widget begins below the (empty) tool bar, 16 pixels high.
click() { xdotool mousemove --window "$MAIN" "$1" $(($2 + 16)) click 1; }
quit() {
    click 1116 634 # "Beenden": the event loop's exit code 0
    await '! kill -0 "$APP" 2>/dev/null' 50 || fail "the program did not quit"
    wait "$APP" || fail "tastarello exited with $?; output: $(cat "$WORK/tastarello.out")"
}

start_and_login 1
click 845 345 # "Werte ansehen" on Manual 1
await 'received gv1' 50 || fail "\"Werte ansehen\" sent nothing"
import -window "$MAIN" "$SHOT" || import -window root "$SHOT"
say "screenshot: $SHOT"
quit
kill "$SIM" 2>/dev/null || true

# A standard telnet daemon prompts only once its option requests are answered: logged in twice in
# a row, "Trennen" then "Verbinden", every connection must negotiate anew. Debian's telnetd runs
# behind socat, with a stand-in for /bin/login that shows the master's prompts and, like the
# master, passes over the empty lines that the client's own prompt handling sends.
LOG=$WORK/telnetd.log
cat >"$WORK/login" <<EOF2
#!/bin/sh
printf 'login: '; while read -r user && [ -z "\$user" ]; do :; done
stty -echo; printf 'password: '; while read -r password && [ -z "\$password" ]; do :; done; stty echo
[ "\$user" = tastarello ] && [ "\$password" = kantor ] || exit 1
while printf '\\r\\nmaster> ' && read -r line; do
    echo "> \$line" >>"$LOG"
    [ "\$line" = q ] && exit 0
done
EOF2
chmod +x "$WORK/login"
socat TCP-LISTEN:23,reuseaddr,fork EXEC:"/usr/sbin/telnetd -h -E $WORK/login",nofork 2>"$WORK/socat.out" &
PIDS="$PIDS $!"
start_and_login 1
click 1065 304 # "Trennen": "q" ends the daemon's session
await 'received q' 50 || fail "\"Trennen\" sent no \"q\""
sleep 1
click 1065 304 # "Verbinden"
await 'logins 2' 150 || fail "no second login at telnetd: $(cat "$LOG" "$WORK/tastarello.out")"
quit
say "passed"
