#!/usr/bin/env bash
# Builds the libraries that Debian ships for Linux but not for MinGW-w64 from
# Debian's own source packages, of the very versions the Linux build links:
#   bash cmake/debian-libraries.sh DIR
# into DIR (the Windows build tree's debian-libraries/):
#   sqlite3/sqlite3.c, sqlite3.h   the amalgamation, Debian's patches applied
#   libsodium/lib/libsodium.a      and its include/
# The sources come through a deb-src list of this build's own (the system's
# apt sources are not touched) and are unpacked by dpkg-source, which checks
# every file against the checksums its .dsc carries and applies Debian's
# patches. What is built once is kept: a library is built again only when its
# version changes.
set -euo pipefail
DIR=$(mkdir -p "$1" && cd "$1" && pwd)
HOST=x86_64-w64-mingw32
JOBS=$(nproc)

version() { dpkg-query -W -f='${source:Version}' "$1"; }
SQLITE=$(version libsqlite3-dev)
SODIUM=$(version libsodium-dev)

APT=(-o Dir::Etc::SourceList=/dev/null -o Dir::Etc::SourceParts="$DIR/apt/parts"
     -o Dir::State::Lists="$DIR/apt/lists" -o Dir::Cache="$DIR/apt/cache")
# As root, apt would hand the download to its own user, who cannot write here.
[ "$(id -u)" -ne 0 ] || APT+=(-o APT::Sandbox::User=root)
fetched=no
fetch() {  # fetch PACKAGE VERSION: its .dsc and files in $DIR/sources
    [ -f "$DIR/sources/$1_${2#*:}.dsc" ] && return
    if [ $fetched = no ]; then
        mkdir -p "$DIR/apt/parts" "$DIR/apt/lists/partial" "$DIR/apt/cache" "$DIR/sources"
        local suite
        suite=$(. /etc/os-release && echo "$VERSION_CODENAME")
        cat >"$DIR/apt/parts/debian-sources.sources" <<EOF
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: $suite $suite-updates
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg

Types: deb-src
URIs: http://deb.debian.org/debian-security
Suites: $suite-security
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
EOF
        apt-get "${APT[@]}" -qq update
        fetched=yes
    fi
    (cd "$DIR/sources" && apt-get "${APT[@]}" -qq source --download-only "$1=$2")
}
unpack() {  # unpack PACKAGE VERSION FOLDER: checked, patched
    rm -rf "$3"
    (cd "$DIR/sources" && dpkg-source --require-strong-checksums -x "$1_${2#*:}.dsc" "$3") >"$3.log" 2>&1 ||
        { cat "$3.log" >&2; exit 1; }
    rm -f "$3.log" "$DIR"/*.orig*.tar.*  # the links dpkg-source leaves beside the folder
}
built() { [ "$(cat "$DIR/$1.version" 2>/dev/null)" = "$2" ]; }

if ! built sqlite3 "$SQLITE"; then
    echo "SQLite $SQLITE from Debian's source package"
    fetch sqlite3 "$SQLITE"
    unpack sqlite3 "$SQLITE" "$DIR/sqlite3-source"
    # The amalgamation is made on this machine (tclsh), then compiled for Windows.
    mkdir -p "$DIR/sqlite3-source/host" "$DIR/sqlite3"
    (cd "$DIR/sqlite3-source/host" && ../configure --disable-tcl >configure.log 2>&1 &&
        make sqlite3.c >make.log 2>&1) || { tail -20 "$DIR/sqlite3-source/host/"*.log >&2; exit 1; }
    cp "$DIR/sqlite3-source/host/sqlite3.c" "$DIR/sqlite3-source/host/sqlite3.h" "$DIR/sqlite3/"
    rm -rf "$DIR/sqlite3-source"
    echo "$SQLITE" >"$DIR/sqlite3.version"
fi

if ! built libsodium "$SODIUM"; then
    echo "libsodium $SODIUM from Debian's source package"
    fetch libsodium "$SODIUM"
    unpack libsodium "$SODIUM" "$DIR/libsodium-source"
    (cd "$DIR/libsodium-source" && autoreconf -fi >autoreconf.log 2>&1 &&
        ./configure --host=$HOST --prefix="$DIR/libsodium" --disable-shared --enable-static \
            --disable-dependency-tracking >configure.log 2>&1 &&
        make -j"$JOBS" >make.log 2>&1 && make install >install.log 2>&1) ||
        { tail -20 "$DIR/libsodium-source/"*.log >&2; exit 1; }
    rm -rf "$DIR/libsodium-source"
    echo "$SODIUM" >"$DIR/libsodium.version"
fi
