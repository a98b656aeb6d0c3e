#!/bin/sh
# Builds Tastarello Service for 64-bit Windows, packages it and tests it under Wine.
# Qt for Windows comes from Debian's own source, built once into a cache
# (scripts/windows-qt.sh); the program, the simulator and the Qt Test programs are
# cross-built with MinGW-w64, and so is the previous commit's program, for the installer
# to upgrade from. Then, inside a private network namespace and a fresh Wine prefix: the
# programs' resources; the installer's languages; a silent installation driven against
# the Linux simulator (login, one click, a screenshot, "Beenden") and uninstalled without
# a trace; an upgrade from the previous version into a folder with blanks and umlauts,
# and the same version again; installing and uninstalling while the program runs; and
# nothing left behind. Then the Qt Test suite runs under Wine. Leaves the portable zip,
# the installer and the screenshots in build-win64/. Installs what it needs first.
# Usage: scripts/windows.sh  (PREVIOUS=<commit> sets the version to upgrade from, default HEAD~1)
set -eu
cd "$(dirname "$0")/.."
ROOT=$(pwd)
B=$ROOT/build-win64
VERSION=$(sed -n 's/^project(tastarello VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
NAME=tastarello-$VERSION-win64
say() { printf 'windows: %s\n' "$*" >&2; }
fail() { say "FAILED: $*" && exit 1; }
step() { printf '\n==== %s ====\n' "$*"; }
# Adds the seconds since the last mark to TIMES, for the closing line.
mark() { now=$(date +%s) && TIMES="${TIMES:+$TIMES, }$1 $((now - LAP)) s" && LAP=$now; }

if [ -z "${TASTARELLO_WIN_INSIDE:-}" ]; then
    scripts/install-deps.sh cmake ninja-build git qttools5-dev qttranslations5-l10n g++-mingw-w64-x86-64-posix \
        wine wine64 fonts-wine nsis zip icoutils locales xvfb xauth xdotool x11-utils imagemagick iproute2 \
        util-linux dpkg-dev
    START=$(date +%s) LAP=$(date +%s) TIMES=""
    QT=$(scripts/windows-qt.sh)
    mark "Qt"

    step "cross build"
    # $1 source tree, $2 build folder, then the targets to build (all without).
    cross_build() {
        src=$1 dir=$2 && shift 2
        cmake -S "$src" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release \
            -DCMAKE_TOOLCHAIN_FILE="$src/cmake/mingw-w64-x86_64.cmake" -DCMAKE_PREFIX_PATH="$QT" \
            -DQt5LinguistTools_DIR=/usr/lib/x86_64-linux-gnu/cmake/Qt5LinguistTools \
            -DCMAKE_CROSSCOMPILING_EMULATOR="$ROOT/tests/wine-run" -DTASTARELLO_TESTS="$([ $# -eq 0 ] && echo ON || echo OFF)" >/dev/null
        nice cmake --build "$dir" -j"$(nproc)" ${1:+--target "$@"}
    }
    cross_build "$ROOT" "$B"
    # The program meets the Linux simulator under Wine.
    [ -f build/CMakeCache.txt ] || cmake -S . -B build -G Ninja >/dev/null
    nice cmake --build build --target mastersim >/dev/null
    mark "build"

    step "package"
    # The program built in $1 and what it loads, into the folder $2.
    stage() {
        rm -rf "$2" && mkdir -p "$2/platforms" "$2/imageformats" "$2/translations"
        cp "$1/src/app/tastarello.exe" resources/icons/tastarello.ico "$2/"
        for m in Core Gui Widgets Network; do cp "$QT/bin/Qt5$m.dll" "$2/"; done
        cp "$QT/plugins/platforms/qwindows.dll" "$2/platforms/"
        # Qt reads the window's icon file, tastarello.ico, through this plugin only.
        cp "$QT/plugins/imageformats/qico.dll" "$2/imageformats/"
        runtime=$(dirname "$(x86_64-w64-mingw32-g++-posix -print-libgcc-file-name)")
        cp "$runtime/libgcc_s_seh-1.dll" "$runtime/libstdc++-6.dll" /usr/x86_64-w64-mingw32/lib/libwinpthread-1.dll "$2/"
        cp /usr/share/qt5/translations/qtbase_de.qm /usr/share/qt5/translations/qtbase_it.qm "$2/translations/"
    }
    # The installer $3 of the folder $1 made with the NSIS script $2. The simulator is for
    # training without a master: the zip has it, the installer not.
    installer() {
        # Debian ships the MinGW runtime with its symbols: half the folder.
        find "$1" -name '*.dll' -o -name '*.exe' | xargs x86_64-w64-mingw32-strip --strip-unneeded
        (cd "$1" && find . -type f ! -name mastersim.exe | sort | sed 's|^\./||; s|/|\\|g; s|.*|Delete "$INSTDIR\\&"|' &&
            find . -mindepth 1 -type d | sort -r | sed 's|^\./||; s|/|\\|g; s|.*|RMDir "$INSTDIR\\&"|') >"$1.nsh"
        makensis -V2 -DVERSION="$VERSION" -DSTAGE="$1" -DFILES="$1.nsh" -DOUTFILE="$3" "$2"
    }
    S=$B/$NAME
    stage "$B" "$S"
    cp "$B/tools/mastersim/mastersim.exe" "$S/"
    installer "$S" packaging/tastarello.nsi "$B/$NAME-setup.exe"
    rm -f "$B/$NAME.zip" && (cd "$B" && zip -qr9 "$NAME.zip" "$NAME")
    ls -l "$B/$NAME.zip" "$B/$NAME-setup.exe"
    mark "package"

    step "the previous version's installer"
    # The previous commit's program and NSIS script, staged as today. Versions before this
    # one shipped the Windows Vista style, which the program never loaded: a stand-in of it
    # is a file that the upgrade has to remove.
    P=$B/previous
    PREVIOUS=$(git rev-parse --verify "${PREVIOUS:-HEAD~1}^{commit}") ||
        fail "no previous commit to upgrade from (a clone with history, or PREVIOUS=<commit>)"
    if [ "$(cat "$P/commit" 2>/dev/null)" != "$PREVIOUS" ]; then
        rm -rf "$P" && mkdir -p "$P/src"
        git archive "$PREVIOUS" | tar -x -C "$P/src"
        echo "$PREVIOUS" >"$P/commit"
    fi
    cross_build "$P/src" "$P/build" tastarello
    stage "$P/build" "$P/stage"
    mkdir "$P/stage/styles" && cp "$QT/plugins/platforms/qminimal.dll" "$P/stage/styles/qwindowsvistastyle.dll"
    installer "$P/stage" "$P/src/packaging/tastarello.nsi" "$P/$NAME-setup.exe"
    mark "previous version"

    # Windows display languages for the installer, built once.
    mkdir -p "$B/locale"
    for l in de_DE en_US it_IT fr_FR; do
        [ -d "$B/locale/$l.UTF-8" ] || localedef -i "$l" -f UTF-8 "$B/locale/$l.UTF-8"
    done

    # The rest in a private network namespace: the simulator on port 23 at the login dialog's
    # address, and Wine's sockets, which its server makes, with it.
    rm -f "$B/windows.log" "$B/windows-times.log"
    scripts/netns-run env TASTARELLO_WIN_INSIDE=1 QT="$QT" "$0" || rc=$?
    cat "$B/windows.log" 2>/dev/null || echo "windows: 0 passed, 1 failed"
    say "took $(($(date +%s) - START)) s: $TIMES, $(cat "$B/windows-times.log" 2>/dev/null)"
    exit "${rc:-0}"
fi

# A fresh prefix; no menu entries on the host, no downloads of Mono or Gecko.
export WINEPREFIX=$B/wine WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml,winemenubuilder.exe=d"
rm -rf "$WINEPREFIX"
ON_EXIT='wineserver -k 2>/dev/null || true; rm -rf "$WINEPREFIX"'
. scripts/xsession.sh
TITLE="Tastarello $(echo "$VERSION" | cut -d. -f1,2)"
LAP=$(date +%s) TIMES=""
# Runs a check in a process of its own, where set -e holds, and counts it. A check lists the
# programs it starts with started; those of a failed check are ended.
PASSED=0 FAILED=0
check() {
    "$@" &
    if wait $!; then PASSED=$((PASSED + 1)); else FAILED=$((FAILED + 1)) && say "$1 FAILED"; fi
    for pid in $(cat "$WORK/started" 2>/dev/null); do kill "$pid" 2>/dev/null || true; done
    rm -f "$WORK/started"
}
started() { echo "$1" >>"$WORK/started"; }
# Ends the program $1 that a check started, quietly.
end() { kill "$1" && { wait "$1" 2>/dev/null || true; }; }
wine wineboot --init 2>/dev/null && wineserver -w
C=$WINEPREFIX/drive_c
# Everything a fresh Windows has: what must be there again once the program is uninstalled.
# NSIS's uninstaller runs from a copy in the temporary folder, deleted at the next start of
# Windows; Wine leaves that copy's empty folder.
(cd "$C" && find . ! -path '*/Temp/*' | sort) >"$WORK/fresh"
export LOCPATH=$B/locale
SETUP=$B/$NAME-setup.exe
PRODUCT="Tastarello Service $VERSION"
UNINSTALL_KEY='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall'

LOG=$WORK/mastersim.log
"$ROOT/build/tools/mastersim/mastersim" --listen 0.0.0.0 --port 23 --log "$LOG" >"$WORK/mastersim.out" 2>&1 &
SIM=$!
PIDS="$PIDS $SIM"
received() { grep -q -- "> $1\$" "$LOG" 2>/dev/null; }
# True once one more login than at the last call of next_login has reached the simulator.
logins() { grep -c -- '> gua$' "$LOG" || true; }
next_login() { LOGINS=$(($(logins) + 1)); }
logged_in() { [ "$(logins)" -ge "$LOGINS" ]; }
# The window icon's colours as Wine hands them to X: the wood of the program's icon, and red.
WOOD=4284101656 RED=4294901760
icon_has() { xprop -id "$1" -notype 32c _NET_WM_ICON | grep -q "$2"; }

# What the screen shows of window $1 (and of windows above it), into the picture $2.
capture() { eval "$(xdotool getwindowgeometry --shell "$1")" && import -window root -crop "${WIDTH}x$HEIGHT+$X+$Y" "$2"; }
# The colour at the place x,y ($2) of the picture $1.
pixel() { convert "$1" -format "%[pixel:p{$2}]" info:; }
# Saves a picture of the window $1 to $2 once it has stopped changing (two captures alike)
# and, with $3, differs from the earlier capture $3.
settled() {
    win=$1 earlier=${3:-/dev/null}
    capture "$win" "$WORK/last.ppm"
    await 'capture "$win" "$WORK/now.ppm" && cmp -s "$WORK/now.ppm" "$WORK/last.ppm" &&
        ! cmp -s "$WORK/now.ppm" "$earlier" || { mv "$WORK/now.ppm" "$WORK/last.ppm" && false; }' 100 ||
        fail "the window did not settle for $2"
    convert "$WORK/now.ppm" "$2"
    say "screenshot: $2"
}

# The programs carry their icon, version information and manifest.
resources() {
    expected=$(echo "$VERSION" | awk -F. '{ printf "%04x%04x %04x0000", $1, $2, $3 }')
    for exe in "$B/$NAME/tastarello.exe" "$B/$NAME/mastersim.exe"; do
        wrestool -l --type=14 --name=IDI_ICON1 "$exe" | grep -q . || fail "no icon IDI_ICON1 in $exe"
        info=$(wrestool -x --raw --type=16 "$exe" | strings -el | tr '\n' '|')
        for pair in "ProductName|Tastarello Service" "ProductVersion|$VERSION" "FileVersion|$VERSION"; do
            case $info in *"|$pair|"*) ;; *) fail "no \"$pair\" in the version information of $exe: $info" ;; esac
        done
        # The numbers that Windows compares: VS_FIXEDFILEINFO, after its signature.
        fixed=$(wrestool -x --raw --type=16 "$exe" | od -An -v -tx4 -w4 |
            awk '$1 == "feef04bd" { getline; getline; ms = $1; getline; print ms, $1; exit }')
        [ "$fixed" = "$expected" ] || fail "file version $fixed in $exe, not $expected"
        wrestool -x --raw --type=24 "$exe" | grep -q 'PerMonitorV2' || fail "no per-monitor DPI awareness in $exe"
    done
}

