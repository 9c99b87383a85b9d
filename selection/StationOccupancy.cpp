#include "selection/StationOccupancy.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "airmail/FrequencyLabel.h"
#include "common/Format.h"
#include "common/RecordFile.h"
#include "common/TextParse.h"
#include "selection/DataConditions.h"

namespace velmora {
namespace {

using namespace std::chrono;

constexpr size_t kFields = 7;

std::optional<int> HourRead(std::string_view field) {
  auto number = FieldNumber(field);
  if (!number || *number != std::trunc(*number) || *number < 0 || *number >= kOccupancyHours) return std::nullopt;
  return static_cast<int>(*number);
}

// Some thirty years of one hour a day: no file of ours holds more.
constexpr double kMostSeconds = 1e9;

std::optional<double> SecondsRead(std::string_view field) {
  auto number = FieldNumber(field);
  if (!number || *number < 0 || *number > kMostSeconds) return std::nullopt;
  return number;
}

std::optional<std::pair<OccupancyKey, OccupancyEntry>> LineRead(std::string_view line) {
  Record fields = SplitRecord(line);
  if (fields.size() != kFields) return std::nullopt;
  OccupancyKey key{std::string(Trim(fields[0])), std::string(Trim(fields[1])), std::string(Trim(fields[2])), 0};
  auto hour = HourRead(fields[3]);
  auto heard = SecondsRead(fields[4]);
  auto busy = SecondsRead(fields[5]);
  auto day = OccupancyDayParse(Trim(fields[6]));
  if (key.system.empty() || key.station.empty() || key.frequency.empty() || !hour || !heard || !busy || !day)
    return std::nullopt;
  key.hour = *hour;
  // More busy than heard is no share: it counts as busy all the time.
  return std::pair{std::move(key), OccupancyEntry{*heard, std::min(*busy, *heard), *day}};
}

// The first line is the heading when its first field names the systems
// (after the mark an editor may save before it); without a heading it is a
// record like any other.
bool IsHeading(std::string_view line) {
  constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
  if (line.substr(0, kUtf8Mark.size()) == kUtf8Mark) line.remove_prefix(kUtf8Mark.size());
  Record fields = SplitRecord(line);
  return !fields.empty() && ToUpper(Trim(fields[0])) == "SYSTEM";
}

// The same frequency with its Pactor 3 mark added or taken away.
OccupancyKey OccupancyOtherMark(const OccupancyKey& key) {
  OccupancyKey other = key;
  other.frequency = IsPactor3Label(key.frequency) ? WithoutPactor3Suffix(key.frequency)
                                                  : key.frequency + std::string(kPactor3Suffix);
  return other;
}

// Past what a line may hold, the seconds are scaled down to it, the share
// kept, so that what is written reads back.
void SecondsBound(OccupancyEntry& entry) {
  if (entry.heard <= kMostSeconds) return;
  entry.busy *= kMostSeconds / entry.heard;
  entry.heard = kMostSeconds;
}

}  // namespace

OccupancyDay OccupancyDayOf(const UtcDateTime& time) {
  return sys_days{year{time.year} / month{static_cast<unsigned>(time.month)} / static_cast<unsigned>(time.day)};
}

std::string OccupancyDayText(OccupancyDay day) {
  year_month_day date{day};
  // Four digits, as the reading wants them: a year before 1000 read from the
  // file must not be written back as a line that no longer reads.
  std::string year = IntegerText(static_cast<int>(date.year()));
  if (year.size() < 4) year.insert(0, 4 - year.size(), '0');
  return year + "-" + TwoDigits(static_cast<int>(unsigned(date.month()))) + "-" +
         TwoDigits(static_cast<int>(unsigned(date.day())));
}

std::optional<OccupancyDay> OccupancyDayParse(std::string_view text) {
  if (text.size() != 10 || text[4] != '-' || text[7] != '-') return std::nullopt;
  int parts[3] = {0, 0, 0};
  for (size_t i = 0, part = 0; i < text.size(); ++i) {
    if (i == 4 || i == 7) {
      ++part;
      continue;
    }
    if (text[i] < '0' || text[i] > '9') return std::nullopt;
    parts[part] = parts[part] * 10 + (text[i] - '0');
  }
  year_month_day date{year{parts[0]}, month{static_cast<unsigned>(parts[1])}, day{static_cast<unsigned>(parts[2])}};
  if (!date.ok()) return std::nullopt;
  return sys_days{date};
}

double OccupancyFade(long long days, double halfLifeDays) {
  if (days <= 0 || !(halfLifeDays > 0)) return 1;
  return std::exp2(-static_cast<double>(days) / halfLifeDays);
}

OccupancyEntry OccupancyFadedTo(const OccupancyEntry& entry, OccupancyDay day, double halfLifeDays) {
  double weight = OccupancyFade((day - entry.lastHeard).count(), halfLifeDays);
  return {entry.heard * weight, entry.busy * weight, entry.lastHeard};
}

const OccupancyEntry* StationOccupancy::Find(const OccupancyKey& key) const {
  auto found = entries_.find(key);
  return found == entries_.end() ? nullptr : &found->second;
}

const OccupancyEntry* StationOccupancy::FindAsListed(const OccupancyKey& key) const {
  const OccupancyEntry* entry = Find(key);
  return entry ? entry : Find(OccupancyOtherMark(key));
}

void StationOccupancy::Add(const OccupancyKey& key, double heard, double busy, OccupancyDay day,
                           double halfLifeDays) {
  if (!entries_.contains(key)) {
    auto former = entries_.extract(OccupancyOtherMark(key));
    if (!former.empty()) {
      former.key() = key;
      entries_.insert(std::move(former));
    }
  }
  auto [at, added] = entries_.try_emplace(key, OccupancyEntry{0, 0, day});
  OccupancyEntry& entry = at->second;
  if (!added) entry = OccupancyFadedTo(entry, day, halfLifeDays);
  entry.heard += heard;
  entry.busy += std::min(busy, heard);
  entry.lastHeard = std::max(entry.lastHeard, day);
  SecondsBound(entry);
}

void StationOccupancy::Insert(OccupancyKey key, const OccupancyEntry& entry) {
  auto [at, added] = entries_.try_emplace(std::move(key), entry);
  if (added) return;
  at->second.heard += entry.heard;
  at->second.busy += entry.busy;
  at->second.lastHeard = std::max(at->second.lastHeard, entry.lastHeard);
  SecondsBound(at->second);
}

void StationOccupancy::Bound(OccupancyDay day, double halfLifeDays) {
  std::erase_if(entries_, [&](const auto& item) {
    return OccupancyFadedTo(item.second, day, halfLifeDays).heard < kOccupancyForgottenSeconds;
  });
  if (entries_.size() <= kOccupancyEntriesMost) return;
  // Those heard longest ago go first, and of one day those heard least.
  std::vector<Entries::iterator> order;
  order.reserve(entries_.size());
  for (auto it = entries_.begin(); it != entries_.end(); ++it) order.push_back(it);
  const size_t excess = entries_.size() - kOccupancyEntriesMost;
  auto goesFirst = [](Entries::iterator a, Entries::iterator b) {
    return std::pair{a->second.lastHeard, a->second.heard} < std::pair{b->second.lastHeard, b->second.heard};
  };
  std::nth_element(order.begin(), order.begin() + static_cast<long>(excess), order.end(), goesFirst);
  for (size_t i = 0; i < excess; ++i) entries_.erase(order[i]);
}

OccupancyRead StationOccupancyRead(const std::filesystem::path& file) {
  OccupancyRead read;
  if (FileMissing(file)) return read;
  FileFailure failure;
  auto text = ReadText(file, failure, kOccupancyFileLimit);
  if (!text) {
    read.unreadable = true;
    read.problem = std::string(failure.stage == FileStage::Open ? "Open, " : "Read, ") + ErrorText(failure.error);
    return read;
  }
  TextLines lines(*text);
  size_t number = 0;
  while (auto line = lines.Next()) {
    ++number;
    if (Trim(*line).empty()) continue;
    if (auto entry = LineRead(*line)) {
      read.record.Insert(std::move(entry->first), entry->second);
    } else if (read.problem.empty() && !(number == 1 && IsHeading(*line))) {
      read.problem = "Read, " + TypeMismatch(number, *line);
    }
  }
  return read;
}

StationOccupancy StationOccupancyGet(const std::filesystem::path& file, Messenger& messenger, bool* unreadable) {
  OccupancyRead read = StationOccupancyRead(file);
  if (!read.problem.empty()) messenger.Show("StationOccupancyGet - " + read.problem);
  if (unreadable) *unreadable = read.unreadable;
  return std::move(read.record);
}

bool StationOccupancyWrite(const std::filesystem::path& file, const StationOccupancy& record,
                           std::error_code& error) {
  std::vector<Record> lines;
  lines.reserve(record.All().size());
  for (const auto& [key, entry] : record.All())
    lines.push_back({key.system, key.station, key.frequency, IntegerText(key.hour), FormatNumber(entry.heard, "0.0"),
                     FormatNumber(entry.busy, "0.0"), OccupancyDayText(entry.lastHeard)});
  return WriteRecords(file, kStationOccupancyHeading, lines, error);
}

}  // namespace velmora
