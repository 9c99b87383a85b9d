#pragma once
// Told when a run ends, with the end text ("Done" or "Stopped") and
// whether the run got as far as listening on a frequency.
#include <string_view>

namespace velmora {

class RunObserver {
 public:
  virtual ~RunObserver() = default;
  virtual void RunEnded(std::string_view endText, bool began) = 0;
};

}  // namespace velmora
