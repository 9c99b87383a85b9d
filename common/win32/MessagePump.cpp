#include "common/win32/MessagePump.h"

#include <algorithm>

namespace velmora {

void MessagePump::Dispatch(MSG& msg) {
  for (HWND dialog : modeless_)
    if (IsWindow(dialog) && IsDialogMessageA(dialog, &msg)) return;
  TranslateMessage(&msg);
  DispatchMessageA(&msg);
}

void MessagePump::RunPending() {
  MSG msg;
  while (!quit_ && PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      // Seen inside a nested wait: remember it for the main loop.
      quit_ = true;
      exitCode_ = static_cast<int>(msg.wParam);
      return;
    }
    Dispatch(msg);
  }
}

void MessagePump::Idle(std::chrono::milliseconds longest) {
  if (quit_) return;
  MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(longest.count()), QS_ALLINPUT);
}

int MessagePump::Run() {
  MSG msg;
  while (!quit_) {
    BOOL got = GetMessageA(&msg, nullptr, 0, 0);
    if (got == 0) {
      exitCode_ = static_cast<int>(msg.wParam);
      break;
    }
    if (got == -1) break;
    Dispatch(msg);
  }
  quit_ = true;
  return exitCode_;
}

void MessagePump::AddModeless(HWND dialog) {
  if (std::find(modeless_.begin(), modeless_.end(), dialog) == modeless_.end()) modeless_.push_back(dialog);
}

void MessagePump::RemoveModeless(HWND dialog) {
  modeless_.erase(std::remove(modeless_.begin(), modeless_.end(), dialog), modeless_.end());
}

}  // namespace velmora
