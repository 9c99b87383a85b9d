#pragma once
// The Stations page's difference view: the rows of each compared source
// that found no partner in the other, in two lists side by side.
#include <windows.h>

#include <string>

#include "common/win32/ToolWindow.h"
#include "reports/OptionsGrids.h"

namespace velmora {

class RadioDifferenceWindow final : public ToolWindow {
 public:
  RadioDifferenceWindow();

  // Makes the window over `owner` (once) and shows the two tables under
  // their sources' names, below the owner's top left corner.
  void Show(HWND owner, HFONT font, const RadioDifferences& tables, const std::string& firstName,
            const std::string& secondName);
  // The list of the first (0) or second (1) table.
  HWND List(int table) const { return GetDlgItem(hwnd_, kListId + table); }

 private:
  static constexpr int kListId = 100, kLabelId = 110;
  bool OnCreate() override;
  HFONT font_ = nullptr;
};

}  // namespace velmora
