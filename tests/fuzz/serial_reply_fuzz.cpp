// The radio's replies on the serial line: bytes arriving in pieces of any
// size assembled into lines, and the S-meter digit read from each.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdlib>

#include "radio/RadioReplyLines.h"
#include "radio/RadioSentences.h"

using namespace velmora;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  RadioReplyLines lines;
  while (input.remaining_bytes() > 0) {
    const auto piece = input.ConsumeRandomLengthString(2 * kRadioLineLimit);
    lines.Receive(piece);
    RadioSMeterFromReply(lines.LastReply());
    RadioSMeterFromReply(lines.Pending());
    // Nothing the radio sends may grow the buffer past its limit.
    if (lines.Pending().size() > kRadioLineLimit) std::abort();
  }
  return 0;
}
