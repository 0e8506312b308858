#!/bin/sh
# Usage: quillmar_e2e.sh [path/to/quillmar]   (default: build/window/quillmar)
# The real program on a virtual X server: type 25.5 inches and 3 frets, Enter, copy
# the table with Ctrl+A, Ctrl+C, compare the clipboard exactly and with the command
# line's CSV of the same table, end with Ctrl+Q. --help and --version need no display.
# Exit 77 (skipped) when a tool is missing.
set -u
bin=${1:-$(cd "$(dirname "$0")/../.." && pwd)/build/window/quillmar}
fail() { echo "FAIL: $*" >&2; exit 1; }

cli() { env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$bin" "$@" 2>/dev/null; }
if [ "${QUILLMAR_E2E_INNER:-}" != 1 ]; then
    for tool in xvfb-run xdotool xclip timeout; do
        command -v "$tool" >/dev/null 2>&1 || { echo "SKIP: no $tool" >&2; exit 77; }
    done
    [ -x "$bin" ] || fail "no program at $bin"
    [ "$(cli --version)" = "quillmar 3.10" ] || fail "--version: $(cli --version)"
    cli --help | grep -q -- '--csv <FILE> *Write the table as CSV' || fail "--help has no --csv"
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
    printf '3\t4.057\t1.275\n'
} | od -c)
[ "$got" = "$want" ] || fail "clipboard differs:
$got
expected:
$want"

# The same table from the command line: the copy's lines, comma-separated, units in the header.
csv=$(cli --scale 25.5in --frets 3 --csv - | od -c)
want=$(xclip -o -selection clipboard | sed '1s/\(to Fret\)/\1 (in)/g; s/\t/,/g; s/$/\r/' | od -c)
[ "$csv" = "$want" ] || fail "the command line's CSV differs from the copy:
$csv
copied:
$want"

key ctrl+q
for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null && sleep 0.2; done
kill -0 "$pid" 2>/dev/null && fail "still running 10 s after Ctrl+Q"
wait "$pid" || fail "the program ended with status $?"
echo "PASS: 25.5 inches, 3 frets copied exactly; Ctrl+Q ended the program"
