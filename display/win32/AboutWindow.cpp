#include "common/ProgramVersion.h"
#include "display/HelpTexts.h"
#include "display/win32/HelpWindows.h"

namespace velmora {
namespace {

constexpr int kOk = IDOK;

std::string WithLineBreaks(const std::string& text) {
  std::string out;
  for (char c : text) {
    out += c;
    if (c == '\r') out += '\n';
  }
  return out;
}

HWND Static(HWND parent, const std::string& text, RECT r, HFONT font, const LayoutScale& scale) {
  HWND label = CreateWindowExA(0, "STATIC", text.c_str(), WS_CHILD | WS_VISIBLE | SS_LEFT, scale.X(r.left),
                               scale.Y(r.top), scale.X(r.right - r.left), scale.Y(r.bottom - r.top), parent, nullptr,
                               GetModuleHandleA(nullptr), nullptr);
  SendMessageA(label, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
  return label;
}

}  // namespace

bool AboutWindow::OnCreate() {
  HFONT font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  LOGFONTA bold{};
  GetObjectA(font, sizeof bold, &bold);
  bold.lfWeight = FW_BOLD;
  bold.lfHeight = bold.lfHeight * 3 / 2;
  titleFont_ = CreateFontIndirectA(&bold);
  const LayoutScale& scale = Scale();
  Static(hwnd_, "About Velmora", {70, 18, 420, 40}, titleFont_, scale);
  ProgramVersion version = CurrentVersion();
  Static(hwnd_, WithLineBreaks(AboutDescription(version.major, version.minor)), {70, 44, 440, 150}, font, scale);
  Static(hwnd_,
         "Disclaimer: Velmora is provided as it is, without warranty of any kind. It listens before AirMail "
         "calls, but you remain responsible for your station and for what it transmits.",
         {20, 160, 440, 210}, font, scale);
  ok_ = CreateWindowExA(0, "BUTTON", "OK", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, scale.X(350),
                        scale.Y(220), scale.X(80), scale.Y(26), hwnd_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kOk)),
                        GetModuleHandleA(nullptr), nullptr);
  SendMessageA(ok_, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
  pump_.AddModeless(hwnd_);
  return true;
}

void AboutWindow::OnShown() { SetFocus(ok_); }

void AboutWindow::OnPaint(HDC dc) {
  HICON icon = LoadIconA(GetModuleHandleA(nullptr), "VELMORA");
  DrawIcon(dc, Scale().X(20), Scale().Y(18), icon ? icon : LoadIcon(nullptr, IDI_INFORMATION));
}

AboutWindow::~AboutWindow() {
  if (hwnd_) pump_.RemoveModeless(hwnd_);
  if (titleFont_) DeleteObject(titleFont_);
}

bool AboutWindow::OnCommand(int id, int) {
  // Enter reaches it as OK, Esc as Cancel.
  if (id != kOk && id != IDCANCEL) return false;
  Hide();
  return true;
}

}  // namespace velmora
