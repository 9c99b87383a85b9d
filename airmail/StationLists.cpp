#include "airmail/StationLists.h"

#include <algorithm>
#include <cmath>

#include "airmail/FrequencyLabel.h"
#include "airmail/StationRadioData.h"
#include "common/TextFileLines.h"
#include "common/ProfileFile.h"
#include "common/TextParse.h"

namespace velmora {
namespace {

constexpr std::string_view kStationInfo = "[Station Info]";
constexpr std::string_view kFrequencyList = "[Frequency List]";

// One "key=value" line of a section read line by line.
struct SectionEntry {
  std::string key;
  std::string value;
  std::string line;
};

struct SectionLines {
  std::vector<SectionEntry> entries;
  bool endedByLine = false;  // a line without "=" ended it, not the end of the file
};

// The entries after the header line, up to the first line without "=".
SectionLines ReadSection(const std::vector<std::string>& lines, std::string_view header) {
  SectionLines section;
  auto at = std::find_if(lines.begin(), lines.end(), [&](const std::string& l) { return Trim(l) == header; });
  if (at == lines.end()) return section;
  for (++at; at != lines.end(); ++at) {
    auto equals = at->find('=');
    if (equals == std::string::npos) {
      section.endedByLine = true;
      break;
    }
    section.entries.push_back(
        {std::string(Trim(std::string_view(*at).substr(0, equals))), std::string(Trim(at->substr(equals + 1))), *at});
  }
  return section;
}

// The text after the first ":" up to the next ";"; nullopt without ":".
std::optional<std::string> DisplayNameOf(std::string_view text) {
  auto colon = text.find(':');
  if (colon == std::string_view::npos) return std::nullopt;
  auto rest = text.substr(colon + 1);
  return std::string(rest.substr(0, rest.find(';')));
}

std::string LocatorOf(std::string_view value) {
  auto colon = value.find(':');
  return colon == std::string_view::npos ? std::string() : std::string(Trim(value.substr(0, colon)));
}

struct ParsedList {
  std::vector<std::vector<std::string>> groups;  // labels per group
  std::vector<std::string> refused;              // items that are no frequency
};

// "," separates the items of a group, ";" the groups. Empty items (",,", a
// trailing ",") are nothing; other items that are no number are refused.
ParsedList ParseFrequencyList(std::string_view value) {
  ParsedList list;
  size_t start = 0;
  list.groups.emplace_back();
  while (start <= value.size()) {
    size_t end = value.find_first_of(",;", start);
    if (end == std::string_view::npos) end = value.size();
    auto item = Trim(value.substr(start, end - start));
    if (!item.empty()) {
      if (auto label = FrequencyReformat(item)) list.groups.back().push_back(*label);
      else list.refused.emplace_back(item);
    }
    if (end < value.size() && value[end] == ';') list.groups.emplace_back();
    start = end + 1;
  }
  return list;
}

bool Contains(const std::vector<std::string>& labels, std::string_view label) {
  return std::find(labels.begin(), labels.end(), label) != labels.end();
}

// Removes the unmarked rows of [first, end), lowering end for each.
void RemoveUnmarked(std::vector<FrequencyRow>& rows, size_t first, size_t& end, const std::vector<bool>& marked) {
  for (size_t i = end; i-- > first;) {
    if (marked[i - first]) continue;
    rows.erase(rows.begin() + static_cast<std::ptrdiff_t>(i));
    --end;
  }
}

// Marks every row of the range whose label is one of `labels`.
void MarkLabels(const std::vector<FrequencyRow>& rows, size_t first, size_t end,
                const std::vector<std::string>& labels, std::vector<bool>& marked) {
  for (size_t i = first; i < end; ++i)
    if (Contains(labels, rows[i].label)) marked[i - first] = true;
}

bool AnyCheckedIn(const std::vector<FrequencyRow>& rows, size_t first, size_t end,
                  const std::vector<std::string>& labels) {
  for (size_t i = first; i < end; ++i)
    if (rows[i].checked && Contains(labels, rows[i].label)) return true;
  return false;
}

void ClampAndSelect(SelectionList& list, int index) {
  list.selected = index < 0 || index >= static_cast<int>(list.entries.size()) ? 0 : index;
}

std::string Quoted(std::string_view text) { return "\"" + std::string(text) + "\""; }

}  // namespace

std::string StationFileName(std::string_view system) { return "System." + std::string(system) + ".ini"; }

bool SystemIsSailmail(std::string_view system) { return EqualsNoCase(system, "SAILMAIL"); }

bool SystemIsAirmail(std::string_view system) {
  auto upper = ToUpper(system);
  return upper == "HAM" || upper == "SAILMAIL";
}

bool StationIsWwv(std::string_view stationKey) { return ToUpper(stationKey) == "WWV"; }

bool SystemGetList(const AirmailDataFolder& data, SelectionList& list, int index) {
  list = {};
  std::vector<std::string> names;
  std::error_code error;
  for (std::filesystem::directory_iterator it(data.File(""), error), end; !error && it != end; it.increment(error)) {
    std::error_code ignored;
    if (it->is_directory(ignored)) continue;
    auto name = it->path().filename().string();
    auto upper = ToUpper(name);
    if (upper.size() >= 11 && upper.starts_with("SYSTEM.") && upper.ends_with(".INI")) names.push_back(name);
  }
  std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) { return ToUpper(a) < ToUpper(b); });
  for (const auto& name : names) {
    auto first = name.find('.');
    auto second = name.find('.', first + 1);
    list.entries.push_back(name.substr(first + 1, second - first - 1));
  }
  if (list.entries.empty()) {
    data.Messages().Show("SystemListGet, Unable to get AirMail System data." + AirmailErrorDataMessage(data));
    return false;
  }
  ClampAndSelect(list, index);
  return true;
}

