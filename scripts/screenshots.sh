#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Remakes the README's pictures: the dashboard of the demo program (the simulated meter
# charging a phone) while it runs, in English and in Chinese, and maximised on a larger
# screen, on a virtual X display.
#   scripts/screenshots.sh <build-dir>        (make screenshots builds the demo first)
# SETTLE_SECONDS (default 25: past the 9 V negotiation and the current ramp) is how long the demo runs before each picture is taken.
set -eu

if [ $# -ne 1 ]; then
    echo "usage: $0 <build-dir>" >&2
    exit 2
fi
root=$(cd "$(dirname "$0")/.." && pwd)
demo=$(cd "$1" && pwd)/app/usb-meter-demo
out="$root/docs/screenshots"
settle=${SETTLE_SECONDS:-25}
# The dialog's window title, by which the picture is cut out of the screen.
title=VARNIK_USB_TESTER

for tool in xvfb-run xwd xwdtopnm pnmtopng xdotool; do
    command -v "$tool" >/dev/null || {
        echo "$tool is missing: run scripts/install-deps.sh" >&2
        exit 1
    }
done
[ -x "$demo" ] || {
    echo "$demo is not built: run make screenshots" >&2
    exit 1
}
mkdir -p "$out"

# shoot <language stored in usb-hid.ini> <picture file> [maximised]
# Maximised: the title bar is double-clicked (the window draws its own frame) and the
# whole screen is taken.
shoot() {
    work=$(mktemp -d)
    printf '[General]\nlanguage=%s\n' "$1" >"$work/usb-hid.ini"
    (
        cd "$work"
        # A journal of our own: the demo is killed mid-run, and a journal left in the
        # user's data folder would greet the next start with a recovery question.
        export XDG_DATA_HOME="$work/data"
        screen=1280x960x24
        [ -z "${3:-}" ] || screen=1920x1080x24
        xvfb-run -a -s "-screen 0 $screen" sh -c '
            "$1" >/dev/null 2>&1 &
            program=$!
            sleep "$2"
            if [ -n "$5" ]; then
                window=$(xdotool search --name "$3" | head -n 1)
                eval "$(xdotool getwindowgeometry --shell "$window")"
                xdotool mousemove $((X + 500)) $((Y + 15)) click --repeat 2 --delay 80 1
                sleep 2
                xwd -silent -root | xwdtopnm 2>/dev/null | pnmtopng >"$4"
            else
                xwd -silent -name "$3" | xwdtopnm 2>/dev/null | pnmtopng >"$4"
            fi
            kill "$program"
            wait "$program" || true
        ' shoot "$demo" "$settle" "$title" "$2" "${3:-}"
    )
    rm -rf "$work"
    echo "wrote $2"
}

shoot English "$out/dashboard-en.png"
shoot Chinese "$out/dashboard-zh.png"
shoot English "$out/dashboard-maximised.png" maximised
