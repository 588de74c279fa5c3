#!/usr/bin/env bash
# Installs the built bundle into a temporary home, checks the launcher entry and the icon, starts the
# installed program the way the entry does, and uninstalls, leaving the home as it was.
#   install_test.sh <source folder> <built Quenby.app>
set -euo pipefail
source=$1
bundle=$2
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
export HOME="$home/home with 100% space"
export XDG_DATA_HOME="$HOME/.local/share"
export XDG_CONFIG_HOME="$HOME/.config"
export QUENBY_APPLICATIONS_FOLDER="$HOME/Apps"
mkdir -p "$HOME/.config"
fail() { echo "FAIL: $*" >&2; exit 1; }
# The program an entry's Exec line starts, unquoted as a launcher would (one quoted path).
execProgram() {
    local line
    line=$(sed -n 's/^Exec=//p' "$1")
    python3 -c 'import shlex,sys; print(shlex.split(sys.argv[1].replace("\\\\","\\"))[0].replace("%%","%"))' "$line"
}
# Runs the installed program on its own session bus, so that no other copy takes over its start.
runFor() {
    local seconds=$1 status
    shift
    set +e
    QT_QPA_PLATFORM=offscreen dbus-run-session -- timeout "$seconds" "$@" >/dev/null 2>&1
    status=$?
    set -e
    return $status
}

before=$(cd "$home" && find . | sort)
"$source/scripts/install" --bundle "$bundle" >/dev/null

entry="$XDG_DATA_HOME/applications/com.velmorn.quenby.desktop"
[[ -f "$entry" ]] || fail "no launcher entry"
if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$entry" || fail "desktop-file-validate refuses the entry"
fi
[[ -f "$XDG_DATA_HOME/icons/hicolor/scalable/apps/com.velmorn.quenby.svg" ]] || fail "no icon"
# Docks match windows to the entry by their WM_CLASS on X11 (the program's is "Quenby"; the desktop-session
# test reads it) and by the entry's name on Wayland; the icon is named after the entry.
grep -qx 'StartupWMClass=Quenby' "$entry" || fail "the launcher entry has no StartupWMClass=Quenby"
grep -qx 'Icon=com.velmorn.quenby' "$entry" || fail "the launcher entry does not name the installed icon"
[[ -x "$QUENBY_APPLICATIONS_FOLDER/Quenby.app/Contents/MacOS/Quenby" ]] || fail "no program in the Applications folder"
[[ -x "$QUENBY_APPLICATIONS_FOLDER/Quenby.app/Contents/Library/LoginItems/QuenbyLauncher.app/Contents/MacOS/QuenbyLauncher" ]] \
    || fail "no launcher inside the bundle"
[[ -f "$QUENBY_APPLICATIONS_FOLDER/Quenby.app/Contents/Resources/com.velmorn.quenby.svg" ]] || fail "no window icon"
[[ -f "$QUENBY_APPLICATIONS_FOLDER/Quenby.app/Contents/Frameworks/libQuenbyWeb.so" ]] \
    || fail "no web request module in the bundle"

installed="$QUENBY_APPLICATIONS_FOLDER/Quenby.app"
program=$(execProgram "$entry")
[[ "$program" == "$installed/Contents/MacOS/Quenby" ]] || fail "Exec names $program"
"$program" --version | grep -q "Quenby" || fail "the installed program does not answer --version"

# Start at login switched on by an earlier version, through the launcher inside the bundle: the installed
# program, started as its launcher entry starts it, moves it over to itself (its own start-at-login entry)
# and keeps running until stopped.
autostart="$XDG_CONFIG_HOME/autostart"
mkdir -p "$autostart"
printf '[Desktop Entry]\nType=Application\nName=QuenbyLauncher\nExec="%s"\n' \
    "$installed/Contents/Library/LoginItems/QuenbyLauncher.app/Contents/MacOS/QuenbyLauncher" \
    > "$autostart/com.velmorn.quenbylauncher.desktop"
status=0
runFor 4 "$program" --fixture "$source/demo/desk.json" || status=$?
[[ $status -eq 124 ]] || fail "the installed program ended with $status instead of running"
login="$autostart/com.velmorn.quenby.desktop"
[[ -f "$login" ]] || fail "start at login wrote no entry: $(ls "$autostart")"
[[ ! -e "$autostart/com.velmorn.quenbylauncher.desktop" ]] || fail "the launcher still starts at login"
if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$login" || fail "desktop-file-validate refuses the start-at-login entry"
fi
grep -qx 'Icon=com.velmorn.quenby' "$login" || fail "the start-at-login entry does not name the installed icon"
grep -q '^Comment=.' "$login" || fail "the start-at-login entry has no Comment"
[[ "$(execProgram "$login")" == "$installed/Contents/MacOS/Quenby" ]] \
    || fail "start at login starts $(execProgram "$login"), not the installed program"

# Installing again replaces the installation; uninstalling leaves nothing behind.
"$source/scripts/install" --bundle "$bundle" >/dev/null
[[ -f "$login" ]] || fail "installing again switched start at login off"
# A start-at-login entry of another copy (a build folder) is not the installation's to remove.
other="$autostart/other.desktop"
printf '[Desktop Entry]\nType=Application\nName=Other\nExec="%s"\n' "$bundle/Contents/MacOS/Quenby" > "$other"
"$source/scripts/install" --uninstall >/dev/null
[[ ! -e "$login" ]] || fail "uninstalling left start at login on for the removed program"
[[ -f "$other" ]] || fail "uninstalling removed the start-at-login entry of another copy"
rm -- "$other"
after=$(cd "$home" && find . | sort)
# The program may leave its settings behind (they are the user's, not installed files).
after=$(grep -v -e '^./home with 100% space/.config' -e '^./home with 100% space/.cache' -e '^./home with 100% space/.local/share/Quenby' <<< "$after" || true)
before=$(grep -v -e '^./home with 100% space/.config' <<< "$before" || true)
[[ "$before" == "$after" ]] || fail "left behind: $(diff <(echo "$before") <(echo "$after"))"
echo "PASS"
