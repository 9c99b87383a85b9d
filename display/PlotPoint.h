#pragma once
// Drawing a trace of many more points than pixel columns: the points of one
// column become one vertical stroke over their extent.
#include <vector>

namespace velmora {

class LineSink {
 public:
  virtual ~LineSink() = default;
  virtual void MoveTo(int x, int y) = 0;
  virtual void LineTo(int x, int y) = 0;
};

class PlotPoint {
 public:
  explicit PlotPoint(LineSink& sink) : sink_(sink) {}
  // Point index counts from 1: the first point starts the trace.
  void Add(int index, int x, int y);
  void Finish();  // draws the last column

 private:
  LineSink& sink_;
  int columnX_ = 0, columnMin_ = 0, columnMax_ = 0;
  bool started_ = false;
};

}  // namespace velmora
