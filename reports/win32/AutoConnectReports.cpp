#include "reports/win32/AutoConnectReports.h"

#include "airmail/DebugLogMonitor.h"
#include "airmail/StationEntries.h"
#include "autoconnect/AutoConnectLog.h"
#include "propagation/Positions.h"

namespace velmora {
namespace {

constexpr const char* kHam = "HAM";

}  // namespace

AirmailDataFolder AutoConnectReports::Data() const {
  return AirmailDataFolder(window_.Settings().airmailDirectoryData, window_.Messages());
}

std::optional<LatLon> AutoConnectReports::Ship() const {
  LatLon position;
  if (!LatLonGetCurrent(Data(), position)) return std::nullopt;
  return position;
}

// The beam list asks for every station with a beam: the file is read once for all.
std::optional<LatLon> AutoConnectReports::Station(const std::string& station) {
  const AirmailDataFolder data = Data();
  LatLon position;
  const StationFile* file = stations_.Of(data, kHam);
  if (!(file ? LatLonGetStation(*file, station, position, false)
             : LatLonGetStation(data, kHam, station, position, false)))
    return std::nullopt;
  return position;
}

void AutoConnectReports::AirmailHistoryShow() {
  if (!airmail_) airmail_ = std::make_unique<HistoryWindow>(window_.Handle(), HistoryKind::Airmail, window_.Messages());
  airmail_->Show(DebugLogPath(window_.Settings().airmailDirectoryData));
}

void AutoConnectReports::LogFileHistoryShow() {
  if (!logFile_) logFile_ = std::make_unique<HistoryWindow>(window_.Handle(), HistoryKind::LogFile, window_.Messages());
  logFile_->Show(AutoConnectLogPath(programFolder_));
}

std::optional<LatLon> AutoConnectReports::ShipOfAction() const {
  return shipOfAction_ ? *shipOfAction_ : Ship();
}

std::vector<std::string> AutoConnectReports::Beams() {
  auto ship = ShipOfAction();
  if (!ship) return {};
  std::vector<StationEntry> entries;
  if (!StationEntriesGet(Data(), kHam, StationListKind::All, entries)) return {};
  std::vector<std::string> stations;
  for (const auto& entry : entries) stations.push_back(entry.key);
  auto range = [&](const std::string& station) -> std::optional<double> {
    auto position = Station(station);
    if (!position) return std::nullopt;
    return LatLonGetRange(*ship, *position);
  };
  // No messages are handled while the search runs: the status line is painted at once.
  auto searching = [this](const std::string& station) {
    window_.Status().SetText(2, "Antenna, " + station);
    UpdateWindow(window_.Status().Handle());
  };
  return FreqListBeams(stationInfo_->Document(), stations, range, searching);
}

void AutoConnectReports::StationInfoShow(std::string_view station, bool beamList) {
  if (!stationInfo_) {
    stationInfo_ =
        std::make_unique<StationInfoWindow>(window_.Handle(), window_.Messages(), [this](const std::string& s) {
          auto ship = ShipOfAction();
          return StationInfoLabelsOf(ship, ship ? Station(s) : std::nullopt);
        });
  }
  stationInfo_->Load(Data().File("FreqList.rtf"));
  // The beams and the labels need the ship's position: asked for once, a
  // missing one is told once.
  shipOfAction_ = Ship();
  std::string shown(station);
  if (beamList) {
    // A run goes on meanwhile: its state and status (which its log record
    // takes) come back once the search is done.
    StatusBar& status = window_.Status();
    const std::string state = status.Text(1), engineStatus = status.Text(2);
    status.SetText(1, "Working");
    UpdateWindow(status.Handle());
    std::vector<std::string> beams = Beams();
    stationInfo_->ShowBeams(beams);
    status.SetText(1, state);
    status.SetText(2, engineStatus);
    // Without a station of the table, the nearest with a beam.
    if (shown.empty() && !beams.empty()) shown = beams.front();
  }
  stationInfo_->ShowStation(shown);
  shipOfAction_.reset();
}

void AutoConnectReports::ReportWindowsClose() {
  stationInfo_.reset();
  airmail_.reset();
  logFile_.reset();
}

}  // namespace velmora
