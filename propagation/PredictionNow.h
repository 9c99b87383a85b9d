#pragma once
// One station's prediction for one moment, as the frequency table shows it:
// the circuit's azimuths and length, the LUF and MUF, and per frequency the
// mode, take-off angle, signal, noise, SNR and the SNR's change over the hour.
#include <string>
#include <vector>

namespace velmora {

struct FrequencyPrediction {
  std::string mode;          // hops and layer, e.g. " 2F2" (the hour's mode text without its first character)
  double takeoffAngle = 0;   // degrees
  double delay = 0;          // ms
  double virtualHeight = 0;  // km
  double signal = 0;         // dBW
  double noise = 0;          // dBW
  double snr = 0;            // dB
  double snrSlope = 0;       // dB per hour: the next hour's SNR less this hour's

  bool operator==(const FrequencyPrediction&) const = default;
};

struct PredictionNow {
  double luf = 0;                // kHz, interpolated to the minute
  double muf = 0;                // kHz
  double transmitterAzimuth = 0;  // degrees, at the station (the transmitter) towards the ship
  double receiverAzimuth = 0;     // degrees, at the ship towards the station
  double pathLength = 0;          // as the program prints it
  std::vector<FrequencyPrediction> frequencies;  // in the order they were asked for

  bool operator==(const PredictionNow&) const = default;
};

}  // namespace velmora
