#include "app/win32/PlainDisplay.h"

#include <algorithm>

namespace velmora {

void PlainDisplay::DrawTime(std::span<const std::int16_t> samples) {
  time_.Clear(RGB(255, 255, 255));
  HDC dc = time_.BufferDc();
  int width = time_.Width(), height = time_.Height();
  if (!dc || width < 2 || height < 2 || samples.empty()) return;
  double zero = height / 2.0, scaleY = height / 32768.0;
  HPEN grey = CreatePen(PS_DOT, 1, RGB(192, 192, 192));
  HGDIOBJ old = SelectObject(dc, grey);
  MoveToEx(dc, 0, static_cast<int>(zero), nullptr);
  LineTo(dc, width, static_cast<int>(zero));
  SelectObject(dc, GetStockObject(BLACK_PEN));
  // One vertical stroke per pixel column over the samples that fall in it.
  size_t n = samples.size();
  for (int x = 0; x < width; ++x) {
    size_t first = n * x / width, last = std::max(first + 1, n * (x + 1) / width);
    auto [lo, hi] = std::minmax_element(samples.begin() + first, samples.begin() + std::min(last, n));
    MoveToEx(dc, x, static_cast<int>(zero + *lo * scaleY), nullptr);
    LineTo(dc, x, static_cast<int>(zero + *hi * scaleY) + 1);
  }
  SelectObject(dc, old);
  DeleteObject(grey);
}

}  // namespace velmora
