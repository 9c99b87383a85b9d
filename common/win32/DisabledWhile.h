#pragma once
// A window that takes no clicks while a box or file chooser of another
// window is up over it: a second click would run its command again inside
// the first, under the box, which then goes on over what the second did.
#include <windows.h>

namespace velmora {

class DisabledWhile {
 public:
  explicit DisabledWhile(HWND window) : window_(window), wasEnabled_(!EnableWindow(window, FALSE)) {}
  DisabledWhile(const DisabledWhile&) = delete;
  DisabledWhile& operator=(const DisabledWhile&) = delete;
  ~DisabledWhile() {
    if (wasEnabled_) EnableWindow(window_, TRUE);
  }

 private:
  HWND window_;
  bool wasEnabled_;
};

}  // namespace velmora
