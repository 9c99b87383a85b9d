#pragma once
// Reading the text output ("sound.out") of the ITS HF programs: tables are
// found by a search text, values taken from fixed columns. Output that ends
// before a table is found is a failure, never a table of zeros.
#include <span>
#include <string>
#include <string_view>

#include "propagation/PropagationHours.h"

namespace velmora {

// ICEPAC and VOACAP (method 26 then method 20). The results are written
// into frequency columns [firstColumn, firstColumn + frequencyCount) of
// 'results', which must already have room for them; false with the reason
// in 'problem' when the output is incomplete.
bool IcepacVoacapOutputRead(std::string_view output, int firstHour, int hourCount, size_t firstColumn,
                            size_t frequencyCount, PropagationHours& results, std::string& problem);

// REC533; 'frequencies' (kHz) are those of the run, for the signal level.
bool Rec533OutputRead(std::string_view output, int hourCount, size_t firstColumn, std::span<const float> frequencies,
                      PropagationHours& results, std::string& problem);

}  // namespace velmora
