#!/usr/bin/env bash
# Screenshots of every page of the setup program and of the uninstaller, for a look before a
# release: build/screenshots/setup-NN-<page>.png. Runs the setup program with its pages in a
# Wine prefix of its own on a virtual display (Xvfb; DISPLAY=:N picks one already running)
# and walks it with Enter.
# usage: installer/screenshots.sh [SETUP.exe]
set -euo pipefail

cd "$(dirname "$0")/.."
version=$(sed -n 's/^project(mowik VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
setup=$(realpath "${1:-build/mowik-setup-$version.exe}")
[ -f "$setup" ] || { echo "no $setup: build the windows preset first" >&2; exit 1; }
shots="$PWD/build/screenshots"
export WINEDEBUG=-all WINEPREFIX="$PWD/build/windows/installer/screenshots-wine"
# A Polish user's Wine, so that the system's own buttons (Tak/Nie) are Polish too: the Windows
# build compiles glibc's Polish locale into its build folder.
if [ -d build/windows/tools/locale/pl_PL.UTF-8 ]; then
  export LOCPATH="$PWD/build/windows/tools/locale" LANG=pl_PL.UTF-8
fi

xvfb_pid=""
cleanup() {
  wineserver -k 2>/dev/null || true
  if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" 2>/dev/null || true; fi
}
trap cleanup EXIT
if [ -z "${DISPLAY:-}" ]; then
  number=$(mktemp)
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$number" >/dev/null 2>&1 &
  xvfb_pid=$!
  for _ in $(seq 100); do [ -s "$number" ] && break; sleep 0.1; done
  export DISPLAY=":$(head -n 1 "$number")"
  rm -f "$number"
fi

rm -rf "$WINEPREFIX" "$shots"
mkdir -p "$WINEPREFIX" "$shots"
wine wineboot -i >/dev/null 2>&1

# Waits for a window whose title contains $1, brings it forward and waits for it to draw.
window=""
find_window() {
  for _ in $(seq 300); do
    window=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | tail -n 1 || true)
    [ -n "$window" ] && break
    sleep 0.1
  done
  [ -n "$window" ] || { echo "no window '$1'" >&2; exit 1; }
  xdotool windowactivate "$window" 2>/dev/null || true
  sleep 1.5
}
count=0
shot() {
  count=$((count + 1))
  import -window root "$shots/$(printf '%02d' $count)-$1.png"
  echo "$shots/$(printf '%02d' $count)-$1.png"
}
next() {
  xdotool key --window "$window" Return
  sleep 1.5
}

(cd / && exec wine "$setup" >/dev/null 2>&1) &
setup_pid=$!
find_window "Mowik"
for page in welcome users components folder; do
  shot "setup-$page"
  next
done
shot "setup-files"  # while the files are written
folder="$WINEPREFIX/drive_c/users/$(id -un)/AppData/Local/Programs/Mowik"  # the per-user default
for _ in $(seq 600); do [ -f "$folder/uninstall.exe" ] && break; sleep 0.2; done
sleep 3
find_window "Mowik"
shot "setup-finish"
xdotool key --window "$window" Return
wait "$setup_pid" || true

printf 'settings' >"$folder/mowiksets.conf"  # so that the uninstaller asks about it
(cd / && exec wine "$folder/uninstall.exe" >/dev/null 2>&1) &
find_window "Mowik"
shot "uninstall-confirm"
next
find_window "Mowik"
shot "uninstall-settings-question"
next
sleep 3
find_window "Mowik"
shot "uninstall-done"
xdotool key --window "$window" Return
sleep 2
