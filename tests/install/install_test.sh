#!/usr/bin/env bash
# Installs a build into a scratch prefix and checks what a desktop needs of it: the programs, the
# menu entry (validated), the icon in every size, the manual page, and the three file types as
# shared-mime-info recognises them (by name, and the work file by its magic alone).
# Usage: install_test.sh BUILD_DIR WITH_GUI(0|1) VERSION SOURCE_DIR. Exits 77 (skip) when a tool
# is missing.
set -euo pipefail
build_dir=$1
with_gui=$2
version=$3
source_dir=$4

for tool in desktop-file-validate update-mime-database gio groff; do
    if ! command -v "$tool" >/dev/null; then
        echo "SKIP: $tool not found (scripts/install-deps.sh installs it)"
        exit 77
    fi
done

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
prefix=$scratch/prefix
failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}
expect_file() { [ -f "$prefix/$1" ] || fail "not installed: $1"; }

cmake --install "$build_dir" --prefix "$prefix" >"$scratch/install.log"

# Programs, and only them: libraries, tests and benchmarks stay in the build.
expect_file bin/orlamo-cli
[ -x "$prefix/bin/orlamo-cli" ] || fail "bin/orlamo-cli is not executable"
"$prefix/bin/orlamo-cli" --version | grep -qxF "orlamo-cli $version" ||
    fail "installed orlamo-cli --version does not print 'orlamo-cli $version'"
stray=$(cd "$prefix" && find . -type f \( -name '*.a' -o -name '*_test*' -o -name '*bench*' -o -path './include/*' \))
[ -z "$stray" ] || fail "build-only files installed: $stray"

# The manual page, with its version filled in, must format without warnings.
page=share/man/man1/orlamo-cli.1
expect_file "$page"
if [ -f "$prefix/$page" ]; then
    grep -q '@PROJECT_VERSION@' "$prefix/$page" && fail "$page: version not filled in"
    warnings=$(groff -man -Tutf8 -ww -z "$prefix/$page" 2>&1)
    [ -z "$warnings" ] || fail "$page: groff warnings: $warnings"
fi

# The file types.
mime_xml=share/mime/packages/orlamo.xml
expect_file "$mime_xml"
mime_types=(application/x-orlamo-archive application/x-orlamo-playlist application/x-orlamo-workfile)

if [ "$with_gui" = 1 ]; then
    expect_file bin/orlamo
    # The editor says its version without a display, as a package script or a bug report needs.
    if [ -x "$prefix/bin/orlamo" ]; then
        env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM= "$prefix/bin/orlamo" --version |
            grep -qxF "orlamo $version" || fail "installed orlamo --version does not print 'orlamo $version'"
    fi
    desktop=share/applications/orlamo.desktop
    expect_file "$desktop"
    if [ -f "$prefix/$desktop" ]; then
        desktop-file-validate "$prefix/$desktop" || fail "$desktop does not validate"
        entry() { sed -n "s/^$1=//p" "$prefix/$desktop"; }
        [ "$(entry Exec)" = "orlamo %f" ] || fail "$desktop: Exec is '$(entry Exec)'"
        [ "$(entry Icon)" = "orlamo" ] || fail "$desktop: Icon is '$(entry Icon)'"
        # Every type the entry offers to open is one the mime file declares, and the other way round.
        declared=$(grep -o 'mime-type type="[^"]*"' "$prefix/$mime_xml" | cut -d'"' -f2 | sort | tr '\n' ' ')
        offered=$(entry MimeType | tr ';' '\n' | sed '/^$/d' | sort | tr '\n' ' ')
        [ "$declared" = "$offered" ] || fail "$desktop offers '$offered' but the mime file declares '$declared'"
        [ "$declared" = "$(printf '%s\n' "${mime_types[@]}" | sort | tr '\n' ' ')" ] ||
            fail "$mime_xml declares '$declared'"
    fi

    # The icon: the SVG and one PNG per size, each of the size its folder names.
    expect_file share/icons/hicolor/scalable/apps/orlamo.svg
    # The window shows the same icon from its resources: the two copies must not drift apart.
    window_icon=$source_dir/src/app/icons/orlamo.svg
    if [ -f "$window_icon" ]; then
        cmp -s "$window_icon" "$prefix/share/icons/hicolor/scalable/apps/orlamo.svg" ||
            fail "src/app/icons/orlamo.svg differs from data/icons/orlamo.svg"
    fi
    for size in 16 22 24 32 48 64 128 256; do
        png=share/icons/hicolor/${size}x${size}/apps/orlamo.png
        expect_file "$png"
        [ -f "$prefix/$png" ] || continue
        # A PNG keeps its width and height as 32-bit big-endian words at byte 16.
        read -r width height < <(od -An -tu1 -j16 -N8 "$prefix/$png" |
            awk '{ print $1*16777216 + $2*65536 + $3*256 + $4, $5*16777216 + $6*65536 + $7*256 + $8 }')
        [ "${width}x${height}" = "${size}x${size}" ] ||
            fail "$png is ${width}x${height}, not ${size}x${size}"
    done
fi

# The mime database as a desktop would build it once the package is installed: the system's
# definitions beside ours, so a clash with a type the system knows (another *.pla) shows up here.
data=$scratch/xdg
mkdir -p "$data/mime/packages" "$scratch/files"
cp /usr/share/mime/packages/*.xml "$data/mime/packages/" 2>/dev/null || true
cp "$prefix/$mime_xml" "$data/mime/packages/"
# No fsync: the database is thrown away with the scratch folder.
export XDG_DATA_HOME=$data XDG_DATA_DIRS=$data GIO_USE_VFS=local PKGSYSTEM_ENABLE_FSYNC=0
update-mime-database "$data/mime"

files=$scratch/files
printf '[Version]\r\nVersionInfo=V1.01 Build 02022010 \r\n[Class]\r\nTotalClass=0\r\n' >"$files/station.arh"
printf '[~Morning]\r\n1.FileName=open.wav\r\n1.Filepath=\r\n' >"$files/morning.pla"
printf 'ORMN\013\000\000\000\000\000\000\000' >"$files/station.wrk"
cp "$files/station.wrk" "$files/x.bin"
cp "$files/station.wrk" "$files/image"
content_type() { gio info -a standard::content-type "$1" | sed -n 's/^ *standard::content-type: //p'; }
while read -r name expected; do
    actual=$(content_type "$files/$name")
    [ "$actual" = "$expected" ] || fail "$name is recognised as '$actual', expected $expected"
done <<TABLE
station.arh application/x-orlamo-archive
morning.pla application/x-orlamo-playlist
station.wrk application/x-orlamo-workfile
x.bin application/x-orlamo-workfile
image application/x-orlamo-workfile
TABLE

if [ "$failures" -ne 0 ]; then
    echo "$failures check(s) failed" >&2
    exit 1
fi
echo "install test passed"
