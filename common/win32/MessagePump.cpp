#include "common/win32/MessagePump.h"

#include <commctrl.h>

#include <algorithm>

namespace velmora {

namespace {

// A list or calendar dropped down from the control, which Esc closes.
bool DroppedDown(HWND control) {
  char cls[32] = {};
  GetClassNameA(control, cls, sizeof cls);
  if (lstrcmpiA(cls, "ComboBox") == 0) return SendMessageA(control, CB_GETDROPPEDSTATE, 0, 0) != 0;
  return lstrcmpiA(cls, DATETIMEPICK_CLASSA) == 0 && SendMessageA(control, DTM_GETMONTHCAL, 0, 0) != 0;
}

// Esc typed in a captioned window that is no dialog (a tool window, or a
// control on it) asks the window to cancel as a dialog's Esc does, unless
// a list or calendar dropped down takes it to close itself.
bool EscapeAsCancel(const MSG& msg) {
  if (msg.message != WM_KEYDOWN || msg.wParam != VK_ESCAPE) return false;
  HWND root = GetAncestor(msg.hwnd, GA_ROOT);
  if (!root || (GetWindowLongA(root, GWL_STYLE) & WS_CAPTION) != WS_CAPTION || DroppedDown(msg.hwnd)) return false;
  SendMessageA(root, WM_COMMAND, IDCANCEL, 0);
  return true;
}

// F1 asks the window it was typed in (its top-level window) for its help.
bool HelpAsked(const MSG& msg) {
  if (msg.message != WM_KEYDOWN || msg.wParam != VK_F1) return false;
  HWND root = GetAncestor(msg.hwnd, GA_ROOT);
  if (!root) return false;
  HELPINFO info{sizeof info, HELPINFO_WINDOW, GetDlgCtrlID(msg.hwnd), msg.hwnd, 0, msg.pt};
  SendMessageA(root, WM_HELP, 0, reinterpret_cast<LPARAM>(&info));
  return true;
}

// Alt and a letter in a window that is no dialog (a tool window) press its
// button of that access key as in a dialog.
bool AccessKeyTyped(MSG& msg) {
  if (msg.message != WM_SYSCHAR) return false;
  HWND root = GetAncestor(msg.hwnd, GA_ROOT);
  return root && IsDialogMessageA(root, &msg);
}

}  // namespace

void MessagePump::Dispatch(MSG& msg) {
  if (HelpAsked(msg)) return;
  for (HWND dialog : modeless_)
    if (IsWindow(dialog) && IsDialogMessageA(dialog, &msg)) return;
  if (AccessKeyTyped(msg)) return;
  if (EscapeAsCancel(msg)) return;
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
