#pragma once
// The clipboard's text through a window of our own. Text for a paste is
// offered by delayed rendering, so the moment the other program reads it
// is known: the clipboard is not changed again before then, and a paste
// that never read it is seen as failed.
#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

namespace velmora {

class ClipboardOwner {
 public:
  ClipboardOwner();
  ClipboardOwner(const ClipboardOwner&) = delete;
  ClipboardOwner& operator=(const ClipboardOwner&) = delete;
  ~ClipboardOwner();

  bool Clear();
  // Each false when the clipboard refused (another program may hold it for
  // a moment, so opening it is tried a few times).
  bool TextOffer(std::string_view text);
  // The offered text was read by a paste.
  bool TextTaken() const { return taken_; }
  // The clipboard's text (empty when it holds none); nullopt when it cannot be opened.
  std::optional<std::string> Text();

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM w, LPARAM l);
  bool Render();

  HWND window_ = nullptr;
  std::string offered_;
  bool taken_ = false;
};

}  // namespace velmora
