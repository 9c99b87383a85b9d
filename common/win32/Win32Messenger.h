#pragma once
// Messages as message boxes over one of the program's windows.
#include <windows.h>

#include "common/Messages.h"

namespace velmora {

inline constexpr const char* kProgramTitle = "Velmora";

class Win32Messenger final : public Messenger {
 public:
  explicit Win32Messenger(HWND owner = nullptr) : owner_(owner) {}
  void SetOwner(HWND owner) { owner_ = owner; }
  void Show(std::string_view text, MessageIcon icon = MessageIcon::None, std::string_view title = {}) override;
  bool AskYesNo(std::string_view text, MessageIcon icon = MessageIcon::Question,
                std::string_view title = {}) override;

 private:
  HWND owner_;
};

// A message box; a carriage return alone in the text breaks the line.
int ShowMessageBox(HWND owner, std::string_view text, std::string_view title, UINT flags);

}  // namespace velmora
