#pragma once
// A tool window that shows a table of one station in a grid filling it,
// sized to show every column and as many rows as the screen has room for.
#include <windows.h>

#include <string>

#include "common/win32/ToolWindow.h"
#include "selection/win32/FrequencyGrid.h"

namespace velmora {

class StationGridWindow : public ToolWindow, private FrequencyGridListener {
 public:
  ~StationGridWindow() override;

  const FrequencyTable& Table() const { return table_; }
  FrequencyGrid& Grid() { return grid_; }

 protected:
  StationGridWindow(HWND owner, const char* className);
  // The caption, the size that fits the table, and the window shown in front.
  void Present(const std::string& caption);

  virtual std::string ToolTip(int row, int column) = 0;
  bool OnCreate() override;

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
