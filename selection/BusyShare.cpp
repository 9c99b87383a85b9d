#include "selection/BusyShare.h"

#include <algorithm>
#include <vector>

#include "common/Format.h"
#include "selection/TableColumns.h"

namespace velmora {
namespace {

std::string AgeText(OccupancyDay lastHeard, OccupancyDay today) {
  long long days = (today - lastHeard).count();
  if (days <= 0) return "Today";
  return IntegerText(days) + (days == 1 ? " Day Ago" : " Days Ago");
}

}  // namespace

std::optional<OccupancyEntry> OccupancyNow::At(std::string_view system, std::string_view station,
                                               std::string_view frequency) const {
  const OccupancyEntry* entry =
      record.FindAsListed({std::string(system), std::string(station), std::string(frequency), hour});
  if (!entry) return std::nullopt;
  OccupancyEntry faded = OccupancyFadedTo(*entry, today, halfLifeDays);
  if (faded.heard < kOccupancyForgottenSeconds) return std::nullopt;
  return faded;
}

OccupancyFile::Stamp OccupancyFile::StampOf() const {
  std::error_code error;
  Stamp stamp;
  stamp.exists = std::filesystem::exists(file_, error);
  if (!stamp.exists) return stamp;
  stamp.written = std::filesystem::last_write_time(file_, error);
  stamp.size = std::filesystem::file_size(file_, error);
  return stamp;
}

const OccupancyNow* OccupancyFile::OccupancyAtThisHour() {
  UtcDateTime now = clock_.Now();
  Stamp stamp = StampOf();
  // A file another program holds (a spreadsheet) is tried again each time,
  // for it is let go unchanged; its problem is told once.
  if (read_ != stamp || !now_) {
    OccupancyRead read = StationOccupancyRead(file_);
    if (!read.problem.empty() && read_ != stamp) messenger_.Show("StationOccupancyGet - " + read.problem);
    read_ = stamp;
    record_ = std::move(read.record);
    if (read.unreadable) now_.reset();
    else now_.emplace(OccupancyNow{record_, 0, {}, 30});
  }
  if (!now_) return nullptr;
  now_->hour = now.hour;
  now_->today = OccupancyDayOf(now);
  now_->halfLifeDays = settings_.stationOccupancyHalfLife;
  return &*now_;
}

std::string OccupancyMinutesText(double seconds) {
  double minutes = seconds / 60;
  return FormatNumber(minutes, minutes < 10 ? "0.0" : "0");
}

std::string BusyCellText(const OccupancyEntry& entry) {
  if (entry.heard < kBusyShownSeconds) return {};
  return IntegerText(entry.Percent());
}

std::string BusyToolTipText(const OccupancyEntry& entry, int hour, OccupancyDay today) {
  return "Busy " + IntegerText(entry.Percent()) + "% of " + OccupancyMinutesText(entry.heard) +
         " Minutes Heard at " + TwoDigits(hour) + " UTC, Last Heard " + AgeText(entry.lastHeard, today);
}

void BusyCellsFill(FrequencyTable& table, int first, int last, std::string_view system, const OccupancyNow& now) {
  for (int row = first; row <= last && row < table.Rows(); ++row) {
    auto entry = now.At(system, table.CellGet(row, kColumnStation), table.CellGet(row, kColumnTxConnect));
    table.CellSet(row, kColumnBusy, entry ? BusyCellText(*entry) : std::string());
    table.CellSet(row, kColumnBusyNote, entry ? BusyToolTipText(*entry, now.hour, now.today) : std::string());
  }
}

void AutoSelectBusy(FrequencyTable& table, int first, int last, const BusyRule& rule) {
  struct Candidate {
    int row;
    double share;
    Bgr colour;
  };
  std::vector<Candidate> checked;
  size_t deselected = 0;
  for (int row = first; row <= last && row < table.Rows(); ++row) {
    if (!table.CheckGet(row, kColumnTxConnect)) continue;
    auto entry = rule.now.At(rule.system, table.CellGet(row, kColumnStation), table.CellGet(row, kColumnTxConnect));
    // Never on less than the column shows a share for, whatever the setting.
    bool known = entry && entry->heard >= std::max(rule.minimumMinutes * 60, kBusyShownSeconds);
    // The per cent the column shows: a "50" is not above a threshold of 50.
    double share = known ? entry->Percent() : 0;
    checked.push_back({row, share, table.CellColor(row, kColumnTxConnect)});
    if (!known || share <= rule.thresholdPercent) continue;
    table.CheckSet(row, kColumnTxConnect, false);
    table.CellColorSet(row, kColumnTxConnect, rule.colour);
    ++deselected;
  }
  if (checked.empty() || deselected < checked.size()) return;
  const Candidate* best = &checked.front();
  for (const auto& c : checked)
    if (c.share < best->share) best = &c;
  table.CheckSet(best->row, kColumnTxConnect, true);
  table.CellColorSet(best->row, kColumnTxConnect, best->colour);
}

}  // namespace velmora
