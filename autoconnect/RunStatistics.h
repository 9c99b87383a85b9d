#pragma once
// What a run counts for its log record: buffers by how they were judged,
// calls, stations and frequencies tried, and the SNR measured while
// connected.
#include <cstdint>
#include <string>

namespace velmora {

struct SnrStatistics {
  std::int32_t count = 0;
  float sum = 0;
  float sumOfSquares = 0;
  float minimum = 99;
  float maximum = -99;

  // A measured SNR in dB; 3 dB or less is no measurement.
  void Add(float snr);
};

struct RunStatistics {
  std::int32_t signalBuffers = 0;  // busy by a Pactor signal
  std::int32_t noiseBuffers = 0;
  std::int32_t notBusyBuffers = 0;
  std::int32_t connectingBuffers = 0;
  std::int32_t connectedBuffers = 0;
  std::int32_t stations = 0;
  std::int32_t frequencies = 0;
  std::int32_t attempts = 0;
  std::string station;  // the station connected to
  float snrModel = 0;   // its predicted SNR
  SnrStatistics snr;
};

}  // namespace velmora
