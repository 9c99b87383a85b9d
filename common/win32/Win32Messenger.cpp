#include "common/win32/Win32Messenger.h"

#include <iterator>
#include <optional>
#include <string>
#include <vector>

namespace velmora {
namespace {

UINT IconFlags(MessageIcon icon) {
  switch (icon) {
    case MessageIcon::Information: return MB_ICONINFORMATION;
    case MessageIcon::Exclamation: return MB_ICONEXCLAMATION;
    case MessageIcon::Question: return MB_ICONQUESTION;
    case MessageIcon::Critical: return MB_ICONERROR;
    case MessageIcon::None: break;
  }
  return 0;
}

// A box that closes itself is owned by a hidden window of its own, which
// holds the timer and the answer (in its user data) and so finds its box
// among the thread's windows without any shared state.
constexpr const char* kAnchorClass = "VelmoraMessageAnchor";
constexpr UINT_PTR kCloseTimer = 1;
constexpr UINT kRetryMilliseconds = 200;

HWND BoxOwnedBy(HWND anchor) {
  struct Search {
    HWND anchor;
    HWND box = nullptr;
  } search{anchor};
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND window, LPARAM p) -> BOOL {
        auto* s = reinterpret_cast<Search*>(p);
        char name[16] = {};
        GetClassNameA(window, name, sizeof name);
        if (GetWindow(window, GW_OWNER) != s->anchor || std::string(name) != "#32770") return TRUE;
        s->box = window;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.box;
}

LRESULT CALLBACK AnchorProc(HWND anchor, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != WM_TIMER || wParam != kCloseTimer) return DefWindowProcA(anchor, message, wParam, lParam);
  HWND box = BoxOwnedBy(anchor);
  if (!box) {
    // Not up yet: look again shortly.
    SetTimer(anchor, kCloseTimer, kRetryMilliseconds, nullptr);
    return 0;
  }
  KillTimer(anchor, kCloseTimer);
  int button = static_cast<int>(GetWindowLongPtrA(anchor, GWLP_USERDATA));
  PostMessageA(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(box, button)));
  return 0;
}

HWND AnchorCreate(HWND owner, UINT flags, std::chrono::milliseconds closeAfter) {
  WNDCLASSA wc{};
  if (!GetClassInfoA(GetModuleHandleA(nullptr), kAnchorClass, &wc)) {
    wc.lpfnWndProc = AnchorProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = kAnchorClass;
    RegisterClassA(&wc);
  }
  HWND anchor = CreateWindowExA(WS_EX_TOOLWINDOW, kAnchorClass, "", WS_POPUP, 0, 0, 0, 0, owner, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
  if (!anchor) return nullptr;
  SetWindowLongPtrA(anchor, GWLP_USERDATA, MessageBoxDefaultButton(flags));
  SetTimer(anchor, kCloseTimer, static_cast<UINT>(closeAfter.count()), nullptr);
  return anchor;
}

// The box owned by an anchor disables only the anchor: the program's own
// windows are held as a box over them would hold them (a task-modal box),
// and given back when it closes.
class BoxHeldWindows {
 public:
  BoxHeldWindows() {
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM p) -> BOOL {
          if (IsWindowVisible(window) && IsWindowEnabled(window))
            reinterpret_cast<std::vector<HWND>*>(p)->push_back(window);
          return TRUE;
        },
        reinterpret_cast<LPARAM>(&held_));
    for (HWND window : held_) EnableWindow(window, FALSE);
  }
  BoxHeldWindows(const BoxHeldWindows&) = delete;
  BoxHeldWindows& operator=(const BoxHeldWindows&) = delete;
  ~BoxHeldWindows() {
    for (HWND window : held_)
      if (IsWindow(window)) EnableWindow(window, TRUE);
  }

 private:
  std::vector<HWND> held_;
};

}  // namespace

int MessageBoxDefaultButton(UINT flags) {
  // The buttons of each box type, in their order on the box.
  static constexpr int kButtons[][3] = {
      {IDOK, 0, 0},           {IDOK, IDCANCEL, 0},  {IDABORT, IDRETRY, IDIGNORE},        {IDYES, IDNO, IDCANCEL},
      {IDYES, IDNO, 0},       {IDRETRY, IDCANCEL, 0}, {IDCANCEL, IDTRYAGAIN, IDCONTINUE},
  };
  UINT type = flags & MB_TYPEMASK;
  if (type >= std::size(kButtons)) return IDOK;
  UINT index = (flags & MB_DEFMASK) >> 8;
  if (index >= 3 || kButtons[type][index] == 0) index = 0;
  return kButtons[type][index];
}

int ShowMessageBox(HWND owner, std::string_view text, std::string_view title, UINT flags,
                   std::optional<std::chrono::milliseconds> closeAfter) {
  std::string shown;
  for (size_t i = 0; i < text.size(); ++i) {
    shown += text[i];
    if (text[i] == '\r' && (i + 1 >= text.size() || text[i + 1] != '\n')) shown += '\n';
  }
  std::string caption = title.empty() ? std::string(kProgramTitle) : std::string(title);
  // A minimised owner keeps its box out of sight, and the program would seem
  // frozen behind it: the window comes back first.
  if (owner && IsIconic(owner)) ShowWindow(owner, SW_RESTORE);
  HWND anchor = closeAfter ? AnchorCreate(owner, flags, *closeAfter) : nullptr;
  std::optional<BoxHeldWindows> held;
  if (anchor) held.emplace();
  int answer = MessageBoxA(anchor ? anchor : owner, shown.c_str(), caption.c_str(), flags);
  held.reset();
  if (anchor) DestroyWindow(anchor);
  return answer;
}

void Win32Messenger::Show(std::string_view text, MessageIcon icon, std::string_view title) {
  ShowMessageBox(owner_, text, title, MB_OK | IconFlags(icon), closeAfter_);
}

bool Win32Messenger::AskYesNo(std::string_view text, MessageIcon icon, std::string_view title) {
  return ShowMessageBox(owner_, text, title, MB_YESNO | IconFlags(icon), closeAfter_) == IDYES;
}

}  // namespace velmora
