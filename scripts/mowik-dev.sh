#!/usr/bin/env bash
# Sets up a Debian machine for Mowik and drives the builds.
#   mowik-dev.sh setup   install the Debian packages, build the native and Windows presets (the
#                        latter ends with the setup program and the zip in build/)
#   mowik-dev.sh run     setup, then speak a sample Polish text into a WAV file
#   mowik-dev.sh test [PRESET...]
#                        setup, then run every test: native, native under ASan+UBSan, the fuzz
#                        targets for MOWIK_FUZZ_SECONDS each (default 20), Windows under Wine,
#                        the 32-bit Windows build and its tests under wine32 (built only where
#                        the machine cannot run 32-bit programs); name presets to run only
#                        those (CI runs all): native native-sanitize fuzz windows windows32
#   mowik-dev.sh screenshots   the real mowik.exe under a virtual display: a PNG of each tab
#                        of its window, of the icon's pop-up menu and of the About box in
#                        build/screenshots/
# The README and .ci/run both call this script, so they cannot drift apart.
set -euo pipefail

cd "$(dirname "$0")/.."
export WINEDEBUG=-all
jobs=$(nproc 2>/dev/null || echo 2)

packages=(
  cmake g++ make libgtest-dev googletest zlib1g-dev
  g++-mingw-w64-x86-64-posix libz-mingw-w64-dev wine wine64 xvfb
  clang libclang-rt-14-dev
  locales
  g++-mingw-w64-i686-posix
  sox libasound2
  espeak-ng libespeak-ng-dev
  nsis
  libasound2-dev                                               # mowik-say speaks on ALSA
  speech-dispatcher python3-speechd speech-dispatcher-espeak-ng  # sd_mowik's server tests, benchmark
  hunspell-pl                                                  # the noun lexicon's source (natural reading)
  fortunes-pl wpolish                                          # real text for measure-lexicon
)

# Installs what is missing of the packages above and of any named here.
install_packages() {
  local missing=()
  for p in "${packages[@]}" "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "== installing: ${missing[*]}"
  local sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  export DEBIAN_FRONTEND=noninteractive
  $sudo apt-get install -y "${missing[@]}" || { $sudo apt-get update && $sudo apt-get install -y "${missing[@]}"; }
}

# wine32 (Debian's 32-bit Wine loader) runs 32-bit Windows programs, but only on a kernel that
# runs 32-bit Linux programs at all: some virtual machines refuse them (execve fails with
# "Exec format error"). There, installing wine32 would even stop 64-bit programs under Wine,
# since the wine command then starts every program through the 32-bit loader. So the script
# first tries a 32-bit Linux program of three instructions (exit 0), made with the binutils
# that g++ brings.
runs_32bit_programs() {
  local dir status
  dir=$(mktemp -d)
  printf '.globl _start\n_start: movl $1, %%eax\n xorl %%ebx, %%ebx\n int $0x80\n' >"$dir/exit.s"
  status=1
  if as --32 -o "$dir/exit.o" "$dir/exit.s" && ld -m elf_i386 -o "$dir/exit" "$dir/exit.o"; then
    "$dir/exit" 2>/dev/null && status=0
  fi
  rm -rf "$dir"
  return $status
}

install_wine32() {
  dpkg-query -W -f='${Status}' wine32:i386 2>/dev/null | grep -q "install ok installed" && return 0
  echo "== installing: wine32:i386"
  local sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  export DEBIAN_FRONTEND=noninteractive
  $sudo dpkg --add-architecture i386
  $sudo apt-get update -q >/dev/null
  $sudo apt-get install -y -q --no-install-recommends wine32:i386 >/dev/null
}

build() {
  local preset=$1
  echo "== build $preset"
  cmake --preset "$preset" ${MOWIK_DEBUG_INFO:+-DMOWIK_DEBUG_INFO=$MOWIK_DEBUG_INFO} >/dev/null
  cmake --build --preset "$preset" -j "$jobs"
}

run_tests() {
  local preset=$1
  echo "== test $preset"
  local retry=()
  # Under Wine a test program very rarely fails to start at all on a loaded machine: such a
  # test gets one more run (ctest names it); a real fault fails both times.
  case "$preset" in windows|windows32) retry=(--repeat until-pass:2) ;; esac
  ctest --preset "$preset" -j "$jobs" --output-on-failure "${retry[@]}"
}

