#pragma once
// A station's table with a column for each hour of the day, the present
// hour marked; `tmrHour` moves the mark when the hour changes.
#include <functional>

#include "selection/SelectionPorts.h"
#include "selection/win32/StationGridWindow.h"

namespace velmora {

class HourGridWindow : public StationGridWindow {
 public:
  // One beat of `tmrHour`: the mark moves when the hour has changed.
  void HourTick();
  int CurrentColumn() const { return currentColumn_; }

 protected:
  HourGridWindow(HWND owner, const char* className, UtcClock& clock)
      : StationGridWindow(owner, className), clock_(clock) {}
  // Rebuilds the table with `fill` (given the present time), then marks the
  // present hour; the timer leaves the table alone meanwhile.
  void Refill(const std::function<void(const UtcDateTime& now)>& fill);

  // The column of the hour `now` falls in, and the table's look with that column marked.
  virtual int HourColumn(const UtcDateTime& now) const = 0;
  virtual void HourMark(int column) = 0;

 private:
  bool OnCreate() override;
  void OnTimer(UINT_PTR id) override;
  void Mark(int column);

  UtcClock& clock_;
  int currentColumn_ = 0;
  bool ready_ = false;  // the grid holds a whole fill: the timer may move the mark
};

}  // namespace velmora
