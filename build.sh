#!/usr/bin/env bash
# Quillmar's one entry point.
#   ./build.sh run    install what is missing, build, open the window
#   ./build.sh test   install what is missing, build, run every test
#   ./build.sh deb    install what is missing, build with Debian's flags in build-deb/,
#                     make build/quillmar_<version>_<arch>.deb and check it with lintian
# With CI=true, `test` also runs the suite under AddressSanitizer and
# UndefinedBehaviorSanitizer, gives the fuzzers their minute, then builds the
# Debian package, lints it, installs it, tests the installed program, starts it
# from its desktop entry, shows its manual page, removes it and checks that
# nothing of it is left behind.
set -euo pipefail
cd "$(dirname "$0")"

PACKAGES=(
    build-essential cmake ninja-build pkg-config git
    qt6-base-dev libgl-dev
    googletest libgtest-dev libgmock-dev libbenchmark-dev
    clang libclang-rt-14-dev
    xvfb xauth xdotool xclip x11-utils
    poppler-utils fonts-liberation imagemagick
    at-spi2-core python3 python3-pyatspi dbus-x11
    desktop-file-utils appstream librsvg2-bin shared-mime-info xdg-utils libfile-mimeinfo-perl
    python3-ezdxf librecad inkscape
    dpkg-dev file lintian man-db
)
APP_ID=org.example.quillmar
WINDOW_TITLE="Quillmar 3.10"

as_root() {
    if [ "$(id -u)" -eq 0 ]; then
        "$@"
    elif command -v sudo >/dev/null; then
        sudo "$@"
    else
        echo "need root (or sudo) for: $*" >&2
        return 1
    fi
}

apt_install() {
    as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq -o Dpkg::Use-Pty=0 \
        --no-install-recommends "$@"
}

