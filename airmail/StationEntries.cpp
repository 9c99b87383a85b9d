#include "airmail/StationEntries.h"

#include "common/TextParse.h"

namespace velmora {
namespace {

std::string Quoted(std::string_view text) { return "\"" + std::string(text) + "\""; }

bool ReportUnreadable(const AirmailDataFolder& data, std::string_view system, StationListKind kind,
                      const FileFailure& failure) {
  bool all = kind == StationListKind::All;
  std::string problem = failure.stage == FileStage::Open
                            ? (all ? "StationGetListAll - Open, Unable to open AirMail "
                                   : "StationGetListSelected - Open, Unable to get AirMail ")
                            : (all ? "StationGetListAll - Read, Unable to get AirMail "
                                   : "StationGetListSelected - Read, Unable to get AirMail ");
  data.Messages().Show(problem + Quoted(system) + " Station Info data." + AirmailErrorDataMessage(data));
  return false;
}

bool StationListOf(const AirmailDataFolder& data, std::string_view system, StationListKind kind, SelectionList& list,
                   int index) {
  list = {};
  std::vector<StationEntry> stations;
  bool ok = StationEntriesGet(data, system, kind, stations);
  for (const auto& s : stations) list.entries.push_back(s.name);
  if (ok) ClampAndSelect(list, index);
  return ok;
}

}  // namespace

std::string StationLocatorOf(std::string_view value) {
  auto colon = value.find(':');
  return colon == std::string_view::npos ? std::string() : std::string(Trim(value.substr(0, colon)));
}

std::optional<std::string> StationDisplayNameOf(std::string_view value) {
  auto colon = value.find(':');
  if (colon == std::string_view::npos) return std::nullopt;
  auto rest = value.substr(colon + 1);
  return std::string(rest.substr(0, rest.find(';')));
}

std::string StationSelectedGet(const AirmailDataFolder& data, std::string_view system) {
  FileFailure failure;
  auto file = StationFile::Load(data, system, failure);
  return file ? StationSelectedGet(*file) : std::string();
}

// Whole, not through the profile buffer of 1024 characters: a list of some
// 200 stations would lose the stations at its end, and keep the last name
// cut short, selecting another station or none.
std::string StationSelectedGet(const StationFile& file) {
  auto whole = file.WholeValue("Frequency Setup", "Selected");
  return whole ? ProfileDocument::ValueAsRead(*whole, whole->size() + 1) : std::string();
}

bool StationIsSelected(std::string_view selected, std::string_view key) {
  return selected.empty() || selected.find(key) != std::string_view::npos;
}

bool StationEntriesGet(const AirmailDataFolder& data, std::string_view system, StationListKind kind,
                       std::vector<StationEntry>& stations) {
  stations.clear();
  FileFailure failure;
  auto file = StationFile::Load(data, system, failure);
  if (!file) return ReportUnreadable(data, system, kind, failure);
  return StationEntriesGet(*file, kind, stations);
}

bool StationEntriesGet(const StationFile& file, StationListKind kind, std::vector<StationEntry>& stations) {
  stations.clear();
  bool all = kind == StationListKind::All;
  std::string selected = all ? std::string() : StationSelectedGet(file);
  bool sailmail = SystemIsSailmail(file.System());
  for (const auto& entry : file.Section(kStationInfoHeader).entries) {
    if (!StationIsSelected(selected, entry.key)) continue;
    std::string name = entry.key;
    if (sailmail)
      if (auto display = StationDisplayNameOf(entry.line)) name = *display;
    stations.push_back({entry.key, name, StationLocatorOf(entry.value)});
  }
  if (stations.empty()) {
    const auto& data = file.Data();
    data.Messages().Show(std::string(all ? "StationGetListAll" : "StationGetList") +
                         ", Unable to find any selected AirMail " + Quoted(file.System()) + "Stations." +
                         AirmailErrorDataMessage(data));
    return false;
  }
  return true;
}

bool StationGetListSelected(const AirmailDataFolder& data, std::string_view system, SelectionList& list, int index) {
  return StationListOf(data, system, StationListKind::Selected, list, index);
}

bool StationGetListAll(const AirmailDataFolder& data, std::string_view system, SelectionList& list, int index) {
  return StationListOf(data, system, StationListKind::All, list, index);
}

std::string StationFromStationName(const AirmailDataFolder& data, std::string_view system, std::string_view name) {
  if (!SystemIsSailmail(system)) return std::string(name);
  if (name.empty()) return {};  // would match every station
  FileFailure failure;
  auto file = StationFile::Load(data, system, failure);
  if (!file) {
    std::string what = failure.stage == FileStage::Open ? "Unable to open AirMail's " : "Unable to process AirMail's ";
    data.Messages().Show(what + Quoted(StationFileName(system)) + ". " + ErrorText(failure.error) +
                             AirmailErrorDataMessage(data),
                         MessageIcon::Exclamation);
    return {};
  }
  auto section = file->Section(kStationInfoHeader);
  // The station shown under exactly this name; else, as before, the first
  // whose entry holds the name anywhere.
  for (const auto& e : section.entries)
    if (StationDisplayNameOf(e.line) == name) return e.key;
  for (const auto& e : section.entries)
    if (e.line.find(name) != std::string::npos) return e.key;
  if (section.endedByLine) {
    std::string lastKey = section.entries.empty() ? std::string() : section.entries.back().key;
    data.Messages().Show("Unable to find AirMail's " + std::string(name) + ", " + lastKey + " in " +
                             Quoted(data.File(file->FileName()).string()) + "." + AirmailErrorDataMessage(data),
                         MessageIcon::Exclamation);
  }
  return {};
}

std::string StationNameFromStation(const AirmailDataFolder& data, std::string_view system, std::string_view key) {
  if (!SystemIsSailmail(system)) return std::string(key);
  auto value = AirMailGetProfileString(data, StationFileName(system), "Station Info", key, true);
  return StationDisplayNameOf(value).value_or(std::string());
}

std::string StationNameFromStation(const StationFile& file, std::string_view key) {
  if (!SystemIsSailmail(file.System())) return std::string(key);
  return StationDisplayNameOf(file.Value("Station Info", key, true)).value_or(std::string());
}

}  // namespace velmora
