#!/bin/sh
# Builds Tastarello Service and starts it against the master module simulator,
# so that it logs in and goes "online" without a master module and without
# changing anything on this machine: the program and the simulator run in a
# private network namespace (unshare -rn) in which the login dialog's preset
# addresses are routed to the namespace's own loopback device, and the window
# shows on your display. Press "verbinden" in the login dialog (the default
# "Windows auto" preset, user tastarello, password kantor).
#
# Where unprivileged user namespaces are refused, the simulator listens on a
# free port of 127.0.0.1 instead and the program starts with that address and
# port typed into the login dialog; press "verbinden" there as well.
#
# Against a real master module, start the built program on its own instead:
#   build/src/app/tastarello
#
# Usage: scripts/run.sh [--no-deps] [-- extra mastersim switches]
#   --no-deps   skip installing packages (scripts/install-deps.sh)
#   Environment: TASTARELLO_BUILD_DIR (default: build),
#                TASTARELLO_RUN_NO_NETNS=1 (use 127.0.0.1 even where namespaces work)
set -eu
cd "$(dirname "$0")/.."
ROOT=$(pwd)
BUILD=${TASTARELLO_BUILD_DIR:-$ROOT/build}
case $BUILD in /*) ;; *) BUILD=$ROOT/$BUILD ;; esac

say() { printf 'run: %s\n' "$*" >&2; }

# What follows "--" stays in "$@" for the simulator.
DEPS=1
while [ $# -gt 0 ]; do
    case $1 in
    --no-deps) DEPS=0 ;;
    --) shift; break ;;
    -h|--help) sed -n '2,20p' "$0" | sed 's/^# \{0,1\}//'; exit 0 ;;
    esac
    shift
done

SIM=""
APP=""
# shellcheck disable=SC2317 # called by the traps
stop() {
    [ -n "$APP" ] && kill "$APP" 2>/dev/null
    [ -n "$SIM" ] && kill "$SIM" 2>/dev/null
    return 0
}

# Runs the program with the given options until it ends, then ends this script.
run_program() {
    # The window loads its icon from the working directory.
    cd "$ROOT/resources/icons"
    "$BUILD/src/app/tastarello" "$@" &
    APP=$!
    status=0
    wait "$APP" || status=$?
    APP=""
    say "tastarello ended with exit code $status"
    exit "$status"
}

# Starts the simulator on address $1, port $2 (0: a free one), with the extra switches in "$@"
# after them, and waits until it says where it listens: that port is then in $PORT.
start_simulator() {
    address=$1 port=$2
    shift 2
    LOG=$BUILD/mastersim.log
    OUT=$BUILD/mastersim.out
    : >"$OUT"
    "$BUILD/tools/mastersim/mastersim" --listen "$address" --port "$port" --log "$LOG" "$@" >"$OUT" &
    SIM=$!
    trap stop EXIT
    trap 'stop; exit 130' INT TERM
    PORT=""
    while [ -z "$PORT" ]; do
        if ! kill -0 "$SIM" 2>/dev/null; then
            say "the simulator did not start: $(cat "$OUT")"
            exit 1
        fi
        sleep 0.1
        PORT=$(sed -n 's/^mastersim: listening on .* port \([0-9][0-9]*\) .*/\1/p' "$OUT")
    done
}

# --- second stage: inside the namespace (scripts/netns-run) --------------------
if [ "${TASTARELLO_RUN_STAGE:-}" = inside ]; then
    # 0.0.0.0 inside the namespace: every preset address (and any typed one in
    # the routed ranges) reaches the simulator; nothing outside can.
    start_simulator 0.0.0.0 23 "$@"
    say "simulator listening on port 23 of every preset address; its log: $LOG"
    say "press \"verbinden\" in the login dialog"
    run_program
fi

# --- first stage: on the host ------------------------------------------------
NETNS=1
if [ -n "${TASTARELLO_RUN_NO_NETNS:-}" ] || ! unshare -rn true 2>/dev/null; then
    NETNS=0
fi

# The window needs a display that the namespace can reach: a local X server
# (its socket file in /tmp/.X11-unix is shared with the namespace) or a Wayland
# socket. A display over TCP (for example ssh -X) cannot be reached from the
# private network namespace.
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    say "no display: neither DISPLAY nor WAYLAND_DISPLAY is set."
    say "Start this from a desktop session, or run scripts/e2e.sh, which runs the program"
    say "under a virtual display (Xvfb) against the simulator and saves a screenshot."
    exit 2
fi
if [ -n "${DISPLAY:-}" ]; then
    # Without the namespace any display will do.
    case $NETNS:$DISPLAY in
    0:*|1::*|1:unix:*) ;;
    *)
        say "the display $DISPLAY is reached over the network, which the private network"
        say "namespace cannot do. Use a local display, or scripts/e2e.sh (virtual display)."
        exit 2
        ;;
    esac
    # The X server checks the same cookie inside the namespace.
    export XAUTHORITY="${XAUTHORITY:-$HOME/.Xauthority}"
else
    export QT_QPA_PLATFORM=wayland
fi

if [ $DEPS -eq 1 ]; then
    scripts/install-deps.sh
fi

if [ ! -f "$BUILD/build.ninja" ]; then
    cmake -S "$ROOT" -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
fi
cmake --build "$BUILD" --target tastarello mastersim

if [ $NETNS -eq 1 ]; then
    # The namespace routes the login presets' ranges to its own loopback device.
    exec scripts/netns-run env TASTARELLO_RUN_STAGE=inside TASTARELLO_BUILD_DIR="$BUILD" "$0" -- "$@"
fi

# --- no namespace: the simulator on a free port of 127.0.0.1 ----------------
start_simulator 127.0.0.1 0 "$@"
say "no private network namespace: the simulator listens on 127.0.0.1 port $PORT instead (log: $LOG); press \"verbinden\""
run_program --host 127.0.0.1 --port "$PORT"
