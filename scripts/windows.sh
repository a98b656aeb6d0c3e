#!/bin/sh
# Builds Tastarello Service for 64-bit Windows, packages it and tests it under Wine.
# Qt for Windows comes from Debian's own source, built once into a cache
# (scripts/windows-qt.sh); the program, the simulator and the Qt Test programs are
# cross-built with MinGW-w64. Then, inside a private network namespace and a fresh Wine
# prefix: the installer is installed silently, the installed program is driven against
# the Linux simulator (login, one click, a screenshot, "Beenden"), uninstalled and
# nothing of it may stay; then the Qt Test suite runs under Wine. Leaves the portable
# zip and the installer in build-win64/. Installs what it needs first.
# Usage: scripts/windows.sh [--if-cached]  (--if-cached: only with Qt for Windows already built)
set -eu
cd "$(dirname "$0")/.."
ROOT=$(pwd)
B=$ROOT/build-win64
VERSION=$(sed -n 's/^project(tastarello VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
NAME=tastarello-$VERSION-win64
say() { printf 'windows: %s\n' "$*" >&2; }
fail() { say "FAILED: $*" && exit 1; }
step() { printf '\n==== %s ====\n' "$*"; }

if [ -z "${TASTARELLO_WIN_INSIDE:-}" ]; then
    if [ "${1:-}" = "--if-cached" ] && ! scripts/windows-qt.sh --cached >/dev/null; then
        echo "windows: skipped: Qt for Windows is not built yet (scripts/windows.sh builds it once, in about 35 min)"
        exit 0
    fi
    missing=""
    for p in cmake ninja-build qttools5-dev qttranslations5-l10n g++-mingw-w64-x86-64-posix wine wine64 \
        fonts-wine nsis zip xvfb xauth xdotool imagemagick iproute2 util-linux dpkg-dev; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
    done
    if [ -n "$missing" ]; then
        SUDO=""
        [ "$(id -u)" -eq 0 ] || SUDO="sudo"
        say "installing$missing"
        $SUDO apt-get update -qq
        DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends $missing >/dev/null
    fi
    START=$(date +%s)
    QT=$(scripts/windows-qt.sh)

    step "cross build"
    cmake -S . -B "$B" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-w64-x86_64.cmake" \
        -DCMAKE_PREFIX_PATH="$QT" -DQt5LinguistTools_DIR=/usr/lib/x86_64-linux-gnu/cmake/Qt5LinguistTools \
        -DCMAKE_CROSSCOMPILING_EMULATOR="$ROOT/tests/wine-run" -DTASTARELLO_TESTS=ON >/dev/null
    cmake --build "$B" -j"$(nproc)"
    # The program meets the Linux simulator under Wine.
    [ -f build/CMakeCache.txt ] || cmake -S . -B build -G Ninja >/dev/null
    cmake --build build --target mastersim >/dev/null

    step "package"
    S=$B/$NAME
    rm -rf "$S" && mkdir -p "$S/platforms" "$S/styles" "$S/translations"
    cp "$B/src/app/tastarello.exe" "$B/tools/mastersim/mastersim.exe" resources/icons/tastarello.ico "$S/"
    for m in Core Gui Widgets Network; do cp "$QT/bin/Qt5$m.dll" "$S/"; done
    cp "$QT/plugins/platforms/qwindows.dll" "$S/platforms/"
    cp "$QT/plugins/styles/qwindowsvistastyle.dll" "$S/styles/"
    cp "$(dirname "$(x86_64-w64-mingw32-g++-posix -print-libgcc-file-name)")"/libgcc_s_seh-1.dll \
        "$(dirname "$(x86_64-w64-mingw32-g++-posix -print-libgcc-file-name)")"/libstdc++-6.dll \
        /usr/x86_64-w64-mingw32/lib/libwinpthread-1.dll "$S/"
    cp /usr/share/qt5/translations/qtbase_de.qm /usr/share/qt5/translations/qtbase_it.qm "$S/translations/"
    # Debian ships the MinGW runtime with its symbols: half the folder.
    find "$S" -name '*.dll' -o -name '*.exe' | xargs x86_64-w64-mingw32-strip --strip-unneeded
    rm -f "$B/$NAME.zip" && (cd "$B" && zip -qr9 "$NAME.zip" "$NAME")
    # The simulator is for training without a master: the zip has it, the installer not.
    (cd "$S" && find . -type f ! -name mastersim.exe | sort | sed 's|^\./||; s|/|\\|g; s|.*|Delete "$INSTDIR\\&"|' &&
        find . -mindepth 1 -type d | sort -r | sed 's|^\./||; s|/|\\|g; s|.*|RMDir "$INSTDIR\\&"|') >"$B/uninstall.nsh"
    makensis -V2 -DVERSION="$VERSION" -DSTAGE="$S" -DFILES="$B/uninstall.nsh" -DOUTFILE="$B/$NAME-setup.exe" \
        packaging/tastarello.nsi
    ls -l "$B/$NAME.zip" "$B/$NAME-setup.exe"

    # The rest in a private network namespace: the simulator on port 23 at the login dialog's
    # address, and Wine's sockets, which its server makes, with it.
    rm -f "$B/windows.log"
    tests/netns-run env TASTARELLO_WIN_INSIDE=1 QT="$QT" "$0" || rc=$?
    say "took $(($(date +%s) - START)) s"
    cat "$B/windows.log" 2>/dev/null || echo "windows: 0 passed, 1 failed"
    exit "${rc:-0}"
fi

# A fresh prefix; no menu entries on the host, no downloads of Mono or Gecko.
export WINEPREFIX=$B/wine WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml,winemenubuilder.exe=d"
rm -rf "$WINEPREFIX"
ON_EXIT='wineserver -k 2>/dev/null || true; rm -rf "$WINEPREFIX"'
. scripts/xsession.sh
TITLE="Tastarello $(echo "$VERSION" | cut -d. -f1,2)"
# Runs a check in a process of its own, where set -e holds, and counts it.
PASSED=0 FAILED=0
check() {
    "$@" &
    if wait $!; then PASSED=$((PASSED + 1)); else FAILED=$((FAILED + 1)) && say "$1 FAILED"; fi
}
wine wineboot --init 2>/dev/null && wineserver -w

LOG=$WORK/mastersim.log
"$ROOT/build/tools/mastersim/mastersim" --listen 0.0.0.0 --port 23 --log "$LOG" >"$WORK/mastersim.out" 2>&1 &
SIM=$!
PIDS="$PIDS $SIM"
received() { grep -q -- "> $1\$" "$LOG" 2>/dev/null; }

# The program in folder $1 as a user starts it there: the login dialog's default preset,
# "Werte ansehen", a screenshot to $2, "Beenden" with exit code 0.
drive() {
    # Qt's default font engine spaces lines twice as wide under Wine. Wine hands a QT_
    # variable on only when WINE stands before its name.
    (cd "$1" && WINEQT_QPA_PLATFORM=windows:fontengine=freetype exec wine ./tastarello.exe) >"$WORK/app.out" 2>&1 &
    app=$!
    login_at_dialog 'received gua' 200 "$WORK/app.out"
    # The Windows keep-alive settings reach the Linux socket under Wine: its keep-alive timer runs.
    ss -tno state established '( dport = :23 )' | grep -o 'timer:(keepalive[^)]*)' >&2 ||
        fail "no keep-alive on the program's connection"
    # With no window manager the X window keeps its first size while Windows maximizes the
    # window inside it: the status bar would stay hidden below.
    xdotool windowsize --sync "$MAIN" 1216 777
    xdotool mousemove --window "$MAIN" 845 361 click 1
    await 'received gv1' 50 || fail "\"Werte ansehen\" sent nothing"
    sleep 1
    import -window "$MAIN" "$2"
    xdotool mousemove --window "$MAIN" 1116 650 click 1
    wait "$app" || fail "tastarello.exe exited with $?: $(cat "$WORK/app.out")"
}

installed() {
    dir="$WINEPREFIX/drive_c/Program Files/Tastarello Service"
    # NSIS's uninstaller runs from a copy in the temporary folder, deleted at the next start of
    # Windows; Wine leaves that copy's empty folder.
    (cd "$WINEPREFIX/drive_c" && find . ! -path '*/Temp/*' | sort) >"$WORK/before"
    wine "$B/$NAME-setup.exe" /S
    [ -f "$dir/tastarello.exe" ] || fail "the installer installed nothing"
    # The shortcut starts the program in its folder, as drive does.
    strings -el "$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Tastarello Service.lnk" |
        grep -q 'C:\\Program Files\\Tastarello Service$' || fail "no shortcut that starts in the program folder"
    drive "$dir" "$B/wine-screenshot.png"
    say "screenshot: $B/wine-screenshot.png"
    # The uninstaller runs on from a copy of itself: the folder vanishing is its end.
    wine "$dir/uninstall.exe" /S
    await '[ ! -e "$dir" ]' 300 || fail "the uninstaller left $(ls "$dir")"
    wine wineboot --restart && wineserver -w
    (cd "$WINEPREFIX/drive_c" && find . ! -path '*/Temp/*' | sort) >"$WORK/after"
    diff "$WORK/before" "$WORK/after" || fail "the installer left files behind"
    ! grep -il tastarello "$WINEPREFIX"/*.reg || fail "the installer left registry entries behind"
}

step "installer, program and uninstaller under Wine"
check installed

kill "$SIM" # the tests' own simulators listen on port 23

step "tests under Wine"
# The test programs take the shipped DLLs, Qt Test's and the plugins from where Qt was built,
# and Qt's catalogues from beside them, as the program does.
cp -r "$B/$NAME/translations" "$B/tests/"
export WINEPATH="$B/$NAME;$QT/bin" QT_PLUGIN_PATH="Z:$QT/plugins" QT_QPA_FONTDIR=Z:/usr/share/wine/fonts \
    QT_FORCE_STDERR_LOGGING=1
ctest --test-dir "$B" --no-tests=error -V >"$WORK/ctest.log" 2>&1 || true
grep -E '^ *[0-9]+/[0-9]+ Test|^[0-9]+: (SKIP|FAIL!|XFAIL|XPASS)|tests passed' "$WORK/ctest.log" || true
grep -q '100% tests passed' "$WORK/ctest.log" || cp "$WORK/ctest.log" "$B/ctest-wine.log"
counts=$(sed -n 's/.*tests passed, \([0-9]*\) tests failed out of \([0-9]*\).*/\1 \2/p' "$WORK/ctest.log")
counts=${counts:-1 1}
FAILED=$((FAILED + ${counts%% *}))
PASSED=$((PASSED + ${counts##* } - ${counts%% *}))
echo "windows: $PASSED passed, $FAILED failed, $(grep -c '^[0-9]*: SKIP' "$WORK/ctest.log") skipped" >"$B/windows.log"
[ "$FAILED" -eq 0 ]
