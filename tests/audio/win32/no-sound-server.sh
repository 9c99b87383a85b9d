#!/usr/bin/env bash
# Velmora started where no sound server can be reached says so, with the
# wave error's text, and its loop stops.
#   no-sound-server.sh VELMORA.EXE WINDOWCTL.EXE
set -u
exe=$1 ctl=$2
folder=$(mktemp -d)
trap 'wine "$ctl" close Velmora 5 >/dev/null 2>&1; rm -rf "$folder"' EXIT
cp "$exe" "$folder/Velmora.exe"
cd "$folder" || exit 1
PULSE_SERVER=unix:/nonexistent/velmora PULSE_RUNTIME_PATH=/nonexistent wine ./Velmora.exe >wine.log 2>&1 &

fail() { echo "FAILED: $*"; exit 1; }
wine "$ctl" dialog Velmora 30 >box.raw 2>/dev/null || fail "no message box appeared"
tr -d '\r' <box.raw >box.txt
cat box.txt
grep -q '^WaveInputOpen - Cannot Open Sound Card$' box.txt || fail "the first line is not the open failure"
[ "$(wc -l <box.txt)" -ge 3 ] || fail "no wave error text follows"
wine "$ctl" press Velmora 1 >/dev/null 2>&1 || fail "cannot press OK"
for i in $(seq 1 50); do
  wine "$ctl" status Velmora >status.raw 2>/dev/null
  tr -d '\r' <status.raw >status.txt
  grep -q '^Stopped$' status.txt && break
  sleep 0.1
done
grep -q '^Stopped$' status.txt || fail "panel 1 reads '$(cat status.txt)', not Stopped"
wine "$ctl" close Velmora 10 >/dev/null 2>&1 || fail "the window did not close"
echo "passed"
