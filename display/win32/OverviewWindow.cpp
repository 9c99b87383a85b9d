#include "display/HelpTexts.h"
#include "display/win32/HelpWindows.h"
#include "common/win32/WindowText.h"

#include <algorithm>

namespace velmora {

bool OverviewWindow::OnCreate() {
  text_ = CreateWindowExA(WS_EX_CLIENTEDGE, "EDIT", "",
                          WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL, 0, 0,
                          10, 10, hwnd_, nullptr, GetModuleHandleA(nullptr), nullptr);
  font_ = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  SendMessageA(text_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), TRUE);
  return true;
}

// Read at every showing: a file put right after a failed read shows next time.
void OverviewWindow::OnShowing() {
  std::string message;
  auto text = OverviewText(file_, message);
  SetWindowTextA(text_, text ? text->c_str() : "");
  if (!text) messages_.Show(message);
}

void OverviewWindow::OnSize(int width, int height) { MoveWindow(text_, 0, 0, width, height, TRUE); }

// The box wraps long lines: the heading's line of the file is found by its
// first character, on whichever line of the box that falls.
void OverviewWindow::ShowAt(std::string_view heading) {
  Show();
  const std::string text = Text();
  size_t at = 0;
  for (int line = HeadingLine(text, heading); line > 0 && at < text.size(); --line)
    at = std::min(text.find('\n', at), text.size() - 1) + 1;
  auto shown = SendMessageA(text_, EM_LINEFROMCHAR, at, 0);
  auto first = SendMessageA(text_, EM_GETFIRSTVISIBLELINE, 0, 0);
  SendMessageA(text_, EM_LINESCROLL, 0, shown - first);
}

std::string OverviewWindow::Text() const { return WindowString(text_); }

}  // namespace velmora
