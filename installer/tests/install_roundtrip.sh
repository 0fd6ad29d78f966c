#!/usr/bin/env bash
# The setup program's round trip in a fresh Wine prefix of its own:
#  1. an older build (0.9.0) installs per user into C:\Mowik-test; a settings file is put beside it
#  2. this version installs over it silently: same folder, settings byte for byte unchanged,
#     the files, pl1 in the player's list, the uninstall entry, shortcuts and autostart in place;
#     mowik-say.exe from the installed folder speaks into a file
#  3. the installed mowik.exe starts; installing again closes it through its window
#  4. it runs again; the silent uninstall closes it and leaves nothing the installer made but
#     mowiksets.conf (kept by default)
#  5. a per-machine install into Program Files, then an uninstall with /RemoveSettings: the
#     folder is gone
# The older version is the Windows folder with, while mowik.exe is not built yet, a stand-in
# reader (a window of the reader's class that closes as the reader does) as its mowik.exe.
# usage: install_roundtrip.sh SETUP VERSION PRODUCT_DIR PACKAGED_DIR PROBE STANDIN WORK_DIR
#                            OLD_SETUP_COMMAND...
#        (PACKAGED_DIR: the files SETUP holds; OLD_SETUP_COMMAND packages WORK_DIR/older into
#        WORK_DIR/mowik-setup-0.9.0.exe)
set -euo pipefail

setup=$1 version=$2 product_dir=$3 packaged_dir=$4 probe=$5 standin=$6 work=$7
shift 7
export WINEDEBUG=-all WINEPREFIX="$work/wine" LANG=C.UTF-8
drive="$WINEPREFIX/drive_c"

fail() { echo "FAIL: $*" >&2; exit 1; }
step() { echo "== $*"; }

server_started=""
reader_pid=""
cleanup() {
  if [ -n "$reader_pid" ]; then kill "$reader_pid" 2>/dev/null || true; fi
  if [ -n "$server_started" ]; then wineserver -k 2>/dev/null || true; fi
}
trap cleanup EXIT

# A fresh prefix with one server for the whole run (its own: the build's prefix is not touched).
if [ -d "$WINEPREFIX" ]; then WINEPREFIX="$WINEPREFIX" wineserver -k 2>/dev/null || true; fi
rm -rf "$work"
mkdir -p "$work"
step "older setup program (0.9.0, uncompressed)"
mkdir -p "$work/older"
cp "$product_dir"/{mowik-say.exe,vrlplay.dll,varelo.dll,pl1,vovedodudo.dll,VrlCpl.exe} "$work/older/"
if [ -f "$product_dir/mowik.exe" ]; then cp "$product_dir/mowik.exe" "$work/older/"; else cp "$standin" "$work/older/mowik.exe"; fi
"$@" >/dev/null
old_setup="$work/mowik-setup-0.9.0.exe"
[ -f "$old_setup" ] || fail "the older setup program was not built"
step "fresh Wine prefix"
mkdir -p "$WINEPREFIX"
wineserver -p
server_started=1
wine wineboot -i >/dev/null 2>&1

# Registry lookups through Wine's reg.exe; "key" prints the key's values, fails when missing.
reg_key() { wine reg query "$1" 2>/dev/null | tr -d '\r'; }
has_key() { wine reg query "$1" >/dev/null 2>&1; }
uninstall_key='Software\Microsoft\Windows\CurrentVersion\Uninstall\Mowik'
run_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Run'
start_menu_entries() { find "$drive" -path '*Start Menu*' -iname '*mowik*' 2>/dev/null; }

# The uninstaller copies itself away and returns at once: it is done when its entry is gone.
uninstall() {
  local folder=$1
  shift
  wine "$folder\\uninstall.exe" /S "$@" || fail "uninstall.exe $* failed to start"
  for _ in $(seq 600); do
    has_key "HKCU\\$uninstall_key" || has_key "HKLM\\$uninstall_key" || return 0
    sleep 0.2
  done
  fail "the uninstaller did not finish"
}

product_files() {
  (cd "$product_dir" && ls mowik-say.exe vrlplay.dll varelo.dll pl1 vovedodudo.dll VrlCpl.exe mowik.exe mowik-sapi.dll 2>/dev/null || true)
}
milliseconds() { echo $(($(date +%s%N) / 1000000)); }

# --- 1 and 2: an update over an older version keeps the settings --------------------------------
folder='C:\Mowik-test'
unix_folder="$drive/Mowik-test"
step "install 0.9.0 per user into $folder"
wine "$old_setup" /S "/D=$folder" || fail "the older setup program failed"
[ -f "$unix_folder/uninstall.exe" ] || fail "0.9.0 installed no uninstaller"
reg_key "HKCU\\$uninstall_key" | grep -q 'DisplayVersion.*0\.9\.0' || fail "no 0.9.0 uninstall entry"
head -c 3000 /dev/urandom >"$work/settings"
cp "$work/settings" "$unix_folder/mowiksets.conf"

step "install $version over it (silent, no folder given)"
time_start=$(milliseconds)
wine "$setup" /S || fail "the setup program failed"
echo "install took $(($(milliseconds) - time_start)) ms"
cmp -s "$work/settings" "$unix_folder/mowiksets.conf" || fail "the update changed mowiksets.conf"
for name in $(product_files) uninstall.exe; do
  [ -f "$unix_folder/$name" ] || fail "$name is not installed"
