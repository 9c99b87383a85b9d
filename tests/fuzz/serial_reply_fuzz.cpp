// The radio's replies on the serial line: bytes arriving in pieces of any
// size assembled into lines, and the S-meter digit read from each. A line
// longer than the cap is no reply: it gives no reading.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdlib>

#include "radio/RadioReplyLines.h"
#include "radio/RadioSentences.h"

using namespace velmora;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  // How long a byte is once made visible: "<" + its code + ">" below 32.
  auto visibleLength = [](unsigned char code) -> std::size_t { return code >= 32 ? 1 : code >= 10 ? 4 : 3; };
  RadioReplyLines lines;
  std::size_t lineLength = 0;  // the visible length of the line coming in
  while (input.remaining_bytes() > 0) {
    const auto piece = input.ConsumeRandomLengthString(2 * kRadioLineLimit);
    for (char c : piece) {
      lines.Receive(std::string_view(&c, 1));
      if (c != '\n') {
        lineLength += visibleLength(static_cast<unsigned char>(c));
        continue;
      }
      if (lineLength > kRadioLineLimit && !lines.LastReply().empty()) std::abort();
      if (lineLength <= kRadioLineLimit && !lines.LastReply().ends_with("<10>")) std::abort();
      lineLength = 0;
    }
    RadioSMeterFromReply(lines.LastReply());
    RadioSMeterFromReply(lines.Pending());
    // Nothing the radio sends may grow the buffer past its limit.
    if (lines.Pending().size() > kRadioLineLimit) std::abort();
  }
  return 0;
}
