#!/bin/sh
# End to end on a real X server: start Quillmar, type 25.5 inches and 12
# frets, press Enter, copy the whole table with Ctrl+A, Ctrl+C, compare the
# clipboard with the expected texts, then end the program with Ctrl+Q.
#
# Usage: quillmar_e2e.sh [path/to/quillmar]   (default: build/window/quillmar)
# Needs xvfb-run, xdotool and xclip; exits 77 (skipped) without them.

set -u

here=$(cd "$(dirname "$0")" && pwd)
bin=${1:-$here/../../build/window/quillmar}

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

if [ "${QUILLMAR_E2E_INNER:-}" != 1 ]; then
    for tool in xvfb-run xdotool xclip timeout; do
        if ! command -v "$tool" >/dev/null 2>&1; then
            echo "SKIP: $tool is not installed" >&2
            exit 77
        fi
    done
    [ -x "$bin" ] || fail "no program at $bin"
    QUILLMAR_E2E_INNER=1 exec timeout --kill-after=5 90 \
        xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$bin"
fi

# Inside the X server: the real xcb platform.
unset QT_QPA_PLATFORM
work=$(mktemp -d)
pid=
cleanup() {
    if [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null; then
        kill "$pid" 2>/dev/null
    fi
    rm -rf "$work"
}
trap cleanup EXIT

"$bin" >"$work/out.log" 2>&1 &
pid=$!

wid=$(timeout 20 xdotool search --sync --name "Quillmar 3.10" | head -n 1)
[ -n "$wid" ] || fail "the window \"Quillmar 3.10\" did not appear within 20 s"
xdotool windowfocus --sync "$wid" || fail "could not focus the window"
# Let the start-up work put the focus into the scale length box.
sleep 1

key() {
    xdotool key --clearmodifiers --delay 40 "$@" || fail "xdotool key $*"
}

# Focus starts in txtScale; Tab goes to the scale option, then txtNumberFrets.
xdotool type --delay 40 "25.5" || fail "typing the scale length"
key Tab Tab
xdotool type --delay 40 "12" || fail "typing the fret count"
key Return
sleep 0.5
# txtNumberFrets, then the display and method options, Calculate, Print, Exit, the grid.
key Tab Tab Tab Tab Tab Tab
key ctrl+a ctrl+c
sleep 0.5

kill -0 "$pid" 2>/dev/null || fail "the program ended before the table was copied"
timeout 10 xclip -o -selection clipboard >"$work/got.txt" ||
    fail "nothing on the clipboard"

{
    printf '1.431\t1.431\n2.782\t1.351\n4.057\t1.275\n5.261\t1.203\n'
    printf '6.397\t1.136\n7.469\t1.072\n8.481\t1.012\n9.436\t0.955\n'
    printf '10.338\t0.902\n11.189\t0.851\n11.992\t0.803\n12.750\t0.758\n'
    i=13
    while [ "$i" -le 24 ]; do
        printf '\t\n'
        i=$((i + 1))
    done
} >"$work/want.txt"

if ! cmp -s "$work/want.txt" "$work/got.txt"; then
    echo "FAIL: the clipboard does not hold the expected table" >&2
    diff "$work/want.txt" "$work/got.txt" | cat -A >&2
    exit 1
fi

key ctrl+q
i=0
while kill -0 "$pid" 2>/dev/null; do
    i=$((i + 1))
    [ "$i" -le 50 ] || fail "the program still runs 10 s after Ctrl+Q"
    sleep 0.2
done
wait "$pid"
status=$?
pid=
[ "$status" -eq 0 ] || fail "the program ended with status $status"
echo "PASS: 25.5 inches, 12 frets copied exactly; Ctrl+Q ended the program"
