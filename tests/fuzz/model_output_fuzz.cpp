// "sound.out" of ICEPAC, VOACAP and REC533: the tables read from their
// fixed columns for the hours and frequencies of the run, and the output
// of a joint run cut into its blocks.
#include <fuzzer/FuzzedDataProvider.h>

#include <array>

#include "propagation/JointDeck.h"
#include "propagation/ModelOutput.h"

using namespace velmora;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  const int firstHour = input.ConsumeIntegralInRange(0, 23);
  const int hourCount = input.ConsumeIntegralInRange(1, 24);
  const size_t blocks = input.ConsumeIntegralInRange(1, 4);
  const std::string output = input.ConsumeRemainingBytesAsString();

  constexpr std::array<float, 10> kFrequencies = {3590, 7102, 10145, 14105, 18105, 21105, 24925, 28105, 5357, 1843};
  PropagationHours hours;
  std::string problem;
  hours.Reset(hourCount, kFrequencies.size());
  IcepacVoacapOutputRead(output, firstHour, hourCount, 0, kFrequencies.size(), hours, problem);
  hours.Reset(hourCount, kFrequencies.size());
  Rec533OutputRead(output, hourCount, 0, kFrequencies, hours, problem);
  JointOutputSplit(output, blocks);
  return 0;
}
