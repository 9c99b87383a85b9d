#!/usr/bin/env bash
# Runs a command (a Windows test under Wine) with drive V: on a file system
# of 64 KB, which a recording fills at once. Without the rights to mount
# one the drive is missing, and the tests that need it are skipped.
set -u
[ -n "${WINEPREFIX:-}" ] || { echo "full-disk: WINEPREFIX is not set" >&2; exit 1; }
dir=$(mktemp -d)
mounted=false
if mount -t tmpfs -o size=64k tmpfs "$dir" 2>/dev/null; then
  mounted=true
  ln -sfn "$dir" "$WINEPREFIX/dosdevices/v:"
fi
"$@"
status=$?
rm -f "$WINEPREFIX/dosdevices/v:"
$mounted && umount "$dir"
rmdir "$dir"
exit $status
