#pragma once
// A dialog that takes no input while one of its commands runs. Its boxes and
// file choosers belong to the window that owns it and disable only that one,
// so without this a second Apply, Cancel or edit could act inside the first,
// under its question. The focus comes back where it was, unless another
// window was opened meanwhile.
#include <windows.h>

namespace velmora {

class InputPause {
 public:
  explicit InputPause(HWND dialog, bool pause = true)
      : dialog_(pause && IsWindowEnabled(dialog) ? dialog : nullptr), focus_(GetFocus()) {
    if (dialog_) EnableWindow(dialog_, FALSE);
  }
  ~InputPause() {
    if (!dialog_ || !IsWindow(dialog_)) return;
    EnableWindow(dialog_, TRUE);
    HWND active = GetActiveWindow();
    bool ours = !active || active == dialog_ || active == GetWindow(dialog_, GW_OWNER);
    if (ours && IsWindowVisible(dialog_) && IsWindow(focus_) && IsChild(dialog_, focus_)) SetFocus(focus_);
  }
  InputPause(const InputPause&) = delete;
  InputPause& operator=(const InputPause&) = delete;

 private:
  HWND dialog_;
  HWND focus_;
};

}  // namespace velmora
