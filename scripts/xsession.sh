# Sourced by the checks that drive the program under a virtual display (scripts/e2e.sh,
# scripts/windows.sh), which define say and fail first. Gives a scratch folder $WORK that
# goes on exit with every process listed in $PIDS (and whatever $ON_EXIT says), await,
# an Xvfb of its own as $DISPLAY, shoot (a settled screenshot) and login_at_dialog.

WORK=$(mktemp -d)
PIDS=""
ON_EXIT=${ON_EXIT:-}
trap 'for pid in $PIDS; do kill "$pid" 2>/dev/null || true; done; eval "$ON_EXIT"; rm -rf "$WORK"' EXIT
trap 'exit 130' INT TERM

# Waits up to $2 tenths of a second for the command $1 to succeed.
await() {
    n=0
    until eval "$1"; do
        n=$((n + 1))
        [ $n -le "$2" ] || return 1
        sleep 0.1
    done
}

# A display number that Xvfb picks itself: its socket file is shared with the host's /tmp. It keeps
# its resources (Xft.dpi) when the last program ends.
Xvfb -displayfd 3 -noreset -nolisten tcp -screen 0 "${XVFB_SCREEN:-1280x800}x24" 3>"$WORK/display" 2>"$WORK/xvfb.log" &
PIDS="$PIDS $!"
await '[ -s "$WORK/display" ]' 100 || fail "Xvfb did not start: $(cat "$WORK/xvfb.log")"
DISPLAY=:$(head -n1 "$WORK/display")
export DISPLAY

# A screenshot of the whole screen into $1 once the screen has settled: two raw pictures in a row
# alike (up to five seconds).
shoot() {
    import -window root "$WORK/settled.rgb"
    n=0
    until import -window root "$WORK/now.rgb" && cmp -s "$WORK/now.rgb" "$WORK/settled.rgb" || [ $n -ge 50 ]; do
        mv "$WORK/now.rgb" "$WORK/settled.rgb"
        n=$((n + 1))
    done
    import -window root "$1"
}

# The first visible window whose title matches $1, as $FOUND. xdotool gives up when a window
# vanishes while it looks (a program starting or ending), so the callers simply look again.
find_window() {
    FOUND=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n1) && [ -n "$FOUND" ]
}

# Accepts the login dialog's default preset (the dialog's own widget geometry gives the
# coordinates: no window manager, so no frame), waits up to $2 tenths of a second for the
# login that the command $1 sees, and finds the main window, titled $TITLE, as $MAIN. $3 is
# the program's output, shown when something fails.
login_at_dialog() {
    await 'find_window "^Login Dialog\$"' 300 || fail "the login dialog did not show"
    xdotool windowfocus --sync "$FOUND" mousemove --window "$FOUND" 196 524 click 1
    await "$1" "$2" || fail "no login: $(cat "$LOG" "$3")"
    await 'find_window "^$TITLE\$"' 100 || fail "the main window did not show"
    MAIN=$FOUND
}
