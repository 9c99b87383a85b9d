#pragma once
// The detector settings that steer where the detectors look, within the
// bounds the Options dialog accepts. Outside them a search would leave the
// spectrum or take unbounded time and memory, so a settings file may not
// set such values either.
#include "analysis/Bins.h"
#include "common/SampleFormat.h"
#include "analysis/DetectorSettings.h"

namespace velmora {

inline constexpr float kNyquistHz = static_cast<float>(kNyquist);  // 5512.5
// The Pactor 2 band reaches 250 Hz either side of the centre.
inline constexpr float kCenterFrequencyLowest = 250;
inline constexpr float kCenterFrequencyHighest = kNyquistHz - 250;
// The CW search, frequency ± range, stays within 0 Hz and the Nyquist frequency.
inline constexpr float kCwRangeLowest = 1;
// The offset search slides the fixed 400 Hz Pactor 3 band edge: no more than 400 Hz.
inline constexpr float kOffsetFrequencyHighest = 400;

// Each value of `recalled` that the dialog would refuse takes the value it
// had `before` (a CW frequency and range that only together leave the
// spectrum, both).
void KeepAcceptedDetectorValues(const DetectorSettings& before, DetectorSettings& recalled);

}  // namespace velmora
