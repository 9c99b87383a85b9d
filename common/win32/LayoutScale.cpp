#include "common/win32/LayoutScale.h"

namespace velmora {
namespace {

// The font's text width and line height as the dialog units measure them.
SIZE LayoutFontMeasure(HDC dc, HFONT font) {
  static constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
  HGDIOBJ old = SelectObject(dc, font);
  SIZE text{};
  GetTextExtentPoint32A(dc, kAlphabet, static_cast<int>(sizeof kAlphabet - 1), &text);
  TEXTMETRICA metrics{};
  GetTextMetricsA(dc, &metrics);
  SelectObject(dc, old);
  return {text.cx, metrics.tmHeight};
}

}  // namespace

LayoutScale::LayoutScale(HFONT font) {
  LOGFONTA design{};
  HDC screen = GetDC(nullptr);
  if (!screen) return;
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  if (font && dpi > 0 && dpi != 96 && GetObjectA(font, sizeof design, &design) == sizeof design) {
    // The same font as it was at 96 dots per inch.
    design.lfHeight = MulDiv(design.lfHeight, 96, dpi);
    design.lfWidth = MulDiv(design.lfWidth, 96, dpi);
    if (HFONT designed = CreateFontIndirectA(&design)) {
      SIZE now = LayoutFontMeasure(screen, font), then = LayoutFontMeasure(screen, designed);
      DeleteObject(designed);
      if (now.cx > 0 && then.cx > 0 && now.cy > 0 && then.cy > 0) {
        widthNow_ = now.cx, widthDesigned_ = then.cx;
        heightNow_ = now.cy, heightDesigned_ = then.cy;
      }
    }
  }
  ReleaseDC(nullptr, screen);
}

}  // namespace velmora