# The Windows tests create real windows: without a display, run them on a virtual one that
# this script starts and stops. (The sound-device tests bring their own ALSA configuration,
# which captures what is played into a file: see vovedodudo/CMakeLists.txt.)
xvfb_pid=""
start_display() {
  [ -n "${DISPLAY:-}" ] && return 0
  local number
  number=$(mktemp)
  Xvfb -displayfd 3 -nolisten tcp 3>"$number" >/dev/null 2>&1 &
  xvfb_pid=$!
  for _ in $(seq 100); do [ -s "$number" ] && break; sleep 0.1; done
  [ -s "$number" ] || { echo "Xvfb did not start" >&2; exit 1; }
  export DISPLAY=":$(head -n 1 "$number")"
  rm -f "$number"
  echo "== virtual display $DISPLAY"
}
stop_display() {
  # A display this script started is gone: the next stage that needs one starts another.
  if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" 2>/dev/null || true; unset DISPLAY; fi
  xvfb_pid=""
}

# The Windows build (its test discovery runs the tests under Wine) and the Windows tests use a
# Wine prefix of their own, with one persistent wineserver for the whole run: otherwise the
# server exits a few seconds after each burst of Wine programs, and one started while it shuts
# down can fail or stall. A server that is still winding down blocks a persistent one from
# starting, so whatever runs in this prefix is ended first. The user's own prefix is not touched.
# The 32-bit tests have a prefix of their own (build/wine32, 64-bit Windows with its 32-bit
# side, as 32-bit callers mostly meet it), so that neither build's tests see the other's
# registry entries.
# A prefix belongs to the Wine installation that made it: after another one (wine32 added,
# say) its programs fail with "could not load kernel32.dll". The prefix records which Wine
# made it, and one made by another, or one that no longer starts a program, is made anew.
wine_prefix="$PWD/build/wine"
wineserver_started=""
wine_identity() {
  { command -v wine; wine --version
    dpkg-query -W -f='${Package}:${Architecture} ${db:Status-Abbrev} ${Version}\n' 'wine*' 'libwine*' 2>/dev/null
  } | sort | sha256sum | cut -c1-16
}
open_wine_prefix() {
  mkdir -p "$WINEPREFIX"
  wineserver -k >/dev/null 2>&1 || true
  wineserver -w
  wineserver -p || { echo "wineserver did not start" >&2; exit 1; }
  wineserver_started=1
  wine wineboot -i >/dev/null 2>&1 || true   # creates or updates the prefix before any test
}
remove_wine_prefix() {
  echo "== Wine prefix $WINEPREFIX: $1; making it anew"
  wineserver -k >/dev/null 2>&1 || true
  wineserver -w
  rm -rf "$WINEPREFIX"
}
start_wineserver() {
  [ -n "$wineserver_started" ] && return 0
  wine_prefix="$PWD/build/${1:-wine}"
  export WINEPREFIX="$wine_prefix"
  local identity stamp="$wine_prefix/.made-by-wine"
  identity=$(wine_identity)
  if [ -e "$WINEPREFIX/system.reg" ] && [ "$(cat "$stamp" 2>/dev/null)" != "$identity" ]; then
    remove_wine_prefix "not made by this Wine installation"
  fi
  open_wine_prefix
  if ! wine cmd.exe /c exit 0 >/dev/null 2>&1; then
    remove_wine_prefix "Wine cannot start a program in it"
    open_wine_prefix
    wine cmd.exe /c exit 0 >/dev/null 2>&1 || { echo "Wine cannot start a program even in a new prefix ($WINEPREFIX)" >&2; exit 1; }
  fi
  echo "$identity" >"$stamp"
}
stop_wineserver() {
  if [ -n "$wineserver_started" ]; then WINEPREFIX="$wine_prefix" wineserver -k >/dev/null 2>&1 || true; fi
  wineserver_started=""
}

# A program that keeps the Wine desktop open for the whole test run. Otherwise the first test
# program that makes a window starts the desktop process, which inherits that test's output:
# ctest then waits until the desktop closes again (a second, or twenty), test after test.
start_desktop_keeper() {
  (cd / && exec wine notepad.exe >/dev/null 2>&1) &
  for _ in $(seq 100); do
    pgrep -f 'notepad.exe' >/dev/null && break
    sleep 0.1
  done
}

