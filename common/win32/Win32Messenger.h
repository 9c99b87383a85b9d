#pragma once
// Messages as message boxes over one of the program's windows. For a run
// nobody watches, the boxes can close themselves with their default answer.
#include <windows.h>

#include <chrono>
#include <optional>

#include "common/Messages.h"

namespace velmora {

inline constexpr const char* kProgramTitle = "Velmora";

class Win32Messenger final : public Messenger {
 public:
  explicit Win32Messenger(HWND owner = nullptr, std::optional<std::chrono::milliseconds> closeAfter = std::nullopt)
      : owner_(owner), closeAfter_(closeAfter) {}
  void SetOwner(HWND owner) { owner_ = owner; }
  void Show(std::string_view text, MessageIcon icon = MessageIcon::None, std::string_view title = {}) override;
  bool AskYesNo(std::string_view text, MessageIcon icon = MessageIcon::Question,
                std::string_view title = {}) override;

 private:
  HWND owner_;
  std::optional<std::chrono::milliseconds> closeAfter_;
};

// A message box; a carriage return alone in the text breaks the line. A
// minimised owner is restored first, so the box is seen. With
// `closeAfter`, a box nobody answers in that time closes itself as if its
// default button had been pressed.
int ShowMessageBox(HWND owner, std::string_view text, std::string_view title, UINT flags,
                   std::optional<std::chrono::milliseconds> closeAfter = std::nullopt);

// The button Enter presses in a box of these flags (MB_YESNO | MB_DEFBUTTON2: IDNO).
int MessageBoxDefaultButton(UINT flags);

}  // namespace velmora
