#pragma once
// A top-level window that shows a table of one station in a grid filling
// it: made on its first showing, hidden when the user closes it, and sized
// to show every column and as many rows as the screen has room for.
#include <windows.h>

#include <string>

#include "selection/win32/FrequencyGrid.h"

namespace velmora {

class StationGridWindow : private FrequencyGridListener {
 public:
  StationGridWindow(const StationGridWindow&) = delete;
  StationGridWindow& operator=(const StationGridWindow&) = delete;
  virtual ~StationGridWindow();

  HWND Handle() const { return hwnd_; }
  void Hide();
  const FrequencyTable& Table() const { return table_; }
  FrequencyGrid& Grid() { return grid_; }

 protected:
  StationGridWindow(HWND owner, const char* className);
  // Makes the window, hidden, when it does not exist yet; false when it cannot.
  bool Make();
  // The caption, the size that fits the table, and the window shown in front.
  void Present(const std::string& caption);

  virtual std::string ToolTip(int row, int column) = 0;
  virtual void OnCreate() {}
  virtual void OnTimer(UINT_PTR id) {}

  FrequencyTable table_;

 private:
  void GridClick(int, int) override {}
  void GridMouseMove(int, int) override {}
  void GridRightButtonUp(int, int, int, int) override {}
  void FitToTable();
  static LRESULT CALLBACK WndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

  HWND owner_;
  const char* className_;
  HWND hwnd_ = nullptr;
  FrequencyGrid grid_;
  bool placed_ = false;
};

}  // namespace velmora
