#pragma once
// A layout laid out in pixels for its font at 96 dots per inch, at the
// screen's own scaling: across by as much as the font's text has widened,
// down by as much as its lines have grown. At 96 dots per inch it is the
// layout as laid out.
#include <windows.h>

namespace velmora {

class LayoutScale {
 public:
  LayoutScale() = default;  // pixels as laid out
  // Measures `font` at the screen's resolution and at 96 dots per inch.
  explicit LayoutScale(HFONT font);

  int X(int pixels) const { return MulDiv(pixels, widthNow_, widthDesigned_); }
  int Y(int pixels) const { return MulDiv(pixels, heightNow_, heightDesigned_); }

 private:
  int widthNow_ = 1, widthDesigned_ = 1;
  int heightNow_ = 1, heightDesigned_ = 1;
};

}  // namespace velmora
