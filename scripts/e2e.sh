#!/bin/sh
# End-to-end check of what the in-process tests cannot see: the built tastarello binary, started
# as a user starts it, under a virtual display (Xvfb) in a private network namespace, against
# Debian's telnetd: logged in twice in a row ("Trennen", "Verbinden"), a screenshot, "Beenden";
# then a first login that the daemon refuses.
#
# Usage: scripts/e2e.sh [BUILD_DIR (default: build)]; the screenshot goes to BUILD_DIR/e2e-screenshot.png.
set -eu
cd "$(dirname "$0")/.."
ROOT=$(pwd)
BUILD=${1:-build}
case $BUILD in /*) ;; *) BUILD=$ROOT/$BUILD ;; esac
SHOT=$BUILD/e2e-screenshot.png

say() { printf 'e2e: %s\n' "$*" >&2; }
fail() { say "FAILED: $*" && exit 1; }

if [ -z "${TASTARELLO_E2E_INSIDE:-}" ]; then
    cmake --build "$BUILD" --target tastarello >/dev/null || fail "cannot build in $BUILD"
    exec scripts/netns-run env TASTARELLO_E2E_INSIDE=1 "$0" "$BUILD"
fi

. scripts/xsession.sh
# A display at 100 %, as a desktop at that scaling sets it (without it, Qt 5 scales by the virtual
# screen's physical 100 dpi): the clicks below are in pixels.
echo "Xft.dpi: 96" | xrdb -nocpp -merge
export QT_QPA_PLATFORM=xcb
# The main window's title carries the version that the program was built with.
TITLE="Tastarello $("$BUILD/src/app/tastarello" --version | sed -n 's/^tastarello \([0-9]*\.[0-9]*\).*/\1/p')"

LOG=$WORK/telnetd.log
logins() { [ "$(cat "$LOG" 2>/dev/null | grep -c -- '> gua$')" -ge "$1" ]; }

# Started in the icon directory, as the desktop entry does: the window loads its icon from there.
# The login counts once the command $1 succeeds.
start_and_login() {
    (cd "$ROOT/resources/icons" && exec "$BUILD/src/app/tastarello") >"$WORK/tastarello.out" 2>&1 &
    APP=$!
    PIDS="$PIDS $APP"
    login_at_dialog "$1" 150 "$WORK/tastarello.out"
}
# The central widget begins below the (empty) tool bar, 16 pixels high.
click() { xdotool mousemove --window "$MAIN" "$1" $(($2 + 16)) click 1; }

# Debian's telnetd prompts only once its option requests are answered: every connection must
# negotiate anew. It runs behind socat, with a stand-in for /bin/login that shows the master's
# prompts and, like the master, passes over empty lines. Like Linux it greets a login with "Last
# login: ...", which is no prompt; while $WORK/refuse exists it refuses the next password.
cat >"$WORK/login" <<EOF2
#!/bin/sh
while :; do
    printf 'login: '; while read -r user && [ -z "\$user" ]; do :; done
    stty -echo; printf 'password: '; while read -r password && [ -z "\$password" ]; do :; done; stty echo
    echo "login \$user \$password" >>"$LOG"
    rm "$WORK/refuse" 2>/dev/null && printf '\\r\\nLogin incorrect\\r\\n' && continue
    [ "\$user" = tastarello ] && [ "\$password" = kantor ] || exit 1
    break
done
printf '\\r\\nLast login: Mon Dec  7 17:46:35 from 10.0.0.2'
while printf '\\r\\nmaster> ' && read -r line; do
    echo "> \$line" >>"$LOG"
    [ "\$line" = q ] && exit 0
done
EOF2
chmod +x "$WORK/login"
socat TCP-LISTEN:23,reuseaddr,fork EXEC:"/usr/sbin/telnetd -h -E $WORK/login",nofork 2>"$WORK/socat.out" &
PIDS="$PIDS $!"
logged() { [ "$(grep -c '^login ' "$LOG")" -eq "$1" ] && ! grep -v -E '^(login tastarello kantor|> gua|> q)$' "$LOG"; }
start_and_login 'logins 1'
click 1065 304 # "Trennen": "q" ends the daemon's session
await 'grep -q "^> q\$" "$LOG"' 50 || fail "\"Trennen\" sent no \"q\""
await '[ -z "$(ss -Htn state established "( sport = :23 )")" ]' 50 || fail "the daemon kept the connection"
click 1065 304 # "Verbinden"
await 'logins 2' 150 || fail "no second login at telnetd: $(cat "$LOG" "$WORK/tastarello.out")"
logged 2 || fail "the greeting was answered, or a login repeated: $(cat "$LOG")"
shoot "$SHOT" && say "screenshot: $SHOT"
click 1116 634 # "Beenden": the event loop's exit code 0
await '! kill -0 "$APP" 2>/dev/null' 50 || fail "the program did not quit"
wait "$APP" || fail "tastarello exited with $?; output: $(cat "$WORK/tastarello.out")"

# A refused first login: the prompts are answered once, the refusal ends the program with its box
# at once, not after the connect time-out.
touch "$WORK/refuse"
start_and_login 'find_window "^Connection error\$"'
find_window "^Connection error\$" || fail "the box went away"
BOX=$FOUND
logged 3 || fail "the refused login was answered again: $(cat "$LOG")"
# The box may be gone at the key's release, which xdotool then reports as an error.
xdotool key --window "$BOX" Return 2>/dev/null || true
await '! kill -0 "$APP" 2>/dev/null' 50 || fail "the program did not end after the refusal"
rc=0 && wait "$APP" || rc=$?
[ "$rc" -eq 1 ] || fail "a refused first login ended with exit code $rc"
say "passed"