std::string StationSelectedGet(const AirmailDataFolder& data, std::string_view system) {
  return AirMailGetProfileString(data, StationFileName(system), "Frequency Setup", "Selected", false);
}

bool StationIsSelected(std::string_view selected, std::string_view key) {
  return selected.empty() || selected.find(key) != std::string_view::npos;
}

bool StationEntriesGet(const AirmailDataFolder& data, std::string_view system, StationListKind kind,
                       std::vector<StationEntry>& stations) {
  stations.clear();
  bool all = kind == StationListKind::All;
  std::string selected = all ? std::string() : StationSelectedGet(data, system);
  FileFailure failure;
  auto lines = ReadTextLines(data.File(StationFileName(system)), failure);
  if (!lines) {
    std::string problem = failure.stage == FileStage::Open
                              ? (all ? "StationGetListAll - Open, Unable to open AirMail "
                                     : "StationGetListSelected - Open, Unable to get AirMail ")
                              : (all ? "StationGetListAll - Read, Unable to get AirMail "
                                     : "StationGetListSelected - Read, Unable to get AirMail ");
    data.Messages().Show(problem + Quoted(system) + " Station Info data." + AirmailErrorDataMessage(data));
    return false;
  }
  bool sailmail = SystemIsSailmail(system);
  for (const auto& entry : ReadSection(*lines, kStationInfo).entries) {
    if (!StationIsSelected(selected, entry.key)) continue;
    std::string name = entry.key;
    if (sailmail)
      if (auto display = DisplayNameOf(entry.line)) name = *display;
    stations.push_back({entry.key, name, LocatorOf(entry.value)});
  }
  if (stations.empty()) {
    data.Messages().Show(std::string(all ? "StationGetListAll" : "StationGetList") +
                         ", Unable to find any selected AirMail " + Quoted(system) + "Stations." +
                         AirmailErrorDataMessage(data));
    return false;
  }
  return true;
}

