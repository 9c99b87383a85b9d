#include "airmail/FrequencyLists.h"

#include "airmail/FrequencyLabel.h"
#include "airmail/MailSystems.h"
#include "common/TextParse.h"

namespace velmora {
namespace {

std::string Quoted(std::string_view text) { return "\"" + std::string(text) + "\""; }

// The value as the platform's reader unwraps it, however long.
std::string_view Unquoted(std::string_view raw) {
  if (raw.size() >= 2 && (raw.front() == '"' || raw.front() == '\'') && raw.back() == raw.front())
    return raw.substr(1, raw.size() - 2);
  return raw;
}

void ReportCut(const StationFile& file, std::string_view station, const FrequencyListValue& list) {
  std::string from = list.cutItem.empty() ? std::string() : ", from " + Quoted(list.cutItem) + " on";
  file.Data().Messages().Show("StationFrequencyListGet, Skipped the end of AirMail's Frequency List, " +
                                  std::string(station) + " in " + Quoted(file.FileName()) +
                                  ", which is longer than " + std::to_string(kAirmailValueBuffer - 1) +
                                  " characters" + from + "." + AirmailErrorDataMessage(file.Data()),
                              MessageIcon::Exclamation);
}

void ReportRefused(const StationFile& file, std::string_view station, const std::vector<std::string>& refused) {
  std::string items;
  for (const auto& item : refused) items += (items.empty() ? "" : ", ") + Quoted(item);
  file.Data().Messages().Show("StationFrequencyListGet, Skipped " +
                                  std::string(refused.size() == 1 ? "the frequency " : "the frequencies ") + items +
                                  " of AirMail's Frequency List, " + std::string(station) + " in " +
                                  Quoted(file.FileName()) + "." + AirmailErrorDataMessage(file.Data()),
                              MessageIcon::Exclamation);
}

}  // namespace

ParsedFrequencyList ParseFrequencyList(std::string_view value) {
  ParsedFrequencyList list;
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

FrequencyListValue FrequencyListRead(const StationFile& file, std::string_view station, bool reportMissing) {
  FrequencyListValue list;
  list.text = file.Value("Frequency List", station, reportMissing);
  auto whole = file.WholeValue("Frequency List", station);
  if (!whole || list.text.size() >= Unquoted(*whole).size()) return list;
  list.cut = true;
  // Whatever follows the last separator read may be part of an item.
  size_t last = list.text.find_last_of(",;");
  size_t keep = last == std::string::npos ? 0 : last + 1;
  list.cutItem = std::string(Trim(std::string_view(list.text).substr(keep)));
  list.text.resize(keep);
  return list;
}

bool StationFrequencyListGet(const AirmailDataFolder& data, std::string_view system, std::string_view station,
                             std::vector<FrequencyRow>& rows) {
  FileFailure failure;
  auto file = StationFile::Load(data, system, failure);
  if (!file) {
    AirmailReportMissing(data, StationFileName(system), "Frequency List", station);
    return false;
  }
  return StationFrequencyListGet(*file, station, rows);
}

bool StationFrequencyListGet(const StationFile& file, std::string_view station, std::vector<FrequencyRow>& rows) {
  auto value = FrequencyListRead(file, station, true);
  if (value.text.empty() && !value.cut) return false;
  if (value.cut) ReportCut(file, station, value);
  auto list = ParseFrequencyList(value.text);
  if (!list.refused.empty()) ReportRefused(file, station, list.refused);
  bool allPactor3 = SystemIsSailmail(file.System()) &&
                    file.Value("Station Info", station, false).find(";P3") != std::string::npos;
  size_t before = rows.size();
  for (size_t g = 0; g < list.groups.size(); ++g)
    for (const auto& label : list.groups[g])
      rows.push_back(
          {std::string(station), label, static_cast<int>(g + 1), allPactor3 || IsPactor3Label(label), false});
  return rows.size() > before;
}

}  // namespace velmora
