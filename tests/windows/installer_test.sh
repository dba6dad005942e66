#!/bin/sh
# Installs the Windows installer silently into a fresh wine prefix of its own and removes it
# again: per user (the default), a repair by installing the same package again, another build
# of the same version and a later version replacing it, a refused downgrade, and per machine
# (ALLUSERS=1). After each removal nothing is left: the prefix holds the same files and folders
# as before, and its registry names the product nowhere.
#   installer_test.sh WINE_RUN MSI_DIR INSTALLER_CHECK.exe WINDOW_SMOKE.exe BUILD_MSI.cmake BUILD_MSI_COMMAND...
# MSI_DIR holds the package of one architecture (x64 or x86); the checks are built for the same.
# BUILD_MSI_COMMAND (cmake with the -D options of build_msi.cmake) builds the other packages.
set -eu
wine_run=$1
msi=$(ls "$2"/forms-programs-*.msi)
check=$3
smoke=$4
build_script=$5
shift 5
# The checks are programs of the package's architecture: where wine cannot run them, nothing is
# installed (wine-run says why, and the test is skipped).
"$wine_run" --can-run "$check" || exit

work=$(mktemp -d)
export WINEPREFIX="$work/prefix"
export WINEDEBUG=-all
# No desktop entries or menus on the host for the shortcuts the package makes.
export WINEDLLOVERRIDES="winemenubuilder.exe=d;winedbg.exe=d;mscoree=d;mshtml=d"
cleanup() {
    WINEPREFIX="$work/prefix" wineserver -k 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

step() { echo "== $*"; }
msiexec() { "$wine_run" msiexec "$@" </dev/null; }
snapshot() {
    # The registry is written to its files when the session ends.
    wineserver -k 2>/dev/null || true
    wineserver -w 2>/dev/null || true
    # Windows Installer's own cache folders stay once made, empty. The system's precompiled
    # setup files (inf/*.pnf) are written whenever wine's device setup first gets to them, on a
    # busy machine well after the prefix was made: they are the system's, never the package's.
    (cd "$WINEPREFIX" && find . | grep -v -e '^\./drive_c/windows/Installer$' \
        -e '^\./drive_c/users/[^/]*/AppData/Roaming/Microsoft/Installer$' \
        -e '^\./drive_c/windows/inf/[^/]*\.pnf$' | sort) >"$1"
}
nothing_left() {
    snapshot "$work/after"
    if ! diff "$work/before" "$work/after"; then
        echo "FAIL: files or folders left in the prefix (> above)" >&2
        exit 1
    fi
    if grep -n -i -e "Forms programs" -e "forms_programs" "$WINEPREFIX"/*.reg; then
        echo "FAIL: registry entries left (above)" >&2
        exit 1
    fi
}

step "a fresh prefix"
"$wine_run" --session
snapshot "$work/before"

step "per user: install $(basename "$msi")"
msiexec /i "$msi" /qn
"$wine_run" "$check" user
# The product's icon for "Apps & features", kept by the installer.
find "$WINEPREFIX/drive_c" -name forms_programs.ico | grep -q . || { echo "FAIL: no product icon" >&2; exit 1; }
program=$(find "$WINEPREFIX/drive_c/users" -path "*/AppData/Local/Programs/Forms programs/sumdiff.exe")
"$wine_run" "$smoke" "$("$wine_run" winepath -w "$program" | tr -d '\r')"

step "the same package again repairs a lost program and shortcut"
rm "$program" "$(find "$WINEPREFIX/drive_c/users" -name sumdiff.lnk)"
msiexec /i "$msi" /qn
"$wine_run" "$check" user

step "another build of the same version replaces it"
"$@" -DOUTPUT_DIR="$work/rebuilt" -P "$build_script" >/dev/null
msiexec /i "$work"/rebuilt/forms-programs-*.msi /qn
"$wine_run" "$check" user

step "a later version upgrades in place; the earlier one is then refused"
later_version=99.0.1
"$@" -DOUTPUT_DIR="$work/later" -DVERSION=$later_version -P "$build_script" >/dev/null
later=$(ls "$work"/later/forms-programs-$later_version-*.msi)
msiexec /i "$later" /qn
"$wine_run" "$check" user $later_version
if msiexec /i "$msi" /qn; then
    echo "FAIL: the earlier version installed over the later one" >&2
    exit 1
fi
"$wine_run" "$check" user $later_version

step "per user: remove"
msiexec /x "$later" /qn
nothing_left

step "per machine: install with ALLUSERS=1, remove without it"
msiexec /i "$msi" /qn ALLUSERS=1
"$wine_run" "$check" machine
msiexec /x "$msi" /qn
nothing_left
echo "installed, repaired, upgraded and removed per user; installed and removed per machine"
