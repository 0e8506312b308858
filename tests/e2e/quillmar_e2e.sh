#!/bin/sh
# Usage: quillmar_e2e.sh [path/to/quillmar]   (default: build/window/quillmar)
# The real program on a virtual X server: type 25.5 inches and 3 frets, Enter, copy
# the table with Ctrl+A, Ctrl+C, compare the clipboard exactly, end with Ctrl+Q.
# Exit 77 (skipped) when a tool is missing.
set -u
bin=${1:-$(cd "$(dirname "$0")/../.." && pwd)/build/window/quillmar}
fail() { echo "FAIL: $*" >&2; exit 1; }

if [ "${QUILLMAR_E2E_INNER:-}" != 1 ]; then
    for tool in xvfb-run xdotool xclip timeout; do
        command -v "$tool" >/dev/null 2>&1 || { echo "SKIP: no $tool" >&2; exit 77; }
    done
    [ -x "$bin" ] || fail "no program at $bin"
    QUILLMAR_E2E_INNER=1 exec timeout --kill-after=5 90 \
        xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" "$0" "$bin"
fi

unset QT_QPA_PLATFORM  # the real xcb platform
"$bin" >/dev/null 2>&1 &
pid=$!
trap 'kill "$pid" 2>/dev/null' EXIT
key() { xdotool key --clearmodifiers --delay 40 "$@" || fail "xdotool key $*"; }
text() { xdotool type --delay 40 "$1" || fail "typing $1"; }

wid=$(timeout 20 xdotool search --sync --name "Quillmar 3.10" | head -n 1)
[ -n "$wid" ] && xdotool windowfocus --sync "$wid" || fail "no window to focus within 20 s"
sleep 1  # the start-up work puts the focus into the scale length
text 25.5 && key Tab Tab && text 3 && key Return && sleep 0.5
key Tab Tab Tab Tab Tab Tab ctrl+a ctrl+c  # from txtNumberFrets round to the grid
sleep 0.5
got=$(timeout 10 xclip -o -selection clipboard | od -c) || fail "nothing on the clipboard"
want=$({
    printf 'Fret No.\tNut to Fret\tFret to Fret\n1\t1.431\t1.431\n2\t2.782\t1.351\n'
    printf '3\t4.057\t1.275\n' && printf '\t\t\n%.0s' $(seq 21)
} | od -c)
[ "$got" = "$want" ] || fail "clipboard differs:
$got
expected:
$want"

key ctrl+q
for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null && sleep 0.2; done
kill -0 "$pid" 2>/dev/null && fail "still running 10 s after Ctrl+Q"
wait "$pid" || fail "the program ended with status $?"
echo "PASS: 25.5 inches, 3 frets copied exactly; Ctrl+Q ended the program"