done
for name in $(product_files); do
  cmp -s "$packaged_dir/$name" "$unix_folder/$name" || fail "$name differs from the packaged one"
done
entry=$(reg_key "HKCU\\$uninstall_key")
for value in "DisplayName.*Mowik" "DisplayVersion.*$version" "Publisher" "EstimatedSize.*0x" \
             "DisplayIcon.*Mowik-test" 'UninstallString.*"C:\\Mowik-test\\uninstall.exe"' \
             'QuietUninstallString.*uninstall.exe" /S' 'InstallLocation.*C:\\Mowik-test'; do
  grep -q -- "$value" <<<"$entry" || fail "uninstall entry lacks $value: $entry"
done
databases=$(wine "$probe" databases "$folder" | tr -d '\r')
printf -v wanted 'pl1\t%s\\pl1' "$folder"
grep -qxF "$wanted" <<<"$databases" || fail "pl1 is not in the player's list: $databases"
[ "$(start_menu_entries | grep -c '\.lnk$')" -eq 3 ] || fail "Start-menu shortcuts missing: $(start_menu_entries)"
reg_key "$run_key" | grep -q 'Mowik.*Mowik-test\\mowik.exe' || fail "no autostart entry"

step "the installed program speaks"
wine "$folder\\mowik-say.exe" -o 'C:\say.wav' "Ala ma kota, kot ma alę." || fail "mowik-say.exe failed"
rms=$(sox "$drive/say.wav" -n stat 2>&1 | awk '/RMS +amplitude/ {print $3}')
awk -v r="$rms" 'BEGIN { exit !(r > 0.01) }' || fail "the speech is silent (RMS $rms)"

# --- 3 and 4: a running reader is closed through its window ----------------------------------
start_reader() {
  (cd / && exec wine "$folder\\mowik.exe" >/dev/null 2>&1) &
  reader_pid=$!
  wine "$probe" reader-window 60 || fail "mowik.exe shows no window"
}
reader_closed() {
  for _ in $(seq 100); do kill -0 "$reader_pid" 2>/dev/null || break; sleep 0.1; done
  kill -0 "$reader_pid" 2>/dev/null && fail "mowik.exe still runs after $1"
  reader_pid=""
  wine "$probe" no-reader-window || fail "a Mowik window is left after $1"
}
if [ -n "${DISPLAY:-}" ]; then
  step "mowik.exe starts from the installed folder; installing again closes it"
  start_reader
  wine "$setup" /S || fail "installing again failed"
  reader_closed "installing again"
  start_reader
else
  echo "(no DISPLAY: mowik.exe is not started)"
fi

step "silent uninstall (settings kept)"
time_start=$(milliseconds)
uninstall "$folder"
echo "uninstall took $(($(milliseconds) - time_start)) ms"
if [ -n "$reader_pid" ]; then reader_closed "the uninstall"; fi
# The reader found the test's settings file damaged and kept a copy of it beside it: the user's
# data too, kept with the settings.
left=$(cd "$unix_folder" && ls -A | grep -vx 'mowiksets.conf.bad')
[ "$left" = "mowiksets.conf" ] || fail "the folder should hold only the settings, holds: $left"
[ -z "$(start_menu_entries)" ] || fail "Start-menu entries left: $(start_menu_entries)"
reg_key "$run_key" | grep -qi mowik && fail "the autostart entry is left"
for root in HKCU HKLM; do
  has_key "$root\\$uninstall_key" && fail "$root uninstall entry left"
  has_key "$root\\Software\\tarvi" && fail "$root\\Software\\tarvi left: $(reg_key "$root\\Software\\tarvi")"
done

# --- 5: per machine, settings removed ----------------------------------------------------------
step "install per machine (default folder), uninstall with /RemoveSettings"
wine "$setup" /S /AllUsers /NoAutostart || fail "the per-machine install failed"
machine_folder='C:\Program Files\Mowik'
unix_machine="$drive/Program Files/Mowik"
[ -f "$unix_machine/vrlplay.dll" ] || fail "nothing in $machine_folder"
[ -f "$unix_machine/mowiksets.conf" ] || fail "no settings file for every user"
reg_key "HKLM\\$uninstall_key" | grep -q "InstallLocation.*Program Files\\\\Mowik" || fail "no HKLM uninstall entry"
reg_key "HKLM\\Software\\tarvi\\varelo\\databases\\pl1" | grep -q 'Program Files\\Mowik\\pl1' || fail "pl1 not in HKLM"
reg_key "$run_key" | grep -qi mowik && fail "/NoAutostart still added the autostart entry"
uninstall "$machine_folder" /RemoveSettings
[ -e "$unix_machine" ] && fail "$machine_folder is left: $(ls -A "$unix_machine")"
[ -z "$(start_menu_entries)" ] || fail "Start-menu entries left: $(start_menu_entries)"
for root in HKCU HKLM; do
  has_key "$root\\Software\\tarvi" && fail "$root\\Software\\tarvi left"
done
step "installer round trip passed"
