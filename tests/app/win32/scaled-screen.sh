#!/usr/bin/env bash
# Runs a command (a Windows test under Wine) on a screen scaled to 150 %:
# in a Wine prefix of its own under the build tree (made once, some
# seconds), whose logical resolution is 144 dots per inch. The prefix of
# the tests around this one keeps its 96.
set -u
# CTest starts it in the test's build folder: the prefix lies in the build tree's top.
build=$(pwd)
while [ "$build" != / ] && [ ! -f "$build/CMakeCache.txt" ]; do build=$(dirname "$build"); done
export WINEPREFIX=$build/wineprefix-144dpi WINEDEBUG=-all WINEDLLOVERRIDES="mscoree=;mshtml=" WINEARCH=win64
if [ ! -f "$WINEPREFIX/.dpi-144" ]; then
  wineboot -i >/dev/null 2>&1
  wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 144 /f >/dev/null 2>&1
  # One virtual desktop, as the test prefix has: windows are activated without a window manager.
  wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /t REG_SZ /d Default /f >/dev/null 2>&1
  wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /t REG_SZ /d 1280x900 /f >/dev/null 2>&1
  wineserver -w
  touch "$WINEPREFIX/.dpi-144"
fi
# Keep the server up, and let Wine's services start outside the test's pipes.
wineserver -p >/dev/null 2>&1
wine cmd /c exit >/dev/null 2>&1
"$@"
status=$?
wineserver -k >/dev/null 2>&1
exit $status
