#include "selection/OccupancyHoursTable.h"

#include <algorithm>
#include <cmath>

#include "airmail/FrequencyLabel.h"
#include "common/Format.h"
#include "selection/BusyShare.h"

namespace velmora {
namespace {

constexpr int kHours = kOccupancyHours;

struct Rgb {
  double r, g, b;
};
constexpr Rgb kFree{0x60, 0xD0, 0x60}, kHalf{0xFF, 0xE0, 0x40}, kBusy{0xF0, 0x50, 0x40};

Rgb Between(Rgb from, Rgb to, double t) {
  return {from.r + (to.r - from.r) * t, from.g + (to.g - from.g) * t, from.b + (to.b - from.b) * t};
}

Bgr ToBgr(Rgb c) {
  auto byte = [](double v) { return static_cast<Bgr>(std::lround(std::clamp(v, 0.0, 255.0))); };
  return byte(c.b) << 16 | byte(c.g) << 8 | byte(c.r);
}

bool IsOccupancyHourColumn(int column) {
  return column >= kOccupancyFirstHourColumn && column < kOccupancyFirstHourColumn + kHours;
}

std::string CellTip(const OccupancyEntry& entry) {
  return "Busy " + IntegerText(entry.Percent()) + "% of " + OccupancyMinutesText(entry.heard) +
         " Minutes Heard, Last Heard " + OccupancyDayText(entry.lastHeard);
}

}  // namespace

Bgr OccupancyShareColour(double share) {
  share = std::clamp(share, 0.0, 1.0);
  return ToBgr(share <= 0.5 ? Between(kFree, kHalf, share * 2) : Between(kHalf, kBusy, share * 2 - 1));
}

void OccupancyColumnsBuild(FrequencyTable& table, const TextWidth& measure) {
  std::vector<TableColumn> columns;
  columns.push_back({"Frequency", measure("----Frequency-"), CellAlign::Right, false});
  for (int hour = 0; hour < kHours; ++hour)
    columns.push_back({TwoDigits(hour), measure("--000-"), CellAlign::Right, false});
  for (int hour = 0; hour < kHours; ++hour) columns.push_back({"", 0, CellAlign::Left, false});
  table.Clear(std::move(columns));
}

void OccupancyHoursFill(FrequencyTable& table, const StationOccupancy& record, const OccupancyHoursRequest& request,
                        const TextWidth& measure) {
  OccupancyColumnsBuild(table, measure);
  for (const auto& label : request.labels) {
    int row = table.RowAdd();
    table.CellSet(row, 0, WithoutPactor3Suffix(label));
    for (int hour = 0; hour < kHours; ++hour) {
      int column = kOccupancyFirstHourColumn + hour;
      OccupancyNow now{record, hour, request.today, request.halfLifeDays};
      auto entry = now.At(request.system, request.station, label);
      // A few seconds (a scan's) tell no habit: such a cell stays grey, as
      // the "Busy" column stays empty, and its tool-tip says what was heard.
      bool known = entry && entry->heard >= kBusyShownSeconds;
      table.CellColorSet(row, column, known ? OccupancyShareColour(entry->Share()) : kNeverHeardColour);
      table.CellSet(row, column, entry ? BusyCellText(*entry) : std::string());
      table.CellSet(row, column + kOccupancyTipShift, entry ? CellTip(*entry) : std::string());
    }
  }
}

void OccupancyHoursMark(FrequencyTable& table, int currentColumn, CellLook heading, CellLook current) {
  for (int column = kOccupancyFirstHourColumn; column < kOccupancyFirstHourColumn + kHours; ++column) {
    table.CellLookSet(0, column, column == currentColumn ? current : heading);
    for (int row = 1; row < table.Rows(); ++row) table.CellBoldSet(row, column, column == currentColumn);
  }
}

std::string OccupancyHoursToolTip(const FrequencyTable& table, int row, int column, int currentColumn) {
  if (row < 0 || row >= table.Rows()) return {};
  if (column == 0) return "Frequency (kHz)";
  if (!IsOccupancyHourColumn(column)) return {};
  std::string hour = TwoDigits(column - kOccupancyFirstHourColumn);
  if (row == 0) return "Zulu Time (" + hour + ")" + (column == currentColumn ? ", Current Hour" : "");
  std::string tip = table.CellGet(row, column + kOccupancyTipShift);
  return tip.empty() ? "Never Heard at " + hour + " UTC" : tip;
}

}  // namespace velmora
