#pragma once
// The main window's status bar: panel 1 the run state, panel 2 the mouse
// read-out (shown only while the pointer is over a display), panel 3 the
// detector verdict and warnings.
#include <windows.h>

#include <string>
#include <string_view>

namespace velmora {

class StatusBar {
 public:
  bool Create(HWND parent);
  HWND Handle() const { return hwnd_; }
  int Height() const;
  void Resize();  // after the parent's size changed

  void SetText(int panel, std::string_view text);  // panels 1..3
  std::string Text(int panel) const;
  void SetReadoutVisible(bool visible);
  bool ReadoutVisible() const { return readoutVisible_; }

 private:
  void LayoutPanels();
  HWND hwnd_ = nullptr;
  bool readoutVisible_ = false;
  std::string texts_[3];
};

}  // namespace velmora
