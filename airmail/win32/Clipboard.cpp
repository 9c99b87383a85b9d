#include "airmail/win32/Clipboard.h"

#include <cstring>

namespace velmora {
namespace {

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

}  // namespace

bool ClipboardClear(HWND owner) {
  OpenClipboardScope clipboard(owner);
  return clipboard && EmptyClipboard();
}

bool ClipboardTextSet(HWND owner, std::string_view text) {
  OpenClipboardScope clipboard(owner);
  if (!clipboard || !EmptyClipboard()) return false;
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
  if (!memory) return false;
  char* bytes = static_cast<char*>(GlobalLock(memory));
  if (!bytes) {
    GlobalFree(memory);
    return false;
  }
  std::memcpy(bytes, text.data(), text.size());
  bytes[text.size()] = '\0';
  GlobalUnlock(memory);
  if (!SetClipboardData(CF_TEXT, memory)) {
    GlobalFree(memory);
    return false;
  }
  return true;  // the clipboard owns the memory now
}

std::optional<std::string> ClipboardText(HWND owner) {
  OpenClipboardScope clipboard(owner);
  if (!clipboard) return std::nullopt;
  HANDLE data = GetClipboardData(CF_TEXT);
  if (!data) return std::string();
  const char* bytes = static_cast<const char*>(GlobalLock(data));
  if (!bytes) return std::string();
  std::string text(bytes, strnlen(bytes, GlobalSize(data)));
  GlobalUnlock(data);
  return text;
}

}  // namespace velmora
