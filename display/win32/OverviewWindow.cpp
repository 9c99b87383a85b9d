#include "display/HelpTexts.h"
#include "display/win32/HelpWindows.h"
#include "common/win32/WindowText.h"

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

void OverviewWindow::ShowAt(std::string_view heading) {
  Show();
  auto first = SendMessageA(text_, EM_GETFIRSTVISIBLELINE, 0, 0);
  SendMessageA(text_, EM_LINESCROLL, 0, HeadingLine(Text(), heading) - first);
}

std::string OverviewWindow::Text() const { return WindowString(text_); }

}  // namespace velmora
