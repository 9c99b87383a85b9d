#!/usr/bin/env bash
# Runs a command (a Windows test under Wine) with a serial line pair in the
# Wine prefix: COM8 is the program's end, COM9 the radio stand-in's.
set -u
[ -n "${WINEPREFIX:-}" ] || { echo "radio-line: WINEPREFIX is not set" >&2; exit 1; }
command -v socat >/dev/null || { echo "radio-line: socat is not installed" >&2; exit 1; }
dir=$(mktemp -d)
socat pty,raw,echo=0,link="$dir/program" pty,raw,echo=0,link="$dir/radio" >"$dir/socat.log" 2>&1 &
socat_pid=$!
for _ in $(seq 1 50); do [ -e "$dir/program" ] && [ -e "$dir/radio" ] && break; sleep 0.1; done
ln -sfn "$dir/program" "$WINEPREFIX/dosdevices/com8"
ln -sfn "$dir/radio" "$WINEPREFIX/dosdevices/com9"
"$@"
status=$?
rm -f "$WINEPREFIX/dosdevices/com8" "$WINEPREFIX/dosdevices/com9"
kill "$socat_pid" 2>/dev/null
wait "$socat_pid" 2>/dev/null
rm -rf "$dir"
exit $status
