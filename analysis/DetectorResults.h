#pragma once
// What the detectors found on the buffer in hand. Detect clears the flags
// and texts at the start of every buffer; the values keep what the detector
// last computed (a detector that did not run leaves its value as it was).
#include <array>
#include <cstdint>
#include <string>

namespace velmora {

inline constexpr int kPactor3Variants = 6;

struct DetectorResults {
  // Power gate and burst detector share one value: the burst detector, when
  // it runs, overwrites the power level.
  float detectorValue = 0;
  bool powerDetected = false;
  std::string powerText;

  bool pactor2Detected = false;
  float pactor2Score = 0;
  float pactor2Offset = 0;
  std::string pactor2Text;
  std::int32_t pactor2Count = 0;

  bool pactor3Detected = false;
  float pactor3Score = 0;
  std::int32_t pactor3Variant = 1;  // the best variant of the last run, 1..6
  float pactor3Offset = 0;
  std::string pactor3Text;
  std::array<std::int32_t, kPactor3Variants + 1> pactor3Count{};  // index 1..6

  // The last band scored by a Pactor detector (for drawing).
  float bandLevel = 0;
  float templateMean = 0;

  bool burstDetected = false;
  std::string burstText;

  bool peakDetected = false;
  float peakValue = 0;
  std::string peakText;

  bool pulseDetected = false;
  float pulseRatio = 0;
  float pulseValue = 0;  // dB; kept on buffers where the pulse detector does not run
  std::string pulseText;

  bool digitalDetected = false;
  float digitalWidth = 0;  // Hz, the band the last buffer's signal occupied
  std::string digitalText;

  bool fadingDetected = false;  // a Pactor link is held on through the fades
  float fadingScore = 0;         // the best form's evidence
  std::string fadingText;

  bool cwDetected = false;
  float cwLevel = 0;
  float cwValue = 0;
  double cwFrequency = 0;
  std::string cwText;

  bool faxDetected = false;
  float faxLevel = 0;
  float faxSnr = 0;
  std::string faxText;

  bool wwvDetected = false;
  float wwvLevel = 0;
  float wwvValue = 0;
  double wwvFrequency = 0;
  std::string wwvText;
};

}  // namespace velmora
