#pragma once
// The report windows of the AutoConnect window: the station information
// window and the two history summaries, each made when first asked for
// and closed with the AutoConnect window.
#include <filesystem>
#include <memory>
#include <optional>

#include "airmail/StationFile.h"
#include "autoconnect/ReportWindows.h"
#include "autoconnect/win32/AutoConnectWindow.h"
#include "reports/win32/HistoryWindow.h"
#include "reports/win32/StationInfoWindow.h"

namespace velmora {

class AutoConnectReports final : public ReportWindows {
 public:
  // The AutoConnect log lies in `programFolder`; AirMail's files in the
  // data folder the window's settings name at each use.
  AutoConnectReports(AutoConnectWindow& window, std::filesystem::path programFolder)
      : window_(window), programFolder_(std::move(programFolder)) {}

  void AirmailHistoryShow() override;
  void LogFileHistoryShow() override;
  void StationInfoShow(std::string_view station, bool beamList) override;
  void ReportWindowsClose() override;

  StationInfoWindow* StationInfo() const { return stationInfo_.get(); }
  HistoryWindow* AirmailHistory() const { return airmail_.get(); }
  HistoryWindow* LogFileHistory() const { return logFile_.get(); }

 private:
  AirmailDataFolder Data() const;
  std::optional<LatLon> Ship() const;
  // The ship's position found at the start of the action in hand, else looked up now.
  std::optional<LatLon> ShipOfAction() const;
  std::optional<LatLon> Station(const std::string& station);
  std::vector<std::string> Beams();

  AutoConnectWindow& window_;
  std::filesystem::path programFolder_;
  std::unique_ptr<StationInfoWindow> stationInfo_;
  std::unique_ptr<HistoryWindow> airmail_, logFile_;
  std::optional<std::optional<LatLon>> shipOfAction_;
  StationFileCache stations_;
};

}  // namespace velmora
