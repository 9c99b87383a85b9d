#pragma once
// The main window's per-connection Pactor counts as the terminal operations
// see them: emptied when a call is made, read when it has ended.
#include "airmail/AutomationSeams.h"
#include "analysis/DetectorValues.h"

namespace velmora {

class DetectorPactorCounts final : public PactorCounts {
 public:
  explicit DetectorPactorCounts(DetectorValues& values) : values_(values) {}
  void Clear() override { values_.PactorCountsReset(); }
  PactorCountValues Get() const override {
    PactorCountValues counts;
    counts.pactor2 = values_.Pactor2Count();
    for (int variant = 1; variant <= 6; ++variant) counts.pactor3[variant - 1] = values_.Pactor3Count(variant);
    return counts;
  }

 private:
  DetectorValues& values_;
};

}  // namespace velmora