cleanup() {
  stop_wineserver
  stop_display
}
trap cleanup EXIT

# The native build (engine core and file writer linked in) and the Windows build (through
# vrlplay.dll) must write the same bytes for the same text, with the same random draw and
# the Polish regional settings the Windows cases use.
compare_builds() {
  local preset=${1:-windows}
  local text="Ala ma kota, kot ma alę! Spotkanie 12-05-2024 o 12:30 kosztuje 15,50 EUR."
  local dir
  dir=$(mktemp -d)
  echo "== native and $preset builds speak the same bytes"
  for extra in "" "--alaw"; do
    build/native/tools/mowik-say --random 0.5 $extra -o "$dir/native.wav" "$text"
    LOCPATH="$PWD/build/$preset/tools/locale" LANG=pl_PL.UTF-8 \
      wine "build/$preset/product/mowik-say.exe" --random 0.5 $extra -o "$dir/windows.wav" "$text"
    cmp "$dir/native.wav" "$dir/windows.wav" || { echo "the builds differ (${extra:-PCM})" >&2; exit 1; }
  done
  rm -rf "$dir"
}

# One fuzz target for the given seconds, on a copy of its corpus; prints the end of its output
# in one piece (targets run side by side) and fails when the target found a fault.
run_fuzzer() {
  local fuzzer=$1 seconds=$2
  local name corpus log status=0
  name=$(basename "$fuzzer")
  corpus=$(mktemp -d)
  log=$(mktemp)
  [ -d "fuzz/corpus/$name" ] && cp -r "fuzz/corpus/$name/." "$corpus/"
  # A crash input is written into the target's corpus folder: commit it with the fix, and
  # every later run replays it first. Longer fuzzing on demand:
  #   MOWIK_FUZZ_SECONDS=3600 bash scripts/mowik-dev.sh test fuzz
  mkdir -p "fuzz/corpus/$name"
  "$fuzzer" -max_total_time="$seconds" -print_final_stats=0 -artifact_prefix="fuzz/corpus/$name/" \
    "$corpus" >"$log" 2>&1 || status=$?
  printf '== fuzz %s for %ss\n%s\n' "$name" "$seconds" "$(tail -n 3 "$log")"
  rm -rf "$corpus" "$log"
  [ "$status" -eq 0 ] || { echo "fuzz target $name failed; its input is in fuzz/corpus/$name" >&2; return 1; }
}

