#include "common/win32/Win32Messenger.h"

#include <string>

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

}  // namespace

int ShowMessageBox(HWND owner, std::string_view text, std::string_view title, UINT flags) {
  std::string shown;
  for (size_t i = 0; i < text.size(); ++i) {
    shown += text[i];
    if (text[i] == '\r' && (i + 1 >= text.size() || text[i + 1] != '\n')) shown += '\n';
  }
  std::string caption = title.empty() ? std::string(kProgramTitle) : std::string(title);
  return MessageBoxA(owner, shown.c_str(), caption.c_str(), flags);
}

void Win32Messenger::Show(std::string_view text, MessageIcon icon, std::string_view title) {
  ShowMessageBox(owner_, text, title, MB_OK | IconFlags(icon));
}

bool Win32Messenger::AskYesNo(std::string_view text, MessageIcon icon, std::string_view title) {
  return ShowMessageBox(owner_, text, title, MB_YESNO | IconFlags(icon)) == IDYES;
}

}  // namespace velmora