# The program in folder $1 as the Start-menu shortcut starts it there: the login dialog's
# default preset, "Werte ansehen", a screenshot to $2, "Beenden" with exit code 0.
drive() {
    # Qt's default font engine spaces lines twice as wide under Wine. Wine hands a QT_
    # variable on only when WINE stands before its name. Wine lists each DLL it loads.
    (cd "$1" && WINEDEBUG=-all,+loaddll WINEQT_QPA_PLATFORM=windows:fontengine=freetype exec wine ./tastarello.exe) \
        >"$WORK/app.out" 2>&1 &
    app=$! && started $app
    next_login
    login_at_dialog logged_in 200 "$WORK/app.out"
    # The Windows keep-alive settings reach the Linux socket under Wine: its keep-alive timer runs.
    ss -tno state established '( dport = :23 )' | grep -o 'timer:(keepalive[^)]*)' >&2 ||
        fail "no keep-alive on the program's connection"
    icon_has "$MAIN" "$WOOD" || fail "the main window shows no program icon"
    # With no window manager the X window keeps its first size while Windows maximizes the
    # window inside it: the status bar would stay hidden below.
    xdotool windowsize --sync "$MAIN" 1216 777
    capture "$MAIN" "$WORK/before.ppm"
    xdotool mousemove --window "$MAIN" 845 361 click 1
    await 'received gv1' 50 || fail "\"Werte ansehen\" sent nothing"
    settled "$MAIN" "$2" "$WORK/before.ppm"
    xdotool mousemove --window "$MAIN" 1116 650 click 1
    wait "$app" || fail "tastarello.exe exited with $?: $(cat "$WORK/app.out")"
    # Nothing ships that the program does not load. (Qt loads every plugin of a folder it
    # searches, to read what the plugin offers: a plugin folder counts as a whole.)
    for dll in $(cd "$1" && find . -name '*.dll'); do
        grep -q "Loaded L\".*\\\\${dll##*/}\"" "$WORK/app.out" || fail "$dll is shipped but never loaded"
    done
}

