// The options dialog's Stations page: the transceivers from AirMail's HAM
// groups or from "FreqList.rtf", the files' dates, and the comparison of
// two sources.
#include <algorithm>
#include <chrono>
#include <map>

#include "airmail/AirmailFileText.h"
#include "airmail/AirmailProfile.h"
#include "airmail/FrequencyLists.h"
#include "airmail/StationFile.h"
#include "common/CalendarTime.h"
#include "common/Format.h"
#include "common/SystemLib.h"
#include "reports/FreqListDocument.h"
#include "reports/GridCells.h"
#include "reports/OptionsGrids.h"

namespace velmora {
namespace {

std::optional<std::filesystem::file_time_type> Modified(const std::filesystem::path& file) {
  std::error_code error;
  auto time = std::filesystem::last_write_time(file, error);
  if (error) return std::nullopt;
  return time;
}

// The date as the user's file manager shows it: by the computer's own clock.
std::string DateText(const std::filesystem::path& file) {
  auto time = Modified(file);
  if (!time) return "n/a";
  auto sys = std::chrono::file_clock::to_sys(*time);
  auto seconds = std::chrono::duration_cast<std::chrono::seconds>(sys.time_since_epoch());
  std::tm day = LocalCalendarTime(static_cast<std::time_t>(seconds.count()));
  return TwoDigits(day.tm_mon + 1) + "/" + TwoDigits(day.tm_mday) + "/" + std::to_string(day.tm_year + 1900);
}

}  // namespace

std::string LastModifiedLabel(const std::filesystem::path& freqList, const std::filesystem::path& radioData,
                              int source) {
  return "Last Modified:  " + DateText(freqList) + (source == 1 ? ", " + DateText(radioData) : "");
}

bool RadioDataOutOfDate(const std::filesystem::path& freqList, const std::filesystem::path& radioData) {
  auto rtf = Modified(freqList), radio = Modified(radioData);
  return rtf && (!radio || *rtf > *radio);
}

std::optional<GridRows> RadioGridFromHamGroups(const AirmailDataFolder& data, Messenger& messages) {
  FileFailure failure;
  auto file = StationFile::Load(data, "HAM", failure);
  if (!file) {
    // With the system's reason and the data folder to check, as every message about AirMail's files.
    messages.Show(std::string("StationsAirmailSetStations, Unable to ") +
                  (failure.stage == FileStage::Open ? "open" : "read") + " Airmail \"HAM\" Station data.\r" +
                  ErrorText(failure.error) + AirmailErrorDataMessage(data));
    return std::nullopt;
  }
  GridRows rows;
  for (const auto& entry : file->Section(kFrequencyListHeader).entries) {
    auto groups = ParseFrequencyList(entry.value).groups;
    for (size_t g = 0; g < groups.size(); ++g)
      rows.push_back({"HAM", entry.key, std::to_string(g + 1), LabelsCell(groups[g])});
  }
  return rows;
}

std::optional<GridRows> RadioGridFromFreqList(const std::filesystem::path& freqList, Messenger& messages) {
  FileFailure failure;
  auto rtf = AirmailFileText(freqList, failure, kDataFileLimit);
  if (!rtf) {
    messages.Show(StageText("StationsFileUpdate", failure.stage) + ErrorText(failure.error) +
                  AirmailErrorDataMessage(PathText(freqList.parent_path())));
    return std::nullopt;
  }
  // Read as plain text it holds no station, and the table made of it would be empty.
  if (!IsRtfDocument(*rtf)) {
    messages.Show(FreqListUnreadableText(freqList));
    return std::nullopt;
  }
  GridRows rows;
  for (const auto& r : FreqListTransceivers(FreqListDocument(RtfColouredText(*rtf))))
    rows.push_back({r.system, r.station, r.transceiver, LabelsCell(r.labels)});
  // An empty table would take the place of every transceiver kept so far.
  if (rows.empty()) {
    messages.Show("StationsFileUpdate, No Station found in AirMail's \"FreqList.rtf\" file.");
    return std::nullopt;
  }
  return rows;
}

namespace {

using Transceivers = std::map<std::pair<std::string, std::string>, std::vector<std::string>>;

Transceivers TransceiversOf(const GridRows& rows) {
  Transceivers table;
  for (const auto& row : rows)
    if (row.size() >= 4) table.emplace(std::pair{row[1], row[2]}, CellLabels(row[3]));
  return table;
}

bool HasStation(const Transceivers& table, const std::string& station) {
  auto at = table.lower_bound({station, ""});
  return at != table.end() && at->first.first == station;
}

}  // namespace

void RadioSourcesCompare(const GridRows& first, const GridRows& second, Messenger& messages) {
  const Transceivers a = TransceiversOf(first), b = TransceiversOf(second);
  auto ask = [&](const std::string& text) {
    return messages.AskYesNo(text + "\r\rWould you like to continue checking?");
  };
  // Each table against the other: what one lacks is missing, whichever it is.
  for (const auto* pair : {&a, &b}) {
    const Transceivers &one = *pair, &other = pair == &a ? b : a;
    std::string lastMissing;
    for (const auto& [key, labels] : one) {
      const auto& [station, number] = key;
      if (!HasStation(other, station)) {
        if (station != lastMissing && !ask("Missing Station " + station)) return;
        lastMissing = station;
        continue;
      }
      auto match = other.find(key);
      if (match == other.end()) {
        if (!ask("Missing Data for Station " + station + " and TxRc " + number)) return;
      } else if (pair == &a && match->second != labels &&
                 !ask("Different Frequency Data for Station " + station + " and TxRc " + number)) {
        return;
      }
    }
  }
}

namespace {
bool SameTransceiver(const GridRow& a, const GridRow& b) {
  for (size_t c = 0; c < 3; ++c)
    if ((c < a.size() ? a[c] : "") != (c < b.size() ? b[c] : "")) return false;
  return true;
}
}  // namespace

RadioDifferences RadioSourcesDifference(GridRows first, GridRows second) {
  std::erase_if(first, [&](const GridRow& row) {
    auto match = std::ranges::find_if(second, [&](const GridRow& other) { return SameTransceiver(row, other); });
    if (match == second.end()) return false;
    second.erase(match);
    return true;
  });
  for (auto* table : {&first, &second})
    if (table->empty()) table->push_back({"No Errors"});
  return {std::move(first), std::move(second)};
}

}  // namespace velmora
