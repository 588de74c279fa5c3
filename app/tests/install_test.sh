#!/usr/bin/env bash
# Installs the built bundle into a temporary home, checks the launcher entry and the icon, starts the
# installed program the way the entry does, and uninstalls, leaving the home as it was.
#   install_test.sh <source folder> <built Quenby.app>
set -euo pipefail
source=$1
bundle=$2
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
export HOME="$home/home with space"
export XDG_DATA_HOME="$HOME/.local/share"
export QUENBY_APPLICATIONS_FOLDER="$HOME/Apps"
mkdir -p "$HOME/.config"
fail() { echo "FAIL: $*" >&2; exit 1; }

before=$(cd "$home" && find . | sort)
"$source/scripts/install" --bundle "$bundle" >/dev/null

entry="$XDG_DATA_HOME/applications/com.velmorn.quenby.desktop"
[[ -f "$entry" ]] || fail "no launcher entry"
if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$entry" || fail "desktop-file-validate refuses the entry"
fi
[[ -f "$XDG_DATA_HOME/icons/hicolor/scalable/apps/com.velmorn.quenby.svg" ]] || fail "no icon"
[[ -x "$QUENBY_APPLICATIONS_FOLDER/Quenby.app/Contents/MacOS/Quenby" ]] || fail "no program in the Applications folder"
[[ -x "$QUENBY_APPLICATIONS_FOLDER/Quenby.app/Contents/Library/LoginItems/QuenbyLauncher.app/Contents/MacOS/QuenbyLauncher" ]] \
    || fail "no launcher inside the bundle"
[[ -f "$QUENBY_APPLICATIONS_FOLDER/Quenby.app/Contents/Resources/com.velmorn.quenby.svg" ]] || fail "no window icon"

# The entry's Exec line, unquoted as a launcher would (one quoted path).
exec_line=$(sed -n 's/^Exec=//p' "$entry")
program=$(python3 -c 'import shlex,sys; print(shlex.split(sys.argv[1].replace("\\\\","\\"))[0])' "$exec_line")
[[ "$program" == "$QUENBY_APPLICATIONS_FOLDER/Quenby.app/Contents/MacOS/Quenby" ]] || fail "Exec names $program"
"$program" --version | grep -q "Quenby" || fail "the installed program does not answer --version"
# Started as the entry starts it, it keeps running until stopped.
set +e
QT_QPA_PLATFORM=offscreen timeout 4 "$program" --fixture "$source/demo/desk.json" >/dev/null 2>&1
status=$?
set -e
[[ $status -eq 124 ]] || fail "the installed program ended with $status instead of running"

# Installing again replaces the installation; uninstalling leaves nothing behind.
"$source/scripts/install" --bundle "$bundle" >/dev/null
"$source/scripts/install" --uninstall >/dev/null
after=$(cd "$home" && find . | sort)
# The program may leave its settings behind (they are the user's, not installed files).
after=$(grep -v -e '^./home with space/.config' -e '^./home with space/.cache' -e '^./home with space/.local/share/Quenby' <<< "$after" || true)
before=$(grep -v -e '^./home with space/.config' <<< "$before" || true)
[[ "$before" == "$after" ]] || fail "left behind: $(diff <(echo "$before") <(echo "$after"))"
echo "PASS"
