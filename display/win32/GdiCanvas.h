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
  COLORREF LabelColour(bool colour) const { return colour ? RGB(210, 210, 210) : RGB(80, 80, 80); }

 private:
  GdiObject mono_[5];
  GdiObject colour_[5];
};

// Labels are drawn on the picture as it is, or on a box of the background
// colour where the picture beneath is busy (the waterfall).
enum class LabelBackground { Clear, Boxed };

class GdiCanvas final : public Canvas {
 public:
  GdiCanvas(HDC dc, const DisplayPens& pens, bool colour, LabelBackground labels = LabelBackground::Clear);
  GdiCanvas(const GdiCanvas&) = delete;
  GdiCanvas& operator=(const GdiCanvas&) = delete;
  ~GdiCanvas() override;
  void SelectPen(DisplayPen pen) override { SelectObject(dc_, pens_.Pen(pen, colour_)); }
  void MoveTo(int x, int y) override { MoveToEx(dc_, x, y, nullptr); }
  void LineTo(int x, int y) override { ::LineTo(dc_, x, y); }
  void Label(int x, int y, std::string_view text) override;
  TextBox Measure(std::string_view text) const override;

 private:
  HDC dc_;
  const DisplayPens& pens_;
  bool colour_;
  bool boxed_;
  HGDIOBJ initialPen_ = nullptr;
  HGDIOBJ initialFont_ = nullptr;
};

}  // namespace velmora
