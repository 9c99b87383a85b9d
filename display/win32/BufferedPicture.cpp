#include "display/win32/BufferedPicture.h"

#include "common/win32/MessagePoint.h"
#include "common/win32/WindowObject.h"

namespace velmora {
namespace {

constexpr const char* kPictureClass = "VelmoraPicture";

void RegisterPictureClass(WNDPROC proc) {
  WNDCLASSA wc{};
  if (GetClassInfoA(GetModuleHandleA(nullptr), kPictureClass, &wc)) return;
  wc.style = CS_HREDRAW | CS_VREDRAW;
  wc.lpfnWndProc = proc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.hCursor = LoadCursor(nullptr, IDC_CROSS);
  wc.hbrBackground = nullptr;  // the buffer paints every pixel
  wc.lpszClassName = kPictureClass;
  RegisterClassA(&wc);
}

}  // namespace

BufferedPicture::~BufferedPicture() {
  if (dc_ && initialBitmap_) SelectObject(dc_.get(), initialBitmap_);
}

bool BufferedPicture::Create(HWND parent, int id, MouseHandler onMouse) {
  RegisterPictureClass(&BufferedPicture::WndProc);
  onMouse_ = std::move(onMouse);
  hwnd_ = CreateWindowExA(WS_EX_CLIENTEDGE, kPictureClass, nullptr, WS_CHILD | WS_VISIBLE, 0, 0, 1, 1, parent,
                          reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleA(nullptr), this);
  return hwnd_ != nullptr;
}

void BufferedPicture::Move(int x, int y, int width, int height) {
  MoveWindow(hwnd_, x, y, width, height, TRUE);
  RECT client{};
  GetClientRect(hwnd_, &client);
  if (client.right != width_ || client.bottom != height_ || !dc_) {
    width_ = client.right;
    height_ = client.bottom;
    ResizeBuffer();
  }
}

void BufferedPicture::ResizeBuffer() {
  HDC screen = GetDC(hwnd_);
  if (!dc_) {
    dc_.reset(CreateCompatibleDC(screen));
  }
  GdiObject bitmap(CreateCompatibleBitmap(screen, width_ > 0 ? width_ : 1, height_ > 0 ? height_ : 1));
  ReleaseDC(hwnd_, screen);
  HGDIOBJ previous = SelectObject(dc_.get(), bitmap.get());
  if (!initialBitmap_) initialBitmap_ = previous;
  bitmap_ = std::move(bitmap);  // the old buffer bitmap is no longer selected, so it can go
  Clear(RGB(255, 255, 255));
}

void BufferedPicture::Clear(COLORREF colour) {
  if (!dc_) return;
  HBRUSH brush = CreateSolidBrush(colour);
  RECT r{0, 0, width_, height_};
  FillRect(dc_.get(), &r, brush);
  DeleteObject(brush);
}

void BufferedPicture::Present() {
  if (!hwnd_ || !dc_) return;
  HDC screen = GetDC(hwnd_);
  BitBlt(screen, 0, 0, width_, height_, dc_.get(), 0, 0, SRCCOPY);
  ReleaseDC(hwnd_, screen);
}

LRESULT CALLBACK BufferedPicture::WndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* self = WindowObjectOf<BufferedPicture>(hwnd, message, lParam);
  switch (message) {
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(hwnd, &ps);
      if (self && self->dc_)
        BitBlt(dc, 0, 0, self->width_, self->height_, self->dc_.get(), 0, 0, SRCCOPY);
      EndPaint(hwnd, &ps);
      return 0;
    }
    case WM_ERASEBKGND:
      return 1;
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
      if (self && self->onMouse_) self->onMouse_(message, MessagePoint(lParam).x, MessagePoint(lParam).y, wParam);
      if (message == WM_LBUTTONDOWN) SetCapture(hwnd);
      if (message == WM_LBUTTONUP) ReleaseCapture();
      return 0;
    case WM_CAPTURECHANGED:
      // Another window took the mouse mid-drag: no button-up will come.
      if (self && self->onMouse_ && reinterpret_cast<HWND>(lParam) != hwnd) self->onMouse_(message, 0, 0, 0);
      return 0;
    default:
      break;
  }
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

}  // namespace velmora
