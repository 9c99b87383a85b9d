#pragma once
// The station's windows with a column for each hour of the day, the
// present hour marked; `tmrHour` moves the mark when the hour changes.
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "common/FileWriteStamp.h"
#include "selection/win32/StationGridWindow.h"

namespace velmora {

class HourGridWindow : public StationGridWindow {
 public:
  // One beat of `tmrHour`: the mark moves when the hour has changed.
  void HourTick();
  int CurrentColumn() const { return currentColumn_; }

 protected:
  HourGridWindow(HWND owner, const char* className, const PropagationWindowServices& services)
      : StationGridWindow(owner, className, services) {}
  // Rebuilds the table with `fill` (given the present time), then marks the
  // present hour; the timer leaves the table alone meanwhile.
  void Refill(const std::function<void(const UtcDateTime& now)>& fill);

  // The column of the hour `now` falls in, and the table's look with that column marked.
  virtual int HourColumn(const UtcDateTime& now) const = 0;
  virtual void HourMark(int column) = 0;
  // Fills the table again when what it shows has changed since; true if so.
  virtual bool Reread() { return false; }

 private:
  bool OnCreate() override;
  void OnTimer(UINT_PTR id) override;
  void Mark(int column);

  int currentColumn_ = 0;
  bool ready_ = false;  // the grid holds a whole fill: the timer may move the mark
};

// `frmPropagationHours`: the predicted SNR of each of a station's
// frequencies for every hour of the day, the hours its antenna offsets
// change in bold and the present hour highlighted.
class PropagationHoursWindow final : public HourGridWindow {
 public:
  PropagationHoursWindow(HWND owner, const PropagationWindowServices& services)
      : HourGridWindow(owner, "VelmoraPropagationHours", services) {}

  // Rebuilds the grid for the station and shows the window. With an empty
  // system or station the station shown before is predicted again.
  void Update(std::string_view system, std::string_view station, const UtcDateTime& time);

 private:
  std::string ToolTip(int row, int column) override;
  int HourColumn(const UtcDateTime& now) const override;
  void HourMark(int column) override;
};

// "Channel Occupancy": how busy each of a station's frequencies has been at
// every hour of the day, as the occupancy record knows it, coloured from
// green to red, the present hour marked.
class ChannelOccupancyWindow final : public HourGridWindow {
 public:
  ChannelOccupancyWindow(HWND owner, const PropagationWindowServices& services)
      : HourGridWindow(owner, "VelmoraChannelOccupancy", services) {}

  // Reads the record, rebuilds the grid for the station and shows the
  // window. With an empty system or station the station shown before is
  // read again.
  void Update(std::string_view system, std::string_view station);

 private:
  void Fill();

  std::string ToolTip(int row, int column) override;
  int HourColumn(const UtcDateTime& now) const override;
  void HourMark(int column) override;
  bool Reread() override;

  // The record as last read: a run's end or a Reset changes it while the
  // window stays open.
  std::optional<FileWriteStamp> read_;
};

}  // namespace velmora
