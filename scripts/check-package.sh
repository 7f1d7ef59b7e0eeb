#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Checks the Debian package that `make package` left in a build tree:
#   scripts/check-package.sh <build-dir>
# its file list, its dependencies, its desktop entry, its copyright file and software-centre
# metadata, the hardening of its programs and lintian's verdict (no errors).
set -eu

if [ $# -ne 1 ]; then
    echo "usage: $0 <build-dir>" >&2
    exit 2
fi
deb=$(ls "$1"/usb-meter_*.deb 2>/dev/null | head -n 1)
if [ -z "$deb" ]; then
    echo "no usb-meter package in $1: run make package" >&2
    exit 1
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
status=0
fail() {
    echo "FAIL: $*" >&2
    status=1
}

# Every file the package must hold, and nothing else (directories aside).
{
    echo ./usr/bin/usb-meter
    echo ./usr/bin/usb-meter-log
    echo ./usr/lib/udev/rules.d/70-usb-meter.rules
    echo ./usr/libexec/usb-meter/usb-meter-launch
    echo ./usr/share/applications/io.github.usb_meter.UsbMeter.desktop
    echo ./usr/share/metainfo/io.github.usb_meter.UsbMeter.metainfo.xml
    echo ./usr/share/doc/usb-meter/changelog.gz
    echo ./usr/share/doc/usb-meter/copyright
    echo ./usr/share/doc/usb-meter/examples/usb-meter-log.service
    echo ./usr/share/doc/usb-meter/grafana/usb-meter.json
    echo ./usr/share/man/man1/usb-meter.1.gz
    echo ./usr/share/man/man1/usb-meter-log.1.gz
    for size in 16 22 24 32 48 64 128 256; do
        echo "./usr/share/icons/hicolor/${size}x${size}/apps/usb-meter.png"
    done
} | sort >"$work/expected"
dpkg-deb -c "$deb" | awk '$1 !~ /^d/ {print $6}' | sort >"$work/actual"
comm -23 "$work/expected" "$work/actual" | while read -r file; do
    echo "FAIL: missing from the package: $file" >&2
    echo x >>"$work/failed"
done
comm -13 "$work/expected" "$work/actual" | while read -r file; do
    echo "FAIL: not meant to be in the package: $file" >&2
    echo x >>"$work/failed"
done
[ -e "$work/failed" ] && status=1

# The program and its launcher are executable; nothing else is.
dpkg-deb -c "$deb" | awk '$1 ~ /^-..x/ {print $6}' | sort >"$work/executables"
printf '%s\n' ./usr/bin/usb-meter ./usr/bin/usb-meter-log ./usr/libexec/usb-meter/usb-meter-launch |
    cmp -s - "$work/executables" || fail "executables are: $(tr '\n' ' ' <"$work/executables")"

# Libraries come from dpkg-shlibdeps; the CJK font is named by hand.
depends=$(dpkg-deb -f "$deb" Depends)
for package in libhidapi-hidraw0 libqt5widgets5 libqt5charts5 libqt5core5a libprometheus-cpp-pull1.0 \
    fonts-wqy-microhei; do
    case ", $depends," in
    *", $package "* | *", $package,"*) ;;
    *) fail "Depends lacks $package: $depends" ;;
    esac
done

dpkg-deb -x "$deb" "$work/root"
# The recorder runs where there is no display: it must not need Qt's widgets or GUI.
if readelf -d "$work/root/usr/bin/usb-meter-log" | grep -E 'NEEDED.*libQt5(Widgets|Gui)' >/dev/null; then
    fail "usb-meter-log needs a display library"
fi
desktop="$work/root/usr/share/applications/io.github.usb_meter.UsbMeter.desktop"
if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$desktop" || fail "desktop entry does not validate"
fi
grep -q '^Exec=/usr/libexec/usb-meter/usb-meter-launch$' "$desktop" || fail "desktop entry Exec"
grep -q '^Name\[zh_CN\]=' "$desktop" || fail "desktop entry has no Chinese name"
grep -q '^Comment\[zh_CN\]=' "$desktop" || fail "desktop entry has no Chinese comment"
grep -q '^exec "/usr/bin/usb-meter"' "$work/root/usr/libexec/usb-meter/usb-meter-launch" ||
    fail "launcher does not start /usr/bin/usb-meter"

