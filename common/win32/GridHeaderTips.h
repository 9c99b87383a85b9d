#pragma once
// Tool-tips over a list view: one over each column's header, and one over
// the rest of the grid.
#include <windows.h>

#include <span>

namespace velmora {

class GridHeaderTips {
 public:
  GridHeaderTips() = default;
  GridHeaderTips(const GridHeaderTips&) = delete;
  GridHeaderTips& operator=(const GridHeaderTips&) = delete;
  ~GridHeaderTips();

  // `gridTip` may be null (no tip over the rows); a column without a tip
  // in `columnTips` has none.
  bool Attach(HWND listView, const char* gridTip, std::span<const char* const> columnTips);
  // After the columns were resized: each tip over its header again.
  void Place();
  HWND Handle() const { return tips_; }
  // The header the column tips lie over.
  HWND Header() const { return header_; }

 private:
  HWND tips_ = nullptr;
  HWND header_ = nullptr;
  int columns_ = 0;
};

}  // namespace velmora
