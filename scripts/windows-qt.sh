#!/bin/sh
# Builds Qt's base modules for 64-bit Windows with MinGW-w64 from Debian's own
# source package, once, into a cache folder outside the checkout, and prints the
# folder. The build is kept while the Qt version and the configure line stay the
# same; anything else gets a folder of its own.
# Usage: scripts/windows-qt.sh [--cached]  (--cached: exit 1 instead of building)
set -eu
QT_VERSION=5.15.8
# Debian's +dfsg tarball has neither wintab.h nor the bundled SQLite; the program
# needs Core, Gui, Widgets, Network and Test only.
QT_CONFIGURE="-xplatform win32-g++ -device-option CROSS_COMPILE=x86_64-w64-mingw32-
 -release -shared -opensource -confirm-license -nomake examples -nomake tests -silent
 -no-opengl -no-dbus -no-icu -no-openssl -no-vulkan -no-libjpeg -qt-zlib -qt-libpng -qt-freetype
 -qt-harfbuzz -qt-pcre -no-feature-tabletevent -no-sql-sqlite -no-feature-sql -no-feature-xml
 -no-feature-concurrent -no-feature-printer -no-feature-style-windowsvista -no-feature-bearermanagement
 -no-feature-tuiotouch -no-feature-gif -no-feature-movie -no-feature-pdf -no-feature-textodfwriter
 -no-feature-textmarkdownreader -no-feature-textmarkdownwriter -no-feature-sessionmanager
 -no-feature-systemtrayicon -no-feature-graphicsview -no-feature-mdiarea -no-feature-undocommand
 -no-feature-calendarwidget -no-feature-colordialog -no-feature-fontdialog -no-feature-fontcombobox
 -no-feature-wizard -no-feature-lcdnumber -no-feature-dial -no-feature-keysequenceedit
 -no-feature-columnview -no-feature-splashscreen"
CACHE=${XDG_CACHE_HOME:-$HOME/.cache}/tastarello-win64
KEY=$(printf '%s %s' "$QT_VERSION" "$QT_CONFIGURE" | sha256sum | cut -c1-12)
PREFIX=$CACHE/qt-$QT_VERSION-$KEY
if [ -f "$PREFIX/.complete" ]; then
    echo "$PREFIX"
    exit 0
fi
# --cached: only tell whether it is built.
[ "${1:-}" != "--cached" ] || exit 1

# The source through a private apt configuration: a deb-src line for each Debian
# suite the system already uses, lists and downloads under the cache.
APT=$CACHE/apt
mkdir -p "$APT/lists/partial" "$APT/cache/archives/partial" "$APT/parts"
apt-get indextargets --format '$(ORIGIN) $(REPO_URI) $(RELEASE)' 'Identifier: Packages' |
    awk '$1 == "Debian" { print "deb-src", $2, $3, "main" }' | sort -u >"$APT/sources.list"
set -- -o Dir::Etc::SourceList="$APT/sources.list" -o Dir::Etc::SourceParts="$APT/parts" \
    -o Dir::State::Lists="$APT/lists" -o Dir::Cache="$APT/cache" -o APT::Sandbox::User=root
apt-get "$@" update -qq >&2
SRC=$CACHE/src
rm -rf "$SRC" "$CACHE/build"
mkdir -p "$SRC" "$CACHE/build"
(cd "$SRC" && apt-get "$@" source -qq qtbase-opensource-src >/dev/null)
SRCDIR=$(echo "$SRC"/qtbase-opensource-src-"$QT_VERSION"*/)
[ -x "$SRCDIR/configure" ] || { echo "windows-qt: no Qt $QT_VERSION source in $SRC" >&2; exit 1; }

echo "windows-qt: building Qt $QT_VERSION for Windows into $PREFIX (about half an hour; log in $CACHE/build.log)" >&2
start=$(date +%s)
# Built first: the install targets alone do not build the bundled third-party libraries.
# shellcheck disable=SC2086
(cd "$CACHE/build" && MAKEFLAGS=-j"$(nproc)" "$SRCDIR/configure" -prefix "$PREFIX" $QT_CONFIGURE &&
    nice -n 10 make -j"$(nproc)" && nice -n 10 make install) >"$CACHE/build.log" 2>&1 ||
    { tail -30 "$CACHE/build.log" >&2; exit 1; }
rm -rf "$CACHE/build" "$SRC"
touch "$PREFIX/.complete"
echo "windows-qt: Qt built in $(($(date +%s) - start)) s" >&2
echo "$PREFIX"