install_missing() {
    local missing=()
    for p in "${PACKAGES[@]}"; do
        if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
            missing+=("$p")
        fi
    done
    if [ ${#missing[@]} -eq 0 ]; then
        echo "All ${#PACKAGES[@]} packages are installed."
        return 0
    fi
    echo "Installing: ${missing[*]}"
    as_root apt-get update -qq
    apt_install "${missing[@]}"
}

njobs() { nproc 2>/dev/null || echo 2; }

configure_and_build() {  # dir, extra cmake args...
    local dir=$1
    shift
    cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo --log-level=WARNING "$@"
    cmake --build "$dir" -j "$(njobs)"
}

run_tests() {  # dir
    (cd "$1" && ctest --output-on-failure --no-tests=error -j "$(njobs)" --timeout 600)
    # The sizes of the differential check and the monkey walk, for the log.
    grep -hE '^(monkey: seed|.*floats.*differences)' "$1/Testing/Temporary/LastTest.log" || true
}

# --- stages: a header before, the time taken after, a table at the end ---------

STAGE_TIMES=()
CURRENT_STAGE=
stage() {  # title, command...
    local title=$1
    shift
    local start=$SECONDS
    CURRENT_STAGE=$title
    printf '\n======== %s (%s) ========\n' "$title" "$(date +%T)"
    "$@"
    STAGE_TIMES+=("$(printf '%6ds  %s' $((SECONDS - start)) "$title")")
    CURRENT_STAGE=
}

summary() {
    local rc=$?
    [ ${#STAGE_TIMES[@]} -eq 0 ] && [ -z "$CURRENT_STAGE" ] && return
    printf '\n======== summary ========\n'
    printf '%s\n' "${STAGE_TIMES[@]}"
    [ -n "$CURRENT_STAGE" ] && echo "FAILED: $CURRENT_STAGE (exit code $rc)"
    printf '%6ds  total\n' "$SECONDS"
}
trap summary EXIT

fuzz_build() {
    (
        export CC=clang CXX=clang++
        configure_and_build build-fuzz -DQUILLMAR_FUZZ=ON -DQUILLMAR_GUI=OFF \
            -DQUILLMAR_BENCH=OFF -DBUILD_TESTING=OFF
    )
}

# --- the Debian package --------------------------------------------------------

deb_file() { ls -t build/quillmar_*.deb 2>/dev/null | head -n1; }

# The packaged program is built apart, as Debian builds it: dpkg-buildflags'
# hardening (PIE, fortify, stack protector, -z relro -z now) and no tests.
deb_build() {
    local flags=(env DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --get)
    configure_and_build build-deb -DBUILD_TESTING=OFF -DQUILLMAR_BENCH=OFF \
        -DCMAKE_CXX_FLAGS="$("${flags[@]}" CPPFLAGS) $("${flags[@]}" CXXFLAGS)" \
        -DCMAKE_EXE_LINKER_FLAGS="$("${flags[@]}" LDFLAGS)"
}

make_deb() {
    rm -f build/quillmar_*.deb
    mkdir -p build
    (cd build-deb && cpack -G DEB -B "$PWD/../build")
    local deb
    deb=$(deb_file)
    [ -n "$deb" ] || { echo "cpack made no .deb" >&2; return 1; }
    dpkg-deb --info "$deb"
    dpkg-deb --contents "$deb"
    # dpkg-shlibdeps must have found the Qt libraries the binary links.
    if ! dpkg-deb -f "$deb" Depends | grep -q 'libqt6widgets6'; then
        echo "Depends lacks the Qt libraries: $(dpkg-deb -f "$deb" Depends)" >&2
        return 1
    fi
}

# The informational tags that remain are named, with their reasons, in the README.
lint_deb() {
    lintian --pedantic -I -E --fail-on error,warning "$(deb_file)"
}

is_installed() { dpkg-query -W -f='${Status}' quillmar 2>/dev/null | grep -q "install ok installed"; }

install_deb() {
    # A package of the same version left from an earlier run would make apt skip this one.
    if is_installed; then as_root apt-get remove -y -qq -o Dpkg::Use-Pty=0 quillmar; fi
    as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq -o Dpkg::Use-Pty=0 "./$(deb_file)"
    is_installed
    [ "$(command -v quillmar)" = /usr/bin/quillmar ]
}

run_e2e_installed() {
    local script=tests/e2e/quillmar_e2e.sh
    if [ ! -f "$script" ]; then
        echo "No $script: skipped."
        return 0
    fi
    sh "$script" /usr/bin/quillmar
}

# Starts the program the way a desktop would, from the Exec= line of the
# installed entry, and looks for its window on a virtual display.
launch_from_desktop_entry() {
    local entry=/usr/share/applications/$APP_ID.desktop command
    [ -f "$entry" ] || { echo "missing $entry" >&2; return 1; }
    command=$(sed -n 's/^Exec=//p' "$entry" | head -n1 | sed -E 's/ ?%[fFuUdDnNickvm]//g')
    [ -n "$command" ] || { echo "no Exec= line in $entry" >&2; return 1; }
    echo "Exec=$command"
    # -noreset: an X server resets when its last client leaves, and a client
    # that connects during the reset is refused.
    env -u QT_QPA_PLATFORM -u WAYLAND_DISPLAY xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" \
        bash -c '
        eval "exec $1" &
        pid=$!
        wid=
        for _ in $(seq 1 40); do
            wid=$(xdotool search --onlyvisible --name "^$2\$" 2>/dev/null | head -n1) || true
            [ -n "$wid" ] && break
            kill -0 "$pid" 2>/dev/null || break
            sleep 0.25
        done
        sleep 2
        if ! kill -0 "$pid" 2>/dev/null; then
            echo "the program ended by itself" >&2
            exit 1
        fi
        kill "$pid"
        wait "$pid" 2>/dev/null || true
        if [ -z "$wid" ]; then
            echo "no window titled \"$2\" appeared" >&2
            exit 1
        fi
        echo "window $wid \"$2\" was shown; the program ran until stopped"
    ' launch "$command" "$WINDOW_TITLE"
}

# A design file as the desktop sees it once the package is in: its type from
# the shared MIME database, and this program as the one that opens it.
design_type_known() {
    local type=application/x-quillmar-design dir file
    dir=$(mktemp -d)
    file=$dir/check.quillmar
    printf '{}\n' >"$file"
    local found default
    found=$(xdg-mime query filetype "$file")
    default=$(xdg-mime query default "$type")
    rm -r "$dir"
    echo "$file: $found, opened by $default"
    [ "$found" = "$type" ] && [ "$default" = "$APP_ID.desktop" ]
}

show_manpage() {
    local page
    page=$(man -w quillmar)
    echo "$page"
    # Formatted with -l, man keeps no copy in /var/cache/man to outlive the package.
    MANWIDTH=80 man -P cat -l "$page" | sed -n '1,20p'
}

remove_deb_and_check() {
    local files=() left=() f
    while IFS= read -r f; do
        if [ -f "$f" ] || [ -L "$f" ]; then files+=("$f"); fi
    done < <(dpkg -L quillmar)
    echo "${#files[@]} installed files"
    [ ${#files[@]} -gt 0 ] || { echo "dpkg lists no files for quillmar" >&2; return 1; }
    as_root apt-get remove -y -qq -o Dpkg::Use-Pty=0 quillmar
    if is_installed; then
        echo "quillmar is still installed" >&2
        return 1
    fi
    for f in "${files[@]}"; do
        if [ -e "$f" ] || [ -L "$f" ]; then left+=("$f"); fi
    done
    if [ ${#left[@]} -gt 0 ]; then
        printf 'left behind: %s\n' "${left[@]}" >&2
        return 1
    fi
    if grep -q quillmar /usr/share/mime/globs2; then
        echo "the design type is still in the MIME database" >&2
        return 1
    fi
    echo "all ${#files[@]} files removed"
}

# --------------------------------------------------------------------------------

case "${1:-}" in
run)
    install_missing
    configure_and_build build
    if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}${QT_QPA_PLATFORM:-}" ]; then
        echo "No display to open the window on (try: xvfb-run -a $0 run)." >&2
    fi
    exec ./build/window/quillmar
    ;;
test)
    stage "set-up: Debian packages" install_missing
    stage "build (RelWithDebInfo)" configure_and_build build
    stage "tests" run_tests build
    if [ "${CI:-}" = "true" ]; then
        stage "sanitizer build (address, undefined)" configure_and_build build-asan \
            -DQUILLMAR_SANITIZE=ON -DQUILLMAR_BENCH=OFF -DCMAKE_BUILD_TYPE=Debug
        export ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=print_stacktrace=1
        stage "sanitizer tests" run_tests build-asan
        unset ASAN_OPTIONS UBSAN_OPTIONS
        if [ -f fuzz/CMakeLists.txt ] && [ -f fuzz/run.sh ]; then
            stage "fuzz build (libFuzzer)" fuzz_build
            stage "fuzz run" bash fuzz/run.sh build-fuzz 60
        fi
        stage ".deb: build with Debian's flags" deb_build
        stage ".deb: make with CPack" make_deb
        stage ".deb: lintian" lint_deb
        stage ".deb: install with apt-get" install_deb
        stage ".deb: end-to-end test of /usr/bin/quillmar" run_e2e_installed
        stage ".deb: start from the desktop entry" launch_from_desktop_entry
        stage ".deb: design files known to the desktop" design_type_known
        stage ".deb: man quillmar" show_manpage
        stage ".deb: remove and look for leftovers" remove_deb_and_check
    fi
    ;;
deb)
    install_missing
    deb_build
    make_deb
    lint_deb
    echo "Package: $(deb_file)"
    ;;
*)
    echo "usage: $0 run|test|deb" >&2
    exit 2
    ;;
esac