namespace {

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

bool StationGetListSelected(const AirmailDataFolder& data, std::string_view system, SelectionList& list, int index) {
  return StationListOf(data, system, StationListKind::Selected, list, index);
}

bool StationGetListAll(const AirmailDataFolder& data, std::string_view system, SelectionList& list, int index) {
  return StationListOf(data, system, StationListKind::All, list, index);
}

std::string StationFromStationName(const AirmailDataFolder& data, std::string_view system, std::string_view name) {
  if (!SystemIsSailmail(system)) return std::string(name);
  if (name.empty()) return {};  // would match every station
  std::string fileName = StationFileName(system);
  FileFailure failure;
  auto lines = ReadTextLines(data.File(fileName), failure);
  if (!lines) {
    std::string what = failure.stage == FileStage::Open ? "Unable to open AirMail's " : "Unable to process AirMail's ";
    data.Messages().Show(what + Quoted(fileName) + ". " + ErrorText(failure.error) + AirmailErrorDataMessage(data),
                         MessageIcon::Exclamation);
    return {};
  }
  auto section = ReadSection(*lines, kStationInfo);
  // The station shown under exactly this name; else, as before, the first
  // whose entry holds the name anywhere.
  for (const auto& e : section.entries)
    if (DisplayNameOf(e.line) == name) return e.key;
  for (const auto& e : section.entries)
    if (e.line.find(name) != std::string::npos) return e.key;
  if (section.endedByLine) {
    std::string lastKey = section.entries.empty() ? std::string() : section.entries.back().key;
    data.Messages().Show("Unable to find AirMail's " + std::string(name) + ", " + lastKey + " in " +
                             Quoted(data.File(fileName).string()) + "." + AirmailErrorDataMessage(data),
                         MessageIcon::Exclamation);
  }
  return {};
}

std::string StationNameFromStation(const AirmailDataFolder& data, std::string_view system, std::string_view key) {
  if (!SystemIsSailmail(system)) return std::string(key);
  auto value = AirMailGetProfileString(data, StationFileName(system), "Station Info", key, true);
  return DisplayNameOf(value).value_or(std::string());
}

bool StationFrequencyListGet(const AirmailDataFolder& data, std::string_view system, std::string_view station,
                             std::vector<FrequencyRow>& rows) {
  std::string fileName = StationFileName(system);
  auto value = AirMailGetProfileString(data, fileName, "Frequency List", station, true);
  if (value.empty()) return false;
  auto list = ParseFrequencyList(value);
  if (!list.refused.empty()) {
    std::string items;
    for (const auto& item : list.refused) items += (items.empty() ? "" : ", ") + Quoted(item);
    data.Messages().Show("StationFrequencyListGet, Skipped " +
                             std::string(list.refused.size() == 1 ? "the frequency " : "the frequencies ") + items +
                             " of AirMail's Frequency List, " + std::string(station) + " in " + Quoted(fileName) +
                             "." + AirmailErrorDataMessage(data),
                         MessageIcon::Exclamation);
  }
  bool allPactor3 = SystemIsSailmail(system) &&
                    AirMailGetProfileString(data, fileName, "Station Info", station, false).find(";P3") !=
                        std::string::npos;
  size_t before = rows.size();
  for (size_t g = 0; g < list.groups.size(); ++g)
    for (const auto& label : list.groups[g])
      rows.push_back({std::string(station), label, static_cast<int>(g + 1), allPactor3 || IsPactor3Label(label), false});
  return rows.size() > before;
}

std::string FrequencyGroupGet(std::string_view frequencyList, std::string_view label) {
  for (const auto& group : ParseFrequencyList(frequencyList).groups) {
    std::string joined;
    for (const auto& l : group) joined += l;
    if (joined.find(label) != std::string::npos) return joined;
  }
  return {};
}

void FrequencyGroupFilter(const AirmailDataFolder& data, std::string_view system, std::string_view station,
                          std::vector<FrequencyRow>& rows, size_t first, size_t& end) {
  end = std::min(end, rows.size());
  if (first >= end) return;
  auto value = AirMailGetProfileString(data, StationFileName(system), "Frequency List", station, false);
  if (value.find(';') == std::string::npos) return;
  auto groups = ParseFrequencyList(value).groups;
  std::vector<bool> marked(end - first, false);
  for (size_t i = first; i < end; ++i) {
    if (!rows[i].checked) continue;
    // Labels are compared whole: 4075.0 is not a frequency of 14075.0's group.
    auto group = std::find_if(groups.begin(), groups.end(), [&](const auto& g) { return Contains(g, rows[i].label); });
    if (group != groups.end()) MarkLabels(rows, first, end, *group, marked);
  }
  RemoveUnmarked(rows, first, end, marked);
}

void StationStationsGetFile(const std::filesystem::path& radioDataFile, Messenger& messenger,
                            std::string_view system, std::string_view station, std::vector<FrequencyRow>& rows,
                            size_t first, size_t& end) {
  end = std::min(end, rows.size());
  FileFailure failure;
  auto records = StationRadioDataRead(radioDataFile, failure);
  if (!records) {
    messenger.Show(std::string(failure.stage == FileStage::Open ? "StationStationsGetFile - Open, "
                                                                : "StationStationsGetFile - Read, ") +
                   ErrorText(failure.error));
    return;
  }
  if (first >= end) return;
  std::vector<bool> marked(end - first, false);
  for (const auto& record : *records) {
    if (record.system != system || record.station != station) continue;
    if (AnyCheckedIn(rows, first, end, record.labels)) MarkLabels(rows, first, end, record.labels, marked);
  }
  if (std::find(marked.begin(), marked.end(), true) == marked.end()) return;
  RemoveUnmarked(rows, first, end, marked);
}

std::optional<std::vector<StationRange>> StationGetAll(const AirmailDataFolder& data, std::string_view system,
                                                       const std::optional<LatLon>& current) {
  if (!current) return std::nullopt;
  auto path = data.File(StationFileName(system));
  FileFailure failure;
  auto lines = ReadTextLines(path, failure);
  if (!lines) {
    std::string text = failure.stage == FileStage::Open
                           ? "StationGetAll, Unable to open Airmail " + Quoted(system) + " Station data." +
                                 ErrorText(failure.error) + "\r" + AirmailErrorDataMessage(data)
                           : "StationGetAll, Unable to read Airmail " + Quoted(system) + " Station data." +
                                 ErrorText(failure.error);
    data.Messages().Show(text, MessageIcon::Exclamation);
    return std::nullopt;
  }
  auto profile = ProfileDocument::Load(path);
  std::vector<StationRange> stations;
  for (const auto& entry : ReadSection(*lines, kFrequencyList).entries) {
    auto info = profile.Read("Station Info", entry.key, 1024);
    if (info.find(':') == std::string::npos) continue;  // no locator
    std::string locator = LocatorOf(info);
    LatLon position;
    if (!GridToLatLon(locator, position, &data.Messages())) continue;
    stations.push_back({entry.key, std::round(LatLonGetRange(*current, position))});
  }
  std::stable_sort(stations.begin(), stations.end(),
                   [](const StationRange& a, const StationRange& b) { return a.range < b.range; });
  return stations;
}

}  // namespace velmora
