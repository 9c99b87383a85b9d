#include "airmail/win32/Clipboard.h"

#include <cstring>
#include <cwchar>

#include "common/win32/WindowObject.h"

namespace velmora {
namespace {

constexpr const char* kOwnerClass = "VelmoraClipboardOwner";

class OpenClipboardScope {
 public:
  explicit OpenClipboardScope(HWND owner) {
    for (int attempt = 0; attempt < 20 && !open_; ++attempt) {
      open_ = OpenClipboard(owner);
      if (!open_) Sleep(10);
    }
  }
  OpenClipboardScope(const OpenClipboardScope&) = delete;
  OpenClipboardScope& operator=(const OpenClipboardScope&) = delete;
  ~OpenClipboardScope() {
    if (open_) CloseClipboard();
  }
  explicit operator bool() const { return open_; }

 private:
  bool open_ = false;
};

void ClassRegister() {
  static const bool registered = [] {
    WNDCLASSA type{};
    type.lpfnWndProc = DefWindowProcA;
    type.hInstance = GetModuleHandleA(nullptr);
    type.lpszClassName = kOwnerClass;
    return RegisterClassA(&type) != 0;
  }();
  (void)registered;
}

}  // namespace

ClipboardOwner::ClipboardOwner() {
  ClassRegister();
  window_ = CreateWindowExA(0, kOwnerClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, GetModuleHandleA(nullptr),
                            nullptr);
  if (window_) {
    WindowObjectSet(window_, this);
    SetWindowLongPtrA(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ClipboardOwner::Procedure));
  }
}

ClipboardOwner::~ClipboardOwner() {
  // Destroying the window renders what is still offered, so a paste after
  // we are gone still gets the text.
  if (window_) DestroyWindow(window_);
}

LRESULT CALLBACK ClipboardOwner::Procedure(HWND window, UINT message, WPARAM w, LPARAM l) {
  auto* self = WindowObject<ClipboardOwner>(window);
  if (self) {
    if (message == WM_RENDERFORMAT && w == CF_TEXT) {
      self->Render();
      return 0;
    }
    if (message == WM_RENDERALLFORMATS) {
      if (OpenClipboard(window)) {
        if (GetClipboardOwner() == window) self->Render();
        CloseClipboard();
      }
      return 0;
    }
  }
  return DefWindowProcA(window, message, w, l);
}

// Called while the reader holds the clipboard open.
bool ClipboardOwner::Render() {
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, offered_.size() + 1);
  if (!memory) return false;
  char* bytes = static_cast<char*>(GlobalLock(memory));
  if (!bytes) {
    GlobalFree(memory);
    return false;
  }
  std::memcpy(bytes, offered_.data(), offered_.size());
  bytes[offered_.size()] = '\0';
  GlobalUnlock(memory);
  if (!SetClipboardData(CF_TEXT, memory)) {
    GlobalFree(memory);
    return false;
  }
  taken_ = true;  // the clipboard owns the memory now
  return true;
}

bool ClipboardOwner::Clear() {
  OpenClipboardScope clipboard(window_);
  return window_ && clipboard && EmptyClipboard();
}

bool ClipboardOwner::TextOffer(std::string_view text) {
  OpenClipboardScope clipboard(window_);
  if (!window_ || !clipboard || !EmptyClipboard()) return false;
  offered_.assign(text);
  taken_ = false;
  SetLastError(0);
  // No data yet: it is rendered when a paste asks for it. A null result
  // with no error is the normal answer for delayed rendering.
  return SetClipboardData(CF_TEXT, nullptr) != nullptr || GetLastError() == 0;
}

std::optional<std::string> ClipboardOwner::Text() {
  OpenClipboardScope clipboard(window_);
  if (!window_ || !clipboard) return std::nullopt;
  // The other program's Unicode text, made ANSI here as CF_TEXT would be:
  // under Wine each read of CF_TEXT made from it keeps a kilobyte for good.
  HANDLE data = GetClipboardData(CF_UNICODETEXT);
  if (!data) return std::string();
  const auto* wide = static_cast<const wchar_t*>(GlobalLock(data));
  if (!wide) return std::string();
  const int length = static_cast<int>(wcsnlen(wide, GlobalSize(data) / sizeof(wchar_t)));
  std::string text(WideCharToMultiByte(CP_ACP, 0, wide, length, nullptr, 0, nullptr, nullptr), '\0');
  WideCharToMultiByte(CP_ACP, 0, wide, length, text.data(), static_cast<int>(text.size()), nullptr, nullptr);
  GlobalUnlock(data);
  return text;
}

}  // namespace velmora
