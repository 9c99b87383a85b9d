#include "common/win32/WindowClass.h"

namespace velmora {

void WindowClassRegister(const char* className, WNDPROC proc, UINT style, bool programIcon) {
  WNDCLASSEXA wc{};
  wc.cbSize = sizeof wc;
  if (GetClassInfoExA(GetModuleHandleA(nullptr), className, &wc)) return;
  wc.style = style;
  wc.lpfnWndProc = proc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.hIcon = programIcon ? LoadIconA(GetModuleHandleA(nullptr), "VELMORA") : nullptr;
  if (!wc.hIcon) wc.hIcon = LoadIcon(nullptr, IDI_APPLICATION);
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = className;
  RegisterClassExA(&wc);
}

}  // namespace velmora
