#pragma once
// The windows that report on AirMail's frequency list and on the logs,
// opened from the AutoConnect window's View menu and the table's pop-up.
// They are made by the program around the window (they read files this
// folder does not know) and close when the AutoConnect window closes.
#include <string_view>

namespace velmora {

class ReportWindows {
 public:
  virtual ~ReportWindows() = default;
  // "AirMail History...": the summary of AirMail's debug log.
  virtual void AirmailHistoryShow() = 0;
  // "LogFile History...": the summary of the AutoConnect log.
  virtual void LogFileHistoryShow() = 0;
  // "Station Info...": the station's entry of "FreqList.rtf"; with
  // `beamList` the stations with a directional antenna are listed first.
  virtual void StationInfoShow(std::string_view station, bool beamList) = 0;
  virtual void ReportWindowsClose() = 0;
};

}  // namespace velmora
