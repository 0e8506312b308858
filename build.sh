#!/usr/bin/env bash
# Quillmar's one entry point.
#   ./build.sh run    install what is missing, build, open the window
#   ./build.sh test   install what is missing, build, run every test
# With CI=true, `test` also runs the suite under AddressSanitizer and
# UndefinedBehaviorSanitizer and gives the fuzzers their minute.
set -euo pipefail
cd "$(dirname "$0")"

PACKAGES=(
    build-essential cmake ninja-build pkg-config git
    qt6-base-dev libgl-dev
    googletest libgtest-dev libgmock-dev libbenchmark-dev
    clang libclang-rt-14-dev
    xvfb xauth xdotool xclip x11-utils
    poppler-utils fonts-liberation imagemagick
    at-spi2-core python3-pyatspi dbus-x11
    desktop-file-utils appstream
)

install_missing() {
    local missing=()
    for p in "${PACKAGES[@]}"; do
        if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
            missing+=("$p")
        fi
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    local sudo=()
    [ "$(id -u)" -ne 0 ] && sudo=(sudo)
    "${sudo[@]}" apt-get update -qq
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends \
        "${missing[@]}"
}

njobs() { nproc 2>/dev/null || echo 2; }

configure_and_build() {  # dir, extra cmake args...
    local dir=$1
    shift
    cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
    cmake --build "$dir" -j "$(njobs)"
}

run_tests() {  # dir
    (cd "$1" && ctest --output-on-failure -j "$(njobs)" --timeout 600)
}

case "${1:-}" in
run)
    install_missing
    configure_and_build build
    exec ./build/window/quillmar
    ;;
test)
    install_missing
    configure_and_build build
    run_tests build
    if [ "${CI:-}" = "true" ]; then
        echo "== sanitizer build (address, undefined)"
        configure_and_build build-asan -DQUILLMAR_SANITIZE=ON -DQUILLMAR_BENCH=OFF \
            -DCMAKE_BUILD_TYPE=Debug
        ASAN_OPTIONS=detect_leaks=0 run_tests build-asan
        if [ -f fuzz/CMakeLists.txt ]; then
            echo "== fuzz (libFuzzer)"
            CC=clang CXX=clang++ configure_and_build build-fuzz -DQUILLMAR_FUZZ=ON \
                -DQUILLMAR_GUI=OFF -DQUILLMAR_BENCH=OFF -DBUILD_TESTING=OFF
            ./fuzz/run.sh build-fuzz 60
        fi
    fi
    ;;
*)
    echo "usage: $0 run|test" >&2
    exit 2
    ;;
esac
