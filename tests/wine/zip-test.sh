#!/usr/bin/env bash
# The Windows zip as a teacher gets it: it holds quorvane.exe, a README and
# the licence; the executable's version resource and file icon are the
# project's; and the unpacked program starts under Wine and ends with exit
# code 0 when its window is asked to close.
#
#   zip-test.sh BUILD_DIR VERSION
set -euo pipefail
build=$(realpath "$1")
version=$2
work=$(mktemp -d "$build/zip-test.XXXXXX")
run=$(realpath "$(dirname "$0")/../../scripts/wine-run.sh")
prefix="$build/wine-prefix"
probe="$build/tests/quorvane_client_probe.exe"
pid=
cleanup() {
    [ -n "$pid" ] && kill "$pid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

(cd "$build" && cpack -G ZIP -B "$work/out" >/dev/null)
zip=$(ls "$work"/out/quorvane-"$version"-*.zip) || fail "no zip was made"
unzip -q "$zip" -d "$work/unpacked"
top="$work/unpacked/$(basename "$zip" .zip)"
for file in quorvane.exe README.txt LICENSE.txt; do
    [ -f "$top/$file" ] || fail "the zip lacks $file"
done
[ "$(unzip -Z1 "$zip" | grep -vc '/$')" -eq 3 ] || fail "the zip holds more than the three files: $(unzip -Z1 "$zip")"

exe="$top/quorvane.exe"
strings=$(wrestool -x --raw --type=16 "$exe" | iconv -f UTF-16LE -t UTF-8 -c | tr -c '[:print:]' ' ')
for pair in "ProductName Quorvane" "ProductVersion $version" "FileVersion $version" "OriginalFilename quorvane.exe"; do
    [[ $(tr -s ' ' <<<"$strings") == *"$pair"* ]] || fail "the version resource lacks '$pair'"
done
wrestool -l --type=14 "$exe" | grep -q . || fail "the executable has no file icon"
echo "version resource: $(grep -o "ProductVersion *[0-9.]*" <<<"$strings" | tr -s ' ')"

"$run" "$prefix" "$exe" >/dev/null 2>&1 &
pid=$!
found=
for _ in $(seq 1 150); do
    if "$run" "$prefix" "$probe" >/dev/null 2>&1; then
        found=1
        break
    fi
    sleep 0.2
done
[ -n "$found" ] || fail "the unpacked program opened no window"
"$run" "$prefix" "$probe" close >/dev/null 2>&1 || fail "could not ask the window to close"
status=0
wait "$pid" || status=$?
pid=
[ "$status" -eq 0 ] || fail "the program ended with $status"
echo "zip test passed: $(basename "$zip")"
