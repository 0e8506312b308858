#!/usr/bin/env bash
# Installs the build tree into a scratch root and checks what a package would ship:
# every file in place, nothing extra, icons of their stated sizes, and the desktop
# entry, the metainfo and the icons all naming one another correctly.
#   install_layout.sh <build dir> <scratch dir>
set -euo pipefail
build=$1
root=$2
id=org.example.quillmar

rm -rf "$root"
DESTDIR="$root" cmake --install "$build" --prefix /usr >/dev/null

passed=0
failed=0
check() {  # description, command...
    local what=$1
    shift
    if "$@"; then
        passed=$((passed + 1))
    else
        failed=$((failed + 1))
        echo "FAIL: $what"
    fi
}

png_size() {  # width and height from the IHDR chunk, as WxH
    local w h
    w=$(od -An -tu1 -j16 -N4 "$1" | awk '{print $1*16777216 + $2*65536 + $3*256 + $4}')
    h=$(od -An -tu1 -j20 -N4 "$1" | awk '{print $1*16777216 + $2*65536 + $3*256 + $4}')
    echo "${w}x${h}"
}

desktop_key() {  # key: value of the first such line in the desktop entry
    sed -n "s/^$1=//p" "$root/usr/share/applications/$id.desktop" | head -n1
}

expected=(
    "usr/bin/quillmar"
    "usr/share/applications/$id.desktop"
    "usr/share/metainfo/$id.metainfo.xml"
    "usr/share/mime/packages/$id.xml"
    "usr/share/icons/hicolor/scalable/apps/$id.svg"
    "usr/share/doc/quillmar/copyright"
    "usr/share/doc/quillmar/changelog.gz"
    "usr/share/man/man1/quillmar.1.gz"
)
sizes=(16 32 48 64 128 256)
for s in "${sizes[@]}"; do
    expected+=("usr/share/icons/hicolor/${s}x${s}/apps/$id.png")
done

for f in "${expected[@]}"; do
    check "installed: /$f" test -s "$root/$f"
done
check "the binary is executable" test -x "$root/usr/bin/quillmar"

extra=$(cd "$root" && find . -type f -printf '%P\n' | sort | comm -23 - <(printf '%s\n' "${expected[@]}" | sort))
check "nothing installed beyond the list (extra: ${extra//$'\n'/ })" test -z "$extra"

for s in "${sizes[@]}"; do
    f="$root/usr/share/icons/hicolor/${s}x${s}/apps/$id.png"
    if [ -f "$f" ]; then
        check "${s}x${s} icon has its size (is $(png_size "$f"))" test "$(png_size "$f")" = "${s}x${s}"
    fi
done

exec_word=$(desktop_key Exec | awk '{print $1}')
check "Exec= names the installed binary (Exec=$exec_word)" test -x "$root/usr/bin/$exec_word"
check "Icon= names the installed icon (Icon=$(desktop_key Icon))" test "$(desktop_key Icon)" = "$id"
check "metainfo id is the application id" \
    grep -q "<id>$id</id>" "$root/usr/share/metainfo/$id.metainfo.xml"
check "metainfo launches the installed desktop entry" \
    grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" \
    "$root/usr/share/metainfo/$id.metainfo.xml"

# The design type as a desktop would read it: the database built from the
# installed XML maps the suffix to the type the desktop entry opens.
mime=$(desktop_key MimeType)
mkdir -p "$root/mime-check/packages"
cp "$root/usr/share/mime/packages/$id.xml" "$root/mime-check/packages/"
check "update-mime-database takes the design type" update-mime-database "$root/mime-check"
check "*.quillmar is $mime" grep -qx "50:${mime%;}:\*.quillmar" "$root/mime-check/globs2"

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