for tool in appstreamcli hardening-check readelf; do
    command -v $tool >/dev/null || fail "$tool is not installed (scripts/install-deps.sh installs it)"
done

# The licence: GPL-3+ for our files, the font keeps its own.
copyright="$work/root/usr/share/doc/usb-meter/copyright"
awk '/^Files: \*$/ {ours = 1; next} ours && /^License:/ {print $2; exit}' "$copyright" |
    grep -qx 'GPL-3+' || fail "copyright file does not license our files GPL-3+"
grep -q '^License: OFL-1.1$' "$copyright" || fail "copyright file lost the font's licence"
grep -q '/usr/share/common-licenses/GPL-3' "$copyright" ||
    fail "copyright file does not point at the GPL's text"
# Every source file of ours says under which licence it stands.
"$(dirname "$0")/add-spdx.sh" --check || fail "source files without their licence line"

# Software-centre metadata: valid, linked to the desktop entry by its id, offering every
# program in the package and the meter's modalias.
metainfo=$(ls "$work/root/usr/share/metainfo/"*.metainfo.xml | head -n 1)
appstreamcli validate --no-net --explain "$metainfo" || fail "metainfo does not validate"
id=$(basename "$metainfo" .metainfo.xml)
grep -q "<id>$id</id>" "$metainfo" || fail "metainfo id is not its file name, $id"
grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$metainfo" ||
    fail "metainfo does not launch $id.desktop"
[ -e "$work/root/usr/share/applications/$id.desktop" ] || fail "no desktop entry $id.desktop"
for program in "$work/root/usr/bin/"*; do
    grep -q "<binary>$(basename "$program")</binary>" "$metainfo" ||
        fail "metainfo does not provide $(basename "$program")"
done
grep -q '<modalias>usb:v0483p5750d\*</modalias>' "$metainfo" || fail "metainfo lacks the modalias"
grep -q '<summary xml:lang="zh_CN">' "$metainfo" || fail "metainfo has no Chinese summary"

# One version throughout: the package's, the manual page's, the changelog's, the
# metainfo's latest release and what the program says.
version=$(dpkg-deb -f "$deb" Version)
zcat "$work/root/usr/share/doc/usb-meter/changelog.gz" | head -n 1 |
    grep -q "^usb-meter ($version)" || fail "Debian changelog does not start at $version"
zcat "$work/root/usr/share/man/man1/usb-meter.1.gz" | grep -q "^\.TH .*\"usb-meter $version\"" ||
    fail "manual page is not of version $version"
grep -q "<release version=\"$version\"" "$metainfo" || fail "metainfo has no release $version"
[ "$("$work/root/usr/bin/usb-meter" --version)" = "usb-meter $version" ] ||
    fail "usb-meter --version does not say $version"

# Hardening: stack protector, PIE, read-only relocations bound at start, and Debian ships
# programs without the compilers' .comment notes. Debian 12's C start-up files carry no
# CET notes, so no program can show control-flow protection yet. Every memcpy, memset and
# readlink of ours has a size the compiler proves safe, so fortification leaves them plain
# and hardening-check, seeing no fortified call, would call it missing: whether every file
# was compiled fortified is read from the build's compile commands instead.
commands="$1/compile_commands.json"
if [ ! -e "$commands" ]; then
    fail "no $commands to check the compile flags in"
else
    unfortified=$(grep '"command":' "$commands" | grep -c -v -e '-D_FORTIFY_SOURCE=[23]' || true)
    [ "$unfortified" -eq 0 ] || fail "$unfortified files compiled without _FORTIFY_SOURCE"
fi
for program in "$work/root/usr/bin/"*; do
    hardening-check --nocfprotection --nofortify "$program" ||
        fail "$(basename "$program") is not hardened"
    if readelf -S "$program" | grep -q ' \.comment '; then
        fail "$(basename "$program") keeps its .comment section"
    fi
done

if command -v lintian >/dev/null; then
    lintian --fail-on error "$deb" || fail "lintian reports errors"
else
    fail "lintian is not installed (scripts/install-deps.sh installs it)"
fi

[ $status -eq 0 ] && echo "package check passed: $deb"
exit $status
