#pragma once
// A tool window that shows a table of one station in a grid filling it,
// sized to show every column and as many rows as the screen has room for.
#include <windows.h>

#include <string>
#include <string_view>

#include "common/win32/ToolWindow.h"
#include "selection/win32/FrequencyGrid.h"
#include "selection/win32/PropagationWindowServices.h"

namespace velmora {

class StationGridWindow : public ToolWindow, private FrequencyGridListener {
 public:
  ~StationGridWindow() override;

  const FrequencyTable& Table() const { return table_; }
  FrequencyGrid& Grid() { return grid_; }

 protected:
  StationGridWindow(HWND owner, const char* className, const PropagationWindowServices& services);
  // Takes the station when one is named and gives the caption `title`
  // followed by its name; with an empty system or station the station
  // shown before stays. True when a station was taken.
  bool StationTake(std::string_view system, std::string_view station, const std::string& title);
  // The caption, the size that fits the table, and the window shown in front.
  void Present();

  virtual std::string ToolTip(int row, int column) = 0;
  bool OnCreate() override;

  PropagationWindowServices s_;
  std::string system_, station_, caption_;
  FrequencyTable table_;

 private:
  void OnSize(int width, int height) override;
  void GridClick(int, int) override {}
  void GridMouseMove(int, int) override {}
  void GridRightButtonUp(int, int, int, int) override {}
  void FitToTable();

  FrequencyGrid grid_;
};

}  // namespace velmora
