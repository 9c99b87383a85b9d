#pragma once
// A window's status bar of numbered panels (from 1). A panel given no width
// is hidden but keeps its number; the last panel takes what is left.
#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

namespace velmora {

class StatusBar {
 public:
  bool Create(HWND parent, int panels);
  HWND Handle() const { return hwnd_; }
  int Height() const;
  void Resize();  // after the parent's size changed

  // The widths of all panels but the last.
  void SetWidths(std::vector<int> widths);
  void SetText(int panel, std::string_view text);
  std::string Text(int panel) const;
  int Panels() const { return static_cast<int>(texts_.size()); }

 private:
  void LayoutPanels();
  HWND hwnd_ = nullptr;
  std::vector<int> widths_;
  std::vector<std::string> texts_;
};

}  // namespace velmora