# The silent installation into Program Files, the program started by its shortcut, and the
# silent uninstallation, which leaves nothing behind.
installed() {
    dir="$C/Program Files/Tastarello Service"
    wine "$SETUP" /S
    [ -f "$dir/tastarello.exe" ] || fail "the installer installed nothing"
    # The shortcut starts the program in its folder, as drive does.
    strings -el "$C/ProgramData/Microsoft/Windows/Start Menu/Programs/Tastarello Service.lnk" |
        grep -q 'C:\\Program Files\\Tastarello Service$' || fail "no shortcut that starts in the program folder"
    startmenu
    drive "$dir" "$B/wine-screenshot.png"
    uninstalled "$dir"
}

# The program started from the Start menu of a Wine desktop with a task bar, logged in:
# screenshots of the menu and of the window with the program's icon in its frame. Where
# the desktop draws what no X window shows, places on the screen stand for the windows.
startmenu() {
    WINEQT_QPA_PLATFORM=windows:fontengine=freetype wine explorer /desktop=shell,1280x800 >/dev/null 2>&1 &
    desk=$! && started $desk
    win=$(timeout 60 xdotool search --sync --onlyvisible --name '^shell - Wine desktop$' | head -n1) ||
        fail "no Wine desktop"
    settled "$win" "$WORK/desktop.png"
    capture "$win" "$WORK/desktop.ppm"
    # "Start", "Programs", over "Tastarello Service" once the menu has it.
    xdotool mousemove --window "$win" 28 790 click 1 mousemove --window "$win" 50 725 click 1 \
        mousemove --window "$win" 180 725
    await 'capture "$win" "$WORK/menu.ppm" && [ "$(pixel "$WORK/menu.ppm" 180,725)" != "$(pixel "$WORK/desktop.ppm" 180,725)" ]' 100 ||
        fail "no Programs menu"
    settled "$win" "$B/wine-startmenu.png"
    # "Tastarello Service", then "verbinden" in the login dialog once it is there, until the
    # program connects (its window stays disabled until the login).
    xdotool click 1
    next_login
    connections=$(grep -c ' connected$' "$LOG" || true)
    await 'xdotool mousemove --window "$win" 587 621 click 1 && [ "$(grep -c " connected\$" "$LOG")" -gt "$connections" ]' 300 ||
        fail "the program from the Start menu did not connect"
    await logged_in 200 || fail "no login from the Start menu: $(cat "$LOG")"
    settled "$win" "$B/wine-taskbar.png" "$WORK/desktop.ppm"
    # "Beenden"; the desktop closes with its last program, and Wine's start command with it.
    xdotool mousemove --window "$win" 1116 669 click 1
    await '! xdotool search --name "^shell - Wine desktop\$" >/dev/null 2>&1' 300 || fail "the desktop stayed open"
    wait "$desk" || true
}

