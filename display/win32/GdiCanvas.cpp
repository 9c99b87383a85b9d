#include "display/win32/GdiCanvas.h"

namespace velmora {

DisplayPens::DisplayPens() {
  // Trace, Grid, Marker, LevelLine, SlowCurve.
  mono_[0].reset(CreatePen(PS_SOLID, 1, RGB(0, 0, 0)));
  mono_[1].reset(CreatePen(PS_DOT, 1, RGB(192, 192, 192)));
  mono_[2].reset(CreatePen(PS_DASH, 1, RGB(0, 0, 0)));
  mono_[3].reset(CreatePen(PS_DOT, 1, RGB(0, 0, 0)));
  mono_[4].reset(CreatePen(PS_SOLID, 1, RGB(128, 128, 128)));
  colour_[0].reset(CreatePen(PS_SOLID, 1, RGB(0, 255, 128)));
  colour_[1].reset(CreatePen(PS_DOT, 1, RGB(192, 192, 192)));
  colour_[2].reset(CreatePen(PS_SOLID, 2, RGB(255, 0, 0)));
  colour_[3].reset(CreatePen(PS_SOLID, 1, RGB(255, 255, 0)));
  colour_[4].reset(CreatePen(PS_SOLID, 1, RGB(0, 192, 0)));
}

HPEN DisplayPens::Pen(DisplayPen pen, bool colour) const {
  int i = static_cast<int>(pen);
  return static_cast<HPEN>((colour ? colour_ : mono_)[i].get());
}

GdiCanvas::GdiCanvas(HDC dc, const DisplayPens& pens, bool colour, LabelBackground labels)
    : dc_(dc), pens_(pens), colour_(colour), boxed_(labels == LabelBackground::Boxed) {
  initialPen_ = SelectObject(dc_, pens_.Pen(DisplayPen::Trace, colour_));
  initialFont_ = SelectObject(dc_, GetStockObject(DEFAULT_GUI_FONT));
}

GdiCanvas::~GdiCanvas() {
  SelectObject(dc_, initialFont_);
  SelectObject(dc_, initialPen_);
}

void GdiCanvas::Label(int x, int y, std::string_view text) {
  // The lines' background mode stays as it was (it decides how dotted pens look).
  const int mode = SetBkMode(dc_, boxed_ ? OPAQUE : TRANSPARENT);
  const COLORREF background = SetBkColor(dc_, pens_.Background(colour_));
  const COLORREF ink = SetTextColor(dc_, pens_.LabelColour(colour_));
  TextOutA(dc_, x, y, text.data(), static_cast<int>(text.size()));
  SetTextColor(dc_, ink);
  SetBkColor(dc_, background);
  SetBkMode(dc_, mode);
}

TextBox GdiCanvas::Measure(std::string_view text) const {
  SIZE size{};
  GetTextExtentPoint32A(dc_, text.data(), static_cast<int>(text.size()), &size);
  return {static_cast<int>(size.cx), static_cast<int>(size.cy)};
}

}  // namespace velmora
