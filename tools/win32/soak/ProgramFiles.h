#pragma once
// What the program has written in its folder, as the soak samples it:
// its message log, its AutoConnect log (in whole records) and the rest.
#include <filesystem>

namespace soak {

struct ProgramFiles {
  unsigned long long messageLogBytes = 0;      // "Velmora.log"
  unsigned long long autoConnectLogBytes = 0;  // "AutoConnectLog.txt"
  unsigned long autoConnectRecords = 0;        // its lines after the heading
  unsigned long malformedRecords = 0;          // lines without 20 fields or their line end
  unsigned long long historyBytes = 0;         // "StationHistoryData.txt"
  unsigned long otherFiles = 0;                // everything else but the programs themselves
  unsigned long long otherBytes = 0;
};

ProgramFiles ProgramFilesIn(const std::filesystem::path& folder);

}  // namespace soak
