#include "airmail/FrequencyFilters.h"

#include <algorithm>

#include "airmail/StationRadioData.h"
#include "common/SystemLib.h"

namespace velmora {
namespace {

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

}  // namespace

void FrequencyGroupFilter(const AirmailDataFolder& data, std::string_view system, std::string_view station,
                          std::vector<FrequencyRow>& rows, size_t first, size_t& end) {
  end = std::min(end, rows.size());
  FileFailure failure;
  // An unreadable file has no groups: every row stays.
  if (auto file = StationFile::Load(data, system, failure)) FrequencyGroupFilter(*file, station, rows, first, end);
}

void FrequencyGroupFilter(const StationFile& file, std::string_view station, std::vector<FrequencyRow>& rows,
                          size_t first, size_t& end) {
  end = std::min(end, rows.size());
  if (first >= end) return;
  auto value = FrequencyListRead(file, station, false);
  if (value.text.find(';') == std::string::npos) return;
  auto groups = ParseFrequencyList(value.text).groups;
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
    // Named: never made yet (Options, Station Radio..., Update), or held shut elsewhere.
    messenger.Show(std::string(failure.stage == FileStage::Open ? "StationStationsGetFile - Open, "
                                                                : "StationStationsGetFile - Read, ") +
                   ErrorText(failure.error) + "\r" + NotReadText(radioDataFile) + ".");
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

}  // namespace velmora
