#pragma once
// What one run of a prediction program gives for a circuit: per hour the
// MUF and LUF, and per hour and frequency the mode, angles and levels.
#include <string>
#include <vector>

namespace velmora {

struct FrequencyHour {
  std::string mode;          // the program's 5-character field, e.g. "  2F2"
  double takeoffAngle = 0;   // degrees
  double delay = 0;          // ms (not from REC533)
  double virtualHeight = 0;  // km (not from REC533)
  double signal = 0;         // dBW
  double noise = 0;          // dBW
  double snr = 0;            // dB at the required reliability

  bool operator==(const FrequencyHour&) const = default;
};

struct HourPrediction {
  double muf = 0;  // kHz
  double luf = 0;  // kHz
  std::vector<FrequencyHour> frequencies;

  bool operator==(const HourPrediction&) const = default;
};

struct PropagationHours {
  double transmitterAzimuth = 0;      // degrees
  double receiverAzimuth = 0;         // degrees
  double pathLength = 0;              // as the program prints it
  std::vector<HourPrediction> hours;  // the run's first hour first

  // Room for the hours and frequencies, every value zero.
  void Reset(int hourCount, size_t frequencyCount);

  bool operator==(const PropagationHours&) const = default;
};

}  // namespace velmora
