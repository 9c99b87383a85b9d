#include "display/PlotPoint.h"

#include <algorithm>

namespace velmora {

void PlotPoint::Add(int index, int x, int y) {
  if (index == 1 || !started_) {
    sink_.MoveTo(x, y);
    columnX_ = x;
    columnMin_ = columnMax_ = y;
    started_ = true;
    return;
  }
  if (x == columnX_) {
    columnMin_ = std::min(columnMin_, y);
    columnMax_ = std::max(columnMax_, y);
    return;
  }
  if (columnMin_ != columnMax_) {
    sink_.LineTo(columnX_, columnMin_);
    sink_.LineTo(columnX_, columnMax_);
  } else {
    sink_.LineTo(x, y);
  }
  columnX_ = x;
  columnMin_ = columnMax_ = y;
}

void PlotPoint::Finish() {
  if (started_ && columnMin_ != columnMax_) {
    sink_.LineTo(columnX_, columnMin_);
    sink_.LineTo(columnX_, columnMax_);
  }
  started_ = false;
}

}  // namespace velmora
