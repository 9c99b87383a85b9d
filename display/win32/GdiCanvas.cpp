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

}  // namespace velmora
