#pragma once
// The object behind a window or dialog: kept in the window's user data from
// its first message on, and found again for every later one, so a static
// window procedure can hand each message to its object.
#include <windows.h>

namespace velmora {

template <class T>
T* WindowObject(HWND hwnd) {
  return reinterpret_cast<T*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
}

template <class T>
void WindowObjectSet(HWND hwnd, T* object) {
  SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(object));
}

// After WM_DESTROY no message may reach the object any more.
inline void WindowObjectClear(HWND hwnd) { SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0); }

// A window created with the object as its creation parameter.
template <class T>
T* WindowObjectOf(HWND hwnd, UINT message, LPARAM lParam) {
  if (message == WM_NCCREATE)
    WindowObjectSet(hwnd, static_cast<T*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams));
  return WindowObject<T>(hwnd);
}

// The window procedure of a window created with its object as the creation
// parameter: the object keeps the handle (hwnd_) from the first message on,
// takes every message in OnMessage, and is let go after WM_DESTROY. The
// object's class names this its friend.
template <class T>
LRESULT CALLBACK ObjectWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  T* self = WindowObjectOf<T>(hwnd, message, lParam);
  if (!self) return DefWindowProcA(hwnd, message, wParam, lParam);
  if (message == WM_NCCREATE) self->hwnd_ = hwnd;
  LRESULT result = self->OnMessage(message, wParam, lParam);
  if (message == WM_DESTROY) {
    WindowObjectClear(hwnd);
    self->hwnd_ = nullptr;
  }
  return result;
}

// A dialog created with the object as its initialisation parameter.
template <class T>
T* DialogObjectOf(HWND hwnd, UINT message, LPARAM lParam) {
  if (message == WM_INITDIALOG) WindowObjectSet(hwnd, reinterpret_cast<T*>(lParam));
  return WindowObject<T>(hwnd);
}

}  // namespace velmora
