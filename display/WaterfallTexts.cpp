#include "display/WaterfallTexts.h"

#include "common/Format.h"
#include "common/SampleFormat.h"

namespace velmora {

std::string_view VerdictName(VerdictKind kind) {
  switch (kind) {
    case VerdictKind::Busy:
      return "Busy";
    case VerdictKind::Noise:
      return "Noise";
    case VerdictKind::Free:
      return "Free";
    case VerdictKind::NoInput:
    default:
      return "No Input";
  }
}

double SecondsPerRow(const WaterfallHistory& history) {
  return 2.0 * history.Bins() / kSampleRate;
}

std::string WaterfallReadout(const SpectrumView& view, const WaterfallHistory& history, int x, int y) {
  std::string text = FormatNumber(view.FrequencyAt(x), "0") + " (Hz)";
  if (y < 0 || static_cast<std::size_t>(y) >= history.Count()) return text;
  return text + ",  " + FormatNumber(y * SecondsPerRow(history), "0.0") + " (Sec) ago,  " +
         std::string(VerdictName(history.Kind(static_cast<std::size_t>(y))));
}

std::string WaterfallTip(bool colour) {
  const char* levels = colour ? "brighter is stronger" : "darker is stronger";
  const char* strip = colour ? "red busy, amber noise, green free, grey no input"
                             : "black busy, grey noise, white free, light grey no input";
  return std::string("Waterfall: the spectrum of each buffer, newest on top; ") + levels +
         ".\r\nStrip at the right, the verdict of each buffer: " + strip + ".";
}

}  // namespace velmora
