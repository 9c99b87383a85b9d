# Shared by ./run, ./test and the tools: installing what is missing, the
# builds, a display, a private Wine prefix and a sound server.
# Sourced, not run. Everything started here is stopped by velmora_cleanup.

VELMORA_ROOT=${VELMORA_ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}
VELMORA_BUILD=$VELMORA_ROOT/build
VELMORA_PIDS=()
VELMORA_GROUPS=()

VELMORA_BUILD_PACKAGES="cmake make g++ googletest libgtest-dev libbenchmark-dev libfftw3-dev locales
  g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
  clang libclang-rt-14-dev"
VELMORA_RUN_PACKAGES="wine wine64 xvfb xauth x11-utils x11-apps imagemagick xdotool
  pulseaudio pulseaudio-utils sox socat procps"

velmora_say() { printf '== %s\n' "$*" >&2; }

velmora_as_root() {
  if [ "$(id -u)" = 0 ]; then "$@"; elif command -v sudo >/dev/null; then sudo "$@"; else
    velmora_say "need root to run: $*"; return 1; fi
}

# Installs the Debian packages that are not installed yet; apt-get update
# runs only when something must be installed.
velmora_install() {
  local missing=() p
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  velmora_say "installing ${missing[*]}"
  velmora_as_root env DEBIAN_FRONTEND=noninteractive apt-get update -q >/dev/null || return 1
  velmora_as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}" \
    >"$VELMORA_BUILD/apt.log" 2>&1 || { cat "$VELMORA_BUILD/apt.log" >&2; return 1; }
}

velmora_jobs() { nproc 2>/dev/null || echo 2; }

# What a Windows user gets: the program, its command-line tools, its texts
# and the demo recording; built by velmora_build_windows --target $VELMORA_PROGRAM_TARGETS.
VELMORA_PROGRAM_TARGETS="Velmora velmora-analyse velmora-predict velmora-history"

# A text file as Notepad reads it: CR LF line ends.
velmora_crlf() { sed 's/\r$//; s/$/\r/' "$1"; }

# What Velmora writes beside itself and keeps from one version to the next:
# settings, logs, the station files and the radio's remote-control mark.
# None of them is in the zip, so a newer one unzipped over the folder leaves them.
VELMORA_KEPT_FILES="Velmora.Ini AutoConnectLog.txt Velmora.log StationOffsetData.txt StationHistoryData.txt
  StationRadioData.txt StationOccupancyData.txt RadioRemote.txt"

# Carries the settings and data that runs from before the program had a
# folder of its own left in FROM into FOLDER; what FOLDER holds stays.
velmora_earlier_runs_carry() {
  local from=$1 folder=$2 kept
  mkdir -p "$folder" || return 1
  for kept in $VELMORA_KEPT_FILES Data; do
    if [ -e "$from/$kept" ]; then cp -rn "$from/$kept" "$folder/" || return 1; fi
  done
}

# Lays out FOLDER as the zip holds it: Velmora.exe and the tools beside it,
# "Velmora.txt", "Install.txt", "User's guide.txt" and "Data\Demo Pactor 3.bin".
# What the program wrote there (settings, recordings, logs) stays.
velmora_program_folder() {
  local folder=$1 windows=$VELMORA_BUILD/windows target
  mkdir -p "$folder/Data" || return 1
  # Each put in place whole, so a copy of the program still running keeps its file.
  for target in $VELMORA_PROGRAM_TARGETS; do
    cp "$windows/$target.exe" "$folder/.$target.exe.new" && mv -f "$folder/.$target.exe.new" "$folder/$target.exe" \
      || return 1
  done
  velmora_crlf "$VELMORA_ROOT/app/Velmora.txt" >"$folder/Velmora.txt" || return 1
  velmora_crlf "$VELMORA_ROOT/app/Install.txt" >"$folder/Install.txt" || return 1
  "$VELMORA_ROOT/tools/guide-text" "$VELMORA_ROOT/README.md" | velmora_crlf /dev/stdin >"$folder/User's guide.txt"
  [ -s "$folder/User's guide.txt" ] || { velmora_say "README.md has no \"User's guide\" section"; return 1; }
  cp "$VELMORA_ROOT/analysis/demo/Demo Pactor 3.bin" "$folder/Data/"
}

velmora_build_native() {
  cmake -S "$VELMORA_ROOT" -B "$VELMORA_BUILD/native" -DCMAKE_BUILD_TYPE=Release >"$VELMORA_BUILD/native-configure.log" 2>&1 \
    || { cat "$VELMORA_BUILD/native-configure.log" >&2; return 1; }
  cmake --build "$VELMORA_BUILD/native" -j "$(velmora_jobs)" "$@"
}

velmora_build_windows() {
  cmake -S "$VELMORA_ROOT" -B "$VELMORA_BUILD/windows" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$VELMORA_ROOT/cmake/mingw-w64-x86_64.cmake" >"$VELMORA_BUILD/windows-configure.log" 2>&1 \
    || { cat "$VELMORA_BUILD/windows-configure.log" >&2; return 1; }
  cmake --build "$VELMORA_BUILD/windows" -j "$(velmora_jobs)" "$@"
}

# The fuzz targets with Debian's clang, libFuzzer and the sanitizers.
velmora_build_fuzz() {
  cmake -S "$VELMORA_ROOT" -B "$VELMORA_BUILD/fuzz" -DCMAKE_BUILD_TYPE=Release -DVELMORA_FUZZ=ON \
    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ >"$VELMORA_BUILD/fuzz-configure.log" 2>&1 \
    || { cat "$VELMORA_BUILD/fuzz-configure.log" >&2; return 1; }
  cmake --build "$VELMORA_BUILD/fuzz" -j "$(velmora_jobs)" "$@"
}

