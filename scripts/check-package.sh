#!/bin/sh
# Checks the Debian package that `make package` left in a build tree:
#   scripts/check-package.sh <build-dir>
# its file list, its dependencies, its desktop entry and lintian's verdict (no errors).
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
    echo ./usr/share/applications/usb-meter.desktop
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
desktop="$work/root/usr/share/applications/usb-meter.desktop"
if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$desktop" || fail "desktop entry does not validate"
fi
grep -q '^Exec=/usr/libexec/usb-meter/usb-meter-launch$' "$desktop" || fail "desktop entry Exec"
grep -q '^Name\[zh_CN\]=' "$desktop" || fail "desktop entry has no Chinese name"
grep -q '^Comment\[zh_CN\]=' "$desktop" || fail "desktop entry has no Chinese comment"
grep -q '^exec "/usr/bin/usb-meter"' "$work/root/usr/libexec/usb-meter/usb-meter-launch" ||
    fail "launcher does not start /usr/bin/usb-meter"

if command -v lintian >/dev/null; then
    lintian --fail-on error "$deb" || fail "lintian reports errors"
else
    fail "lintian is not installed (scripts/install-deps.sh installs it)"
fi

[ $status -eq 0 ] && echo "package check passed: $deb"
exit $status
