#!/usr/bin/env bash
# Makes the Debian package from the build and checks it with the distribution's own tools:
# lintian (no error, no warning), appstreamcli on every metainfo file, desktop-file-validate on
# every desktop entry; every program has its man page and reports the package's version.
# Usage: package_test.sh BUILD_DIR PROGRAM...
set -euo pipefail
build=$1; shift
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cpack --config "$build/CPackConfig.cmake" -B "$work" >"$work/cpack.log" || { cat "$work/cpack.log"; exit 1; }
deb=$(echo "$work"/forms-programs_*_amd64.deb)
[ -f "$deb" ] || { echo "no forms-programs_<version>_amd64.deb in: $(ls "$work")"; exit 1; }
version=$(dpkg-deb -f "$deb" Version)

lintian_status=0
lintian --fail-on error,warning --display-info "$deb" >"$work/lintian.log" 2>&1 || lintian_status=$?
grep -v "running with root privileges" "$work/lintian.log" || true
[ "$lintian_status" -eq 0 ] || { echo "FAIL: lintian reports errors or warnings"; exit 1; }

dpkg-deb -x "$deb" "$work/root"
shopt -s nullglob
metainfo=("$work"/root/usr/share/metainfo/*.metainfo.xml)
entries=("$work"/root/usr/share/applications/*.desktop)
[ ${#metainfo[@]} -eq $# ] && [ ${#entries[@]} -eq $# ] ||
    { echo "FAIL: ${#metainfo[@]} metainfo files and ${#entries[@]} desktop entries for $# programs"; exit 1; }
appstreamcli validate --no-net "${metainfo[@]}"
desktop-file-validate "${entries[@]}"
for name in "$@"; do
    grep -q "<binary>$name</binary>" "$work"/root/usr/share/metainfo/*."$name".metainfo.xml
    [ -f "$work/root/usr/share/man/man1/$name.1.gz" ] || { echo "FAIL: no man page for $name"; exit 1; }
    answer=$(env -u DISPLAY -u WAYLAND_DISPLAY "$work/root/usr/bin/$name" --version)
    [ "$answer" = "$name $version" ] || { echo "FAIL: $name --version says '$answer', the package is $version"; exit 1; }
done
echo "$(basename "$deb"): lintian, appstreamcli and desktop-file-validate pass"
