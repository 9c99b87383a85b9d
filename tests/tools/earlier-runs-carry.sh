#!/usr/bin/env bash
# ./run's first start after the program got a folder of its own carries what
# earlier runs left in the build folder: each file Velmora keeps and "Data",
# never over what the new folder holds. The occupancy record and the radio's
# remote-control mark were once left behind.
set -u
root=$(cd "$(dirname "$0")/../.." && pwd)
. "$root/tools/env.sh"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
from=$work/windows folder=$work/Velmora
names="Velmora.Ini AutoConnectLog.txt StationOffsetData.txt StationHistoryData.txt StationRadioData.txt
  StationOccupancyData.txt RadioRemote.txt"
mkdir -p "$from/Data" "$folder"
for name in $names Velmora.log; do echo "earlier $name" >"$from/$name"; done
echo earlier >"$from/Data/2005-03-14 183000.ref"
echo newer >"$folder/Velmora.log"
velmora_earlier_runs_carry "$from" "$folder" || { echo "the carry failed" >&2; exit 1; }
status=0
for name in $names; do
  [ "$(cat "$folder/$name" 2>/dev/null)" = "earlier $name" ] || { echo "$name was not carried" >&2; status=1; }
done
[ -s "$folder/Data/2005-03-14 183000.ref" ] || { echo "Data was not carried" >&2; status=1; }
[ "$(cat "$folder/Velmora.log")" = newer ] || { echo "the new folder's Velmora.log was overwritten" >&2; status=1; }
exit $status
