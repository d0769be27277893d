#!/usr/bin/env bash
# The Debian package as a teacher gets it: it unpacks to the program, its
# menu entry and icons, names its runtime dependencies, and the unpacked
# program starts and ends with exit code 0 when asked to close.
set -euo pipefail
build=$1
work=$(mktemp -d)
pid=
cleanup() {
    [ -n "$pid" ] && kill -KILL "$pid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

(cd "$build" && cpack -G DEB -B "$work/out" >/dev/null)
deb=$(ls "$work"/out/quorvane_*_*.deb) || fail "no .deb was made"
dpkg-deb -x "$deb" "$work/root"

for file in usr/bin/quorvane usr/bin/quorvane-snapshot usr/share/applications/quorvane.desktop \
            usr/share/icons/hicolor/scalable/apps/quorvane.svg usr/share/icons/hicolor/48x48/apps/quorvane.png \
            usr/share/icons/hicolor/256x256/apps/quorvane.png usr/share/doc/quorvane/LICENSE; do
    [ -e "$work/root/$file" ] || fail "the package lacks $file"
done
grep -qx 'Categories=Education;Science;Electronics;' "$work/root/usr/share/applications/quorvane.desktop" ||
    fail "the menu entry is not in Education/Science"

depends=$(dpkg-deb -f "$deb" Depends)
for package in libqt6widgets6 libqt6gui6 libqt6core6 fonts-liberation; do
    [[ $depends == *"$package"* ]] || fail "Depends lacks $package: $depends"
done
[ "$(dpkg-deb -f "$deb" Version)" = "$2" ] || fail "the package version is not $2"

QT_QPA_PLATFORM=offscreen "$work/root/usr/bin/quorvane" &
pid=$!
# The program closes on SIGTERM once it has set up its handler.
for _ in $(seq 1 100); do
    mask=$(awk '/^SigCgt:/ {print $2}' "/proc/$pid/status" 2>/dev/null || echo 0)
    (( (16#$mask >> 14) & 1 )) && break
    sleep 0.05
done
(( (16#$mask >> 14) & 1 )) || fail "the program never got ready"
kill -TERM "$pid"
status=0
wait "$pid" || status=$?
pid=
[ "$status" -eq 0 ] || fail "the program ended with $status"
echo "package test passed: $(basename "$deb")"