# A comma-decimal locale of our own, for the tests that prove the files do
# not depend on the user's number format.
velmora_make_locale() {
  [ -d "$VELMORA_BUILD/locales/de_DE.UTF-8" ] && return 0
  mkdir -p "$VELMORA_BUILD/locales"
  localedef -i de_DE -f UTF-8 "$VELMORA_BUILD/locales/de_DE.UTF-8" >/dev/null 2>&1 || true
}

velmora_cleanup() {
  local pid
  if [ -n "${WINEPREFIX:-}" ] && command -v wineserver >/dev/null; then wineserver -k >/dev/null 2>&1; fi
  for pid in "${VELMORA_GROUPS[@]}"; do kill -- "-$pid" >/dev/null 2>&1; done
  for pid in "${VELMORA_PIDS[@]}"; do kill "$pid" >/dev/null 2>&1; done
  VELMORA_PIDS=() VELMORA_GROUPS=()
}

# A virtual display when there is none (or when asked for one). A display
# number another server holds (perhaps outside this file system's /tmp) is
# passed over.
velmora_display() {
  if [ -n "${DISPLAY:-}" ] && [ "${1:-}" != new ] && xdpyinfo >/dev/null 2>&1; then return 0; fi
  local n i pid
  for n in $(seq 91 140); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
    # In a session of its own: a Ctrl+C meant for the script must not end the display.
    setsid Xvfb ":$n" -screen 0 1280x900x24 -nolisten tcp >/dev/null 2>&1 &
    pid=$!
    for i in $(seq 1 50); do
      [ -e "/tmp/.X11-unix/X$n" ] && DISPLAY=":$n" xdpyinfo >/dev/null 2>&1 && break
      kill -0 "$pid" 2>/dev/null || break
      sleep 0.1
    done
    if kill -0 "$pid" 2>/dev/null && DISPLAY=":$n" xdpyinfo >/dev/null 2>&1; then
      VELMORA_PIDS+=("$pid")
      export DISPLAY=":$n"
      return 0
    fi
    kill "$pid" >/dev/null 2>&1
  done
  velmora_say "Xvfb did not start"; return 1
}

# A private Wine prefix under build/. With "desktop", every window opens in
# one virtual desktop: frames and captions show, and no window manager is needed.
velmora_wine() {
  local name=$1 desktop=${2:-}
  export WINEPREFIX="$VELMORA_BUILD/$name" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree=;mshtml="
  export WINEARCH=win64
  if [ ! -d "$WINEPREFIX" ]; then
    velmora_say "creating the Wine prefix $WINEPREFIX"
    wineboot -i >"$VELMORA_BUILD/$name.log" 2>&1
    wineserver -w
    if [ "$desktop" = desktop ]; then
      wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /t REG_SZ /d Default /f >/dev/null 2>&1
      wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /t REG_SZ /d 1280x900 /f >/dev/null 2>&1
      wineserver -w
    fi
  fi
  # Keep the server up, and let Wine's services start outside any pipe.
  wineserver -p >/dev/null 2>&1
  wine cmd /c exit >"$VELMORA_BUILD/$name-warmup.log" 2>&1
}

# A sound server with a null sink as default output and its monitor as
# default input, so capture works on a machine without a sound card.
velmora_pulse() {
  export PULSE_RUNTIME_PATH="$VELMORA_BUILD/pulse"
  mkdir -p "$PULSE_RUNTIME_PATH"
  if ! pactl info >/dev/null 2>&1; then
    pulseaudio -D --exit-idle-time=-1 --use-pid-file=yes --disallow-exit >/dev/null 2>&1 || true
    local i
    for i in $(seq 1 50); do pactl info >/dev/null 2>&1 && break; sleep 0.1; done
    [ -f "$PULSE_RUNTIME_PATH/pid" ] && VELMORA_PIDS+=("$(cat "$PULSE_RUNTIME_PATH/pid")")
  fi
  pactl info >/dev/null 2>&1 || { velmora_say "no sound server"; return 1; }
  if ! pactl list short sinks 2>/dev/null | grep -q velmora; then
    pactl load-module module-null-sink sink_name=velmora >/dev/null 2>&1
  fi
  pactl set-default-sink velmora >/dev/null 2>&1
  pactl set-default-source velmora.monitor >/dev/null 2>&1
}

# Plays a recording (16-bit mono at 11025 Hz, no header) into the null sink
# over and over, so the capture hears it as if it came from the receiver.
velmora_play_loop() {
  local file=$1
  setsid bash -c 'while :; do pacat --raw --format=s16le --rate=11025 --channels=1 -d velmora "$0" || sleep 1; done' \
    "$file" >/dev/null 2>&1 &
  VELMORA_GROUPS+=($!)
}

# Keeps a PNG of the display at PATH, taken again every SECONDS, for looking
# at a virtual display from outside. Each picture is written under a name of
# its own and then moved in place, so a viewer never reads half of one.
velmora_screen_picture() {
  local picture=$1 seconds=$2
  setsid bash -c 'while :; do import -window root "png:$0.new" 2>/dev/null && mv -f "$0.new" "$0"; sleep "$1"; done' \
    "$picture" "$seconds" >/dev/null 2>&1 &
  VELMORA_GROUPS+=($!)
}

# True when there is no sound card of the user's to listen to (the tests
# name another device folder in VELMORA_SOUND_DEVICES).
velmora_no_sound_card() {
  ! ls "${VELMORA_SOUND_DEVICES:-/dev/snd}"/pcm* >/dev/null 2>&1
}
