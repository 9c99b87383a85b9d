#pragma once
// A plain drawing of the buffers until the full displays arrive: the time
// trace with its zero line, and a blank spectrum.
#include <windows.h>

#include "display/win32/BufferedPicture.h"
#include "audio/BufferWork.h"

namespace velmora {

class PlainDisplay final : public BufferDisplay {
 public:
  PlainDisplay(HWND mainWindow, BufferedPicture& time, BufferedPicture& frequency)
      : main_(mainWindow), time_(time), frequency_(frequency) {}
  bool Shown() const override { return !IsIconic(main_); }
  void DrawTime(std::span<const std::int16_t> samples) override;
  void DrawFrequency() override { frequency_.Clear(RGB(255, 255, 255)); }
  void Present() override {
    time_.Present();
    frequency_.Present();
  }

 private:
  HWND main_;
  BufferedPicture& time_;
  BufferedPicture& frequency_;
};

}  // namespace velmora
