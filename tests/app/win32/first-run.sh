#!/usr/bin/env bash
# ./run as a newcomer meets it, in a program folder and a Wine prefix of its
# own: the guide's first steps on the demo recording work in the folder it
# makes ("Data\Demo Pactor 3.bin" is where the file chooser opens), and
# Ctrl+C closes Velmora as File, Exit does, so the settings changed during
# the run are saved; on a machine with a sound card Velmora listens through
# the user's own sound server. It once killed Velmora, the chooser opened in
# a build folder without any recording, and a silent source of ./run's own
# took the place of the sound card.
set -u
root=$(cd "$(dirname "$0")/../../.." && pwd)
. "$root/tools/env.sh"
work=$(mktemp -d "$VELMORA_BUILD/first-run.XXXXXX")
export VELMORA_RUN_FOLDER=$work/Velmora VELMORA_RUN_PREFIX=wineprefix-firstrun
# Never the test prefix of the tests around this one: its server must stay up.
export WINEPREFIX=$VELMORA_BUILD/$VELMORA_RUN_PREFIX WINEDEBUG=-all
run=""

fail() {
  echo "first run: $*" >&2
  echo "--- ./run said:" >&2; cat "$work/run.out" >&2
  exit 1
}
finish() {
  local status=$?
  [ -f "$work/pulse/pid" ] && kill "$(cat "$work/pulse/pid")" 2>/dev/null
  if [ -n "$run" ] && kill -0 "$run" 2>/dev/null; then
    kill -INT -- "-$run" 2>/dev/null
    for _ in $(seq 1 100); do kill -0 "$run" 2>/dev/null || break; sleep 0.3; done
    kill -KILL -- "-$run" 2>/dev/null
  fi
  velmora_cleanup
  rm -rf "$work"
  exit $status
}
trap finish EXIT

velmora_display || fail "no display"
# A sound card, and the user's sound server of a desktop session.
mkdir -p "$work/snd" && touch "$work/snd/pcmC0D0c"
export VELMORA_SOUND_DEVICES=$work/snd PULSE_RUNTIME_PATH=$work/pulse
pulseaudio -D --exit-idle-time=-1 --use-pid-file=yes --disallow-exit >/dev/null 2>&1
for _ in $(seq 1 50); do pactl info >/dev/null 2>&1 && break; sleep 0.1; done
pactl info >/dev/null 2>&1 || fail "the user's sound server did not start"
# In a session of its own, as a terminal runs it: its process group gets the
# Ctrl+C, which a script's background job would otherwise ignore.
setsid env --default-signal=INT "$root/run" >"$work/run.out" 2>&1 &
run=$!
for _ in $(seq 1 1200); do
  grep -q "Velmora runs in" "$work/run.out" && break
  kill -0 "$run" 2>/dev/null || fail "./run ended before it started Velmora"
  sleep 0.5
done
grep -q "Velmora runs in" "$work/run.out" || fail "./run did not start Velmora"
for want in Velmora.exe velmora-analyse.exe velmora-predict.exe velmora-history.exe Velmora.txt "User's guide.txt" \
  "Data/Demo Pactor 3.bin"; do
  [ -s "$VELMORA_RUN_FOLDER/$want" ] || fail "the program folder lacks $want"
done

ctl() { wine "$VELMORA_BUILD/windows/velmora-windowctl.exe" "$@" >"$work/ctl.out" 2>&1; }
ctl wait Velmora 60 || fail "the main window did not appear"
for _ in $(seq 1 40); do
  [ -n "$(pactl list short source-outputs 2>/dev/null)" ] && break
  sleep 0.5
done
[ -n "$(pactl list short source-outputs 2>/dev/null)" ] || fail "Velmora does not listen through the user's sound server"
# The guide: "Menu" shows the menu bar, Options, Input..., "Playback", "..."
# beside the file box, "Demo Pactor 3.bin" in the "Data" folder, OK, Start.
ctl command Velmora 2001 || fail "no Menu button"
ctl command Velmora 1009 || fail "no Options, Input..."
ctl dialog "Velmora - Options" 20 || fail "the Options dialog did not open"
ctl click "Velmora - Options" 1012 || fail "no Playback option"
ctl click "Velmora - Options" 1033 || fail "no ... button"
ctl dialog "Playback File" 20 || fail "the file chooser did not open"
# Its file name box; a bare name is looked for in the folder it shows.
ctl settext "Playback File" 1148 "Demo Pactor 3.bin" || ctl settext "Playback File" 1152 "Demo Pactor 3.bin" ||
  fail "no file name box in the chooser"
ctl press "Playback File" 1 || fail "the chooser's Open"
# It closes once it has found the file: on a loaded machine that may take a while.
for _ in $(seq 1 100); do ctl dialog "Playback File" 0 || break; sleep 0.2; done
ctl dialog "Playback File" 0 && fail "the chooser found no \"Demo Pactor 3.bin\" in the folder it opened in"
ctl text "Velmora - Options" 1032 || fail "no file box"
expected=$(printf '%s' "$VELMORA_RUN_FOLDER/Data/Demo Pactor 3.bin" | tr / '\\')
tr -d '\r' <"$work/ctl.out" | grep -qiF "$expected" || fail "the file box holds $(cat "$work/ctl.out"), not ...$expected"
ctl click "Velmora - Options" 1001 || fail "no OK"
ctl command Velmora 2002 || fail "no Start"  # at once: the loop before may not have ended yet
for _ in $(seq 1 40); do
  ctl status Velmora 1 && grep -q "^Playback [0-9]" "$work/ctl.out" && break
  sleep 0.5
done
grep -q "^Playback [0-9]" "$work/ctl.out" || fail "the status bar says $(cat "$work/ctl.out"), not Playback n"

kill -INT -- "-$run"
for _ in $(seq 1 300); do kill -0 "$run" 2>/dev/null || break; sleep 0.3; done
kill -0 "$run" 2>/dev/null && fail "./run did not stop after Ctrl+C"
wait "$run"
grep -q "Velmora stopped; its settings are saved in" "$work/run.out" || fail "./run did not say that Velmora stopped"
ini=$VELMORA_RUN_FOLDER/Velmora.Ini
for want in "[Detector Data]" "[Display Data]" "MenuBar=True" "Window Width=" "[Airmail Data]"; do
  tr -d '\r' <"$ini" | grep -qF "$want" || fail "Velmora.Ini lacks $want: $(cat "$ini")"
done
echo "first run: the demo found in the program folder's Data, Velmora closed by Ctrl+C, its settings saved"