# A fuzz target keeps one core busy: as many run at once as there are cores, each for its full
# time, so the stage takes half as long on two cores without fuzzing any target less.
run_fuzzers() {
  local seconds=${MOWIK_FUZZ_SECONDS:-20}
  local fuzzer pid failed=0
  local running=()
  for fuzzer in build/fuzz/fuzzers/*; do
    [ -x "$fuzzer" ] || continue
    run_fuzzer "$fuzzer" "$seconds" &
    running+=($!)
    if [ ${#running[@]} -ge "$jobs" ]; then
      for pid in "${running[@]}"; do wait "$pid" || failed=1; done
      running=()
    fi
  done
  for pid in "${running[@]}"; do wait "$pid" || failed=1; done
  [ "$failed" -eq 0 ] || exit 1
}

# Pictures of the real reader, driven step by step by reader_driver.exe, on a virtual display
# of its own (24-bit colour). The reader runs from a copy of the Windows folder, so the
# product gets no settings file.
take_screenshots() {
  local out="$PWD/build/screenshots"
  local driver="$PWD/build/windows/bench/reader_driver.exe"
  rm -rf "$out" && mkdir -p "$out/reader"
  find build/windows/product -maxdepth 1 -type f \( -name "*.exe" -o -name "*.dll" -o -name pl1 \) -exec cp {} "$out/reader/" \;
  local number
  number=$(mktemp)
  Xvfb -displayfd 3 -nolisten tcp -screen 0 1024x768x24 3>"$number" >/dev/null 2>&1 &
  xvfb_pid=$!
  for _ in $(seq 100); do [ -s "$number" ] && break; sleep 0.1; done
  export DISPLAY=":$(head -n 1 "$number")"
  rm -f "$number"
  start_wineserver
  # Without a window manager Wine draws the windows' title bars itself only when told to.
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /d N /f >/dev/null 2>&1 || true
  (cd "$out/reader" && exec wine mowik.exe >/dev/null 2>&1) &
  wine "$driver" show
  sleep 1
  local tab
  for tab in 1 2 3; do
    import -window root -crop "$(wine "$driver" rect | tr -d '\r')" +repage "$out/tab$tab.png"
    wine "$driver" next-tab
  done
  wine "$driver" hide
  wine "$driver" menu
  sleep 1
  import -window root "$out/menu.png"
  wine "$driver" escape
  wine "$driver" about
  sleep 1
  import -window root "$out/about.png"
  wine "$driver" close-about
  wine "$driver" quit
  rm -rf "$out/reader"
  echo "== screenshots in $out:" && ls "$out"
}

case "${1:-}" in
  screenshots)
    install_packages imagemagick   # import takes the pictures
    start_wineserver
    cmake --preset windows >/dev/null
    cmake --build --preset windows -j "$jobs" --target windows_folder reader_driver
    stop_wineserver
    take_screenshots
    ;;
  setup)
    install_packages
    build native
    start_wineserver
    build windows
    stop_wineserver
    version=$(sed -n 's/^project(mowik VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
    echo "== Windows setup program: build/mowik-setup-$version.exe, portable zip: build/mowik-$version-win64.zip"
    ;;
  run)
    "$0" setup
    sample="$PWD/build/mowik-sample.wav"
    text="Ala ma kota, kot ma alę! Spotkanie 12-05-2024 o 12:30 kosztuje 15,50 EUR."
    echo "== mowik-say -o $sample \"$text\""
    build/native/tools/mowik-say -o "$sample" "$text"
    echo "The speech is in $sample (play it with: play $sample)."
    # Aloud too where the machine has a sound card (sox's play; a failure is not fatal).
    if compgen -G "/dev/snd/pcmC*p" >/dev/null && command -v play >/dev/null; then
      echo "== playing it on the sound device"
      play -q "$sample" || echo "(the sound device did not take it)"
    fi
    echo "On Windows, or under Wine: build/windows/product/mowik-say.exe \"$text\" speaks it aloud."
    ;;
  test)
    shift
    presets=("$@")
    [ ${#presets[@]} -eq 0 ] && presets=(native native-sanitize fuzz windows windows32)
    install_packages
    # Every other build copies the voice that the native build generates.
    [ -f build/native/varelo/pl1 ] || build native
    for preset in "${presets[@]}"; do
      stage_start=$SECONDS
      case "$preset" in
        native|native-sanitize)
          build "$preset"
          run_tests "$preset"
          ;;
        fuzz)
          build fuzz
          run_fuzzers
          ;;
        windows)
          [ -x build/native/tools/mowik-say ] || build native   # the byte comparison needs it
          start_display
          start_wineserver
          start_desktop_keeper   # stopped with the wineserver
          build windows
          run_tests windows
          compare_builds
          stop_wineserver
          stop_display
          ;;
        windows32)
          # The 32-bit folder (export tables checked) and the tests of what 32-bit callers
          # load from it: player, audio library, bridge, control panel, the folder itself.
          build windows32
          if runs_32bit_programs; then
            [ -x build/native/tools/mowik-say ] || build native   # the byte comparison needs it
            install_wine32
            start_display
            start_wineserver wine32
            start_desktop_keeper   # stopped with the wineserver
            run_tests windows32
            compare_builds windows32
            stop_wineserver
            stop_display
          else
            echo "== windows32: tests built but NOT RUN: a 32-bit Linux program does not run on this"
            echo "   machine (a kernel without 32-bit support says Exec format error), so wine32 could"
            echo "   not start them; wine32 is not installed, as it would stop 64-bit Wine programs too"
          fi
          ;;
        *)
          echo "unknown preset $preset (native, native-sanitize, fuzz, windows, windows32)" >&2
          exit 2
          ;;
      esac
      echo "== $preset stage took $((SECONDS - stage_start)) s"
    done
    echo "== all tests passed (${presets[*]})"
    ;;
  *)
    echo "usage: $0 setup|run|test [PRESET...]|screenshots" >&2
    exit 2
    ;;
esac
