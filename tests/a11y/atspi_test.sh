#!/bin/sh
# Runs atspi_test.py against the built program on a virtual X server, in a
# D-Bus session of its own with the accessibility bus. Exit code 77 (skipped)
# when a piece of that stack is missing.
# Usage: atspi_test.sh <quillmar binary>
set -u
binary=$1
here=$(dirname "$0")

skip() {
    echo "skipped: $1"
    exit 77
}
command -v xvfb-run >/dev/null 2>&1 || skip "xvfb-run is not installed"
command -v dbus-run-session >/dev/null 2>&1 || skip "dbus-run-session is not installed"
launcher=""
for candidate in /usr/libexec/at-spi-bus-launcher /usr/lib/at-spi2-core/at-spi-bus-launcher; do
    [ -x "$candidate" ] && launcher=$candidate
done
[ -n "$launcher" ] || skip "at-spi-bus-launcher is not installed (at-spi2-core)"
# Debian's pyatspi lives with the system Python, not with any other in PATH.
python=/usr/bin/python3
"$python" -c "import pyatspi" 2>/dev/null || skip "python3-pyatspi is not installed"
[ -x "$binary" ] || { echo "no program at $binary"; exit 1; }

# The xcb platform: this test needs a real X client, not the offscreen one.
unset QT_QPA_PLATFORM
exec timeout -k 5 120 xvfb-run -a -s "-screen 0 1280x1024x24" \
    dbus-run-session -- "$python" "$here/atspi_test.py" "$binary"