# Uninstalls the program in folder $1 silently: nothing of it may stay.
uninstalled() {
    gone=$1
    # The uninstaller runs on from a copy of itself: the folder vanishing is its end.
    wine "$gone/uninstall.exe" /S
    await '[ ! -e "$gone" ]' 300 || fail "the uninstaller left $(ls "$gone")"
    wine wineboot --restart && timeout 120 wineserver -w || fail "Windows programs are still running"
    (cd "$C" && find . ! -path '*/Temp/*' | sort) | diff "$WORK/fresh" - || fail "the installer left files behind"
    ! grep -il tastarello "$WINEPREFIX"/*.reg || fail "the installer left registry entries behind"
}

# The installer's pages in the Windows display language, German where it is none of the
# three; screenshots of the first page in German and Italian.
languages() {
    for case in "de_DE|Installation von $PRODUCT" "en_US|$PRODUCT Setup" "it_IT|Installazione di $PRODUCT" \
        "fr_FR|Installation von $PRODUCT"; do
        lang=${case%%|*} title=${case#*|}
        LANG=$lang.UTF-8 wine "$SETUP" >/dev/null 2>&1 &
        setup=$! && started $setup
        page=$(timeout 60 xdotool search --sync --onlyvisible --name "$PRODUCT" | head -n1) ||
            fail "$lang: the installer showed no page"
        [ "$(xdotool getwindowname "$page")" = "$title" ] ||
            fail "$lang: the installer's page is titled \"$(xdotool getwindowname "$page")\", not \"$title\""
        case $lang in de_DE | it_IT) settled "$page" "$B/setup-$lang.png" ;; esac
        end "$setup"
    done
}

# NSIS reads the folder after /D= and _?= up to the end of the command line, unquoted; Wine
# quotes an argument with blanks, so the folder goes in as several, unquoted.
FOLDER='C:\Program Files\Tastarello Prüfstand'
dir_of_folder() { echo "$C/Program Files/Tastarello Prüfstand"; }

# Exactly the new version's files in the folder $1, as built, with its uninstaller; one
# uninstall entry, the new version's, with what Apps & features shows.
newer_only() {
    (cd "$1" && find . -type f | sort) >"$WORK/installed"
    (cd "$B/$NAME" && find . -type f ! -name mastersim.exe && echo ./uninstall.exe) | sort | diff - "$WORK/installed" ||
        fail "not the new version's files"
    (cd "$B/$NAME" && find . -type f ! -name mastersim.exe -exec cmp {} "$1/{}" ';') || fail "an older file stayed"
    [ "$(wine reg query "$UNINSTALL_KEY" /s | grep -ac 'DisplayName.*Tastarello')" = 1 ] ||
        fail "not one uninstall entry: $(wine reg query "$UNINSTALL_KEY" /s | grep -a Tastarello)"
    entry=$(wine reg query "$UNINSTALL_KEY\\Tastarello Service" | tr -d '\r')
    for value in "DisplayVersion *REG_SZ *$VERSION\$" "DisplayIcon *REG_SZ .*\\\\tastarello.exe,0\$" \
        "Publisher *REG_SZ *Tastarello\$" "EstimatedSize *REG_DWORD *0x[0-9a-f]*[1-9a-f]"; do
        printf '%s\n' "$entry" | LC_ALL=C grep -aq "$value" || fail "no $value in the uninstall entry: $entry"
    done
}

# The previous version installed into a folder with blanks and umlauts, the new one over it
# (into the same folder, as the registry tells it), then the new one again.
upgrade() {
    dir=$(dir_of_folder)
    # shellcheck disable=SC2086
    wine "$B/previous/$NAME-setup.exe" /S /D=$FOLDER
    [ -f "$dir/styles/qwindowsvistastyle.dll" ] || fail "the previous version was not installed in $dir"
    wine "$SETUP" /S
    newer_only "$dir"
    wine "$SETUP" /S
    newer_only "$dir"
}

# While the program runs, the installer and the uninstaller say so and change nothing.
running() {
    dir=$(dir_of_folder)
    # Started in a folder whose tastarello.ico is red: the main window takes its icon from
    # the working folder, the login dialog, which has none of its own, the program's.
    mkdir -p "$WORK/red" && convert -size 32x32 xc:red "$WORK/red/tastarello.ico"
    (cd "$WORK/red" && WINEQT_QPA_PLATFORM=windows:fontengine=freetype exec wine "$dir/tastarello.exe") \
        >"$WORK/app.out" 2>&1 &
    app=$! && started $app
    dialog=$(timeout 30 xdotool search --sync --onlyvisible --name '^Login Dialog$' | head -n1) ||
        fail "the login dialog did not show"
    icon_has "$dialog" "$WOOD" || fail "the login dialog does not show the program's own icon"
    next_login
    login_at_dialog logged_in 200 "$WORK/app.out"
    icon_has "$MAIN" "$RED" || fail "the window did not load tastarello.ico from its working folder"
    (cd "$dir" && find . -type f -exec md5sum {} + | sort) >"$WORK/sums"
    rc=0 && wine "$SETUP" /S || rc=$?
    [ $rc -eq 2 ] || fail "the installer ended with $rc while the program ran"
    # In place, so that the exit code is the uninstaller's own.
    # shellcheck disable=SC2086
    rc=0 && wine "$dir/uninstall.exe" /S _?=$FOLDER || rc=$?
    [ $rc -eq 2 ] || fail "the uninstaller ended with $rc while the program ran"
    (cd "$dir" && find . -type f -exec md5sum {} + | sort) | diff "$WORK/sums" - || fail "files changed while it ran"
    # As the technician sees it: the box asks to close the program; Retry once it is closed.
    LANG=de_DE.UTF-8 wine "$SETUP" >/dev/null 2>&1 &
    setup=$! && started $setup
    title="^Installation von $PRODUCT\$"
    page=$(timeout 60 xdotool search --sync --onlyvisible --name "$title" | head -n1) ||
        fail "the installer showed no page"
    # "Weiter", "Installieren"; the box has the installer's title.
    xdotool key --window "$page" Return && xdotool key --window "$page" Return
    await 'box=$(xdotool search --onlyvisible --name "$title" | grep -vx "$page" | head -n1) && [ -n "$box" ]' 600 ||
        fail "no box about the running program"
    settled "$page" "$B/setup-running.png"
    xdotool mousemove --window "$MAIN" 1116 650 click 1
    wait "$app" || fail "tastarello.exe exited with $?: $(cat "$WORK/app.out")"
    # "Wiederholen": the installation ends with the language of this one, German, in the registry.
    xdotool key --window "$box" Return
    await 'wine reg query "$UNINSTALL_KEY\\Tastarello Service" /v InstallerLanguage | grep -aq "REG_SZ *1031"' 600 ||
        fail "the installation did not go on after Retry"
    end "$setup"
    newer_only "$dir"
    # The uninstaller speaks the installer's language, whatever the display language.
    # shellcheck disable=SC2086
    LANG=it_IT.UTF-8 wine "$dir/uninstall.exe" _?=$FOLDER >/dev/null 2>&1 &
    un=$! && started $un
    timeout 60 xdotool search --sync --onlyvisible --name "^Deinstallation von $PRODUCT *\$" >/dev/null ||
        fail "the uninstaller does not speak the installer's German"
    end "$un"
}

step "installer, program and uninstaller under Wine"
check resources
check installed
check languages
check upgrade
check running
check uninstalled "$(dir_of_folder)"
mark "Wine checks"

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
mark "tests under Wine"
echo "$TIMES" >"$B/windows-times.log"
echo "windows: $PASSED passed, $FAILED failed, $(grep -c '^[0-9]*: SKIP' "$WORK/ctest.log") skipped" >"$B/windows.log"
[ "$FAILED" -eq 0 ]
