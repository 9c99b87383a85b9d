#pragma once
// A display picture with its off-screen buffer of the same size: drawing
// goes into the buffer, which is then copied to the screen at once, so the
// displays never flicker.
#include <windows.h>

#include <functional>

#include "common/win32/Handles.h"

namespace velmora {

class BufferedPicture {
 public:
  using MouseHandler = std::function<void(UINT message, int x, int y, WPARAM keys)>;

  BufferedPicture() = default;
  BufferedPicture(const BufferedPicture&) = delete;
  BufferedPicture& operator=(const BufferedPicture&) = delete;
  ~BufferedPicture();

  bool Create(HWND parent, int id, MouseHandler onMouse);
  HWND Handle() const { return hwnd_; }
  void Move(int x, int y, int width, int height);
  int Width() const { return width_; }
  int Height() const { return height_; }

  HDC BufferDc() const { return dc_.get(); }  // the off-screen buffer to draw into
  void Clear(COLORREF colour);
  void Present();  // copies the buffer to the screen now

 private:
  static LRESULT CALLBACK WndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  void ResizeBuffer();

  HWND hwnd_ = nullptr;
  int width_ = 0, height_ = 0;
  MemoryDc dc_;
  GdiObject bitmap_;
  HGDIOBJ initialBitmap_ = nullptr;
  MouseHandler onMouse_;
};

}  // namespace velmora
