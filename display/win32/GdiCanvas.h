#pragma once
// A canvas over a device context, with the displays' pens in monochrome or
// in colour.
#include <windows.h>

#include "common/win32/Handles.h"
#include "display/DisplayDrawing.h"

namespace velmora {

class DisplayPens {
 public:
  DisplayPens();
  HPEN Pen(DisplayPen pen, bool colour) const;
  COLORREF Background(bool colour) const { return colour ? RGB(0, 0, 40) : RGB(255, 255, 255); }

 private:
  GdiObject mono_[5];
  GdiObject colour_[5];
};

class GdiCanvas final : public Canvas {
 public:
  GdiCanvas(HDC dc, const DisplayPens& pens, bool colour) : dc_(dc), pens_(pens), colour_(colour) {
    initial_ = SelectObject(dc_, pens_.Pen(DisplayPen::Trace, colour_));
  }
  GdiCanvas(const GdiCanvas&) = delete;
  GdiCanvas& operator=(const GdiCanvas&) = delete;
  ~GdiCanvas() override { SelectObject(dc_, initial_); }
  void SelectPen(DisplayPen pen) override { SelectObject(dc_, pens_.Pen(pen, colour_)); }
  void MoveTo(int x, int y) override { MoveToEx(dc_, x, y, nullptr); }
  void LineTo(int x, int y) override { ::LineTo(dc_, x, y); }

 private:
  HDC dc_;
  const DisplayPens& pens_;
  bool colour_;
  HGDIOBJ initial_ = nullptr;
};

}  // namespace velmora
