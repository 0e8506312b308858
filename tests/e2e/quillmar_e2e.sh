#!/bin/sh
# Usage: quillmar_e2e.sh [path/to/quillmar]   (default: build/window/quillmar)
# The real program on a virtual X server, driven by keys: the copied table exact, the design saved
# and opened by name. Exit 77 (skipped) when a tool is missing.
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
dir=$(mktemp -d)
design="$dir/e2e.quillmar"
trap 'kill "$pid" 2>/dev/null; rm -rf "$dir"' EXIT
key() { xdotool key --clearmodifiers --delay 40 "$@" || fail "xdotool key $*"; }
text() { xdotool type --delay 40 "$1" || fail "typing $1"; }
# start ARGUMENTS...: the program, its window focused and the focus in the scale length.
start() {
    "$bin" "$@" >/dev/null 2>&1 &
    pid=$!
    wid=$(timeout 20 xdotool search --sync --name "Quillmar 3.10" | head -n 1)
    [ -n "$wid" ] && xdotool windowfocus --sync "$wid" || fail "no window to focus within 20 s"
    sleep 1
}
# copy: the table from txtScale round to the grid, Ctrl+A, Ctrl+C; the clipboard's bytes.
copy() {
    key Tab Tab Tab Tab Tab Tab Tab Tab ctrl+a ctrl+c && sleep 0.5
    timeout 10 xclip -o -selection clipboard | od -c || fail "nothing on the clipboard"
}
quit() {
    xdotool windowfocus --sync "$wid" && key ctrl+q
    for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null && sleep 0.2; done
    kill -0 "$pid" 2>/dev/null && fail "still running 10 s after Ctrl+Q"
    wait "$pid" || fail "the program ended with status $?"
}

start
text 25.5 && key Tab Tab && text 3 && key Return && sleep 0.5 && key shift+Tab shift+Tab
got=$(copy)
want=$({
    printf 'Fret No.\tNut to Fret\tFret to Fret\n1\t1.431\t1.431\n2\t2.782\t1.351\n'
    printf '3\t4.057\t1.275\n'
} | od -c)
[ "$got" = "$want" ] || fail "clipboard differs:
$got
expected:
$want"
# Save Design As: its dialog takes the name typed.
key ctrl+shift+s && sleep 1 && text "$design" && key Return && sleep 1
[ -s "$design" ] || fail "no design saved at $design"
quit

# The design named as the file manager names it opens with the same table.
start -style Fusion "$design"
[ "$(copy)" = "$want" ] || fail "the opened design's copy differs: $(copy)"
quit
# Options override the design's values.
[ "$(cli --design "$design" --frets 2 --display mm --csv -)" = \
    "$(cli --scale 25.5 --frets 2 --display mm --csv -)" ] || fail "options do not override"
echo "PASS: 25.5 inches, 3 frets copied exactly, saved, opened from the command line; Ctrl+Q ended"
