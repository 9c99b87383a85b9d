#include "selection/ReferenceFigures.h"

#include <cmath>

namespace velmora {

double ReferenceMean(double sum, int count) { return count > 0 ? sum / count : 0.0; }

std::optional<double> ReferenceAirmailSnr(double busySum, int busyCount, double quietSum, int quietCount) {
  if (busyCount <= 3 || quietCount < 1) return std::nullopt;
  double quiet = quietSum / quietCount;
  // Levels in decibels make a ratio only above 0 dB: a busy -30 against a
  // quiet -20 would give -3.
  if (quiet <= 0) return 0;
  double ratio = (busySum / busyCount - quiet) / quiet;
  return ratio > 0 && std::isfinite(ratio) ? 10 * std::log10(ratio) : 0.0;
}

}  // namespace velmora
