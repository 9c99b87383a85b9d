#include "common/win32/GridHeaderTips.h"

#include <commctrl.h>

namespace velmora {

GridHeaderTips::~GridHeaderTips() {
  if (tips_) DestroyWindow(tips_);
}

bool GridHeaderTips::Attach(HWND listView, const char* gridTip, std::span<const char* const> columnTips) {
  header_ = reinterpret_cast<HWND>(SendMessageA(listView, LVM_GETHEADER, 0, 0));
  tips_ = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT,
                          CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, listView, nullptr, GetModuleHandleA(nullptr),
                          nullptr);
  if (!tips_ || !header_) return false;
  SendMessageA(tips_, TTM_SETMAXTIPWIDTH, 0, 360);
  TTTOOLINFOA info{};
  info.cbSize = TTTOOLINFOA_V1_SIZE;
  if (gridTip) {
    info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    info.hwnd = GetParent(listView);
    info.uId = reinterpret_cast<UINT_PTR>(listView);
    info.lpszText = const_cast<char*>(gridTip);
    SendMessageA(tips_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&info));
  }
  columns_ = static_cast<int>(columnTips.size());
  for (int column = 0; column < columns_; ++column) {
    info.uFlags = TTF_SUBCLASS;
    info.hwnd = header_;
    info.uId = static_cast<UINT_PTR>(column);
    info.lpszText = const_cast<char*>(columnTips[static_cast<size_t>(column)]);
    SendMessageA(header_, HDM_GETITEMRECT, column, reinterpret_cast<LPARAM>(&info.rect));
    SendMessageA(tips_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&info));
  }
  return true;
}

void GridHeaderTips::Place() {
  if (!tips_) return;
  for (int column = 0; column < columns_; ++column) {
    TTTOOLINFOA info{};
    info.cbSize = TTTOOLINFOA_V1_SIZE;
    info.hwnd = header_;
    info.uId = static_cast<UINT_PTR>(column);
    SendMessageA(header_, HDM_GETITEMRECT, column, reinterpret_cast<LPARAM>(&info.rect));
    SendMessageA(tips_, TTM_NEWTOOLRECTA, 0, reinterpret_cast<LPARAM>(&info));
  }
}

}  // namespace velmora
