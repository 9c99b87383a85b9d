#pragma once
// The Stations page's difference view: the rows of each compared source
// that found no partner in the other, in two lists side by side.
#include <windows.h>

#include <string>

#include "reports/OptionsGrids.h"

namespace velmora {

class RadioDifferenceWindow {
 public:
  RadioDifferenceWindow() = default;
  RadioDifferenceWindow(const RadioDifferenceWindow&) = delete;
  RadioDifferenceWindow& operator=(const RadioDifferenceWindow&) = delete;
  ~RadioDifferenceWindow();

  // Makes the window over `owner` (once) and shows the two tables under
  // their sources' names.
  void Show(HWND owner, HFONT font, const RadioDifferences& tables, const std::string& firstName,
            const std::string& secondName);
  HWND Handle() const { return hwnd_; }
  // The list of the first (0) or second (1) table.
  HWND List(int table) const { return GetDlgItem(hwnd_, kListId + table); }

 private:
  static constexpr int kListId = 100, kLabelId = 110;
  bool Create(HWND owner, HFONT font);
  HWND hwnd_ = nullptr;
};

}  // namespace velmora
