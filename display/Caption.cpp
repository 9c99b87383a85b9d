#include "display/Caption.h"

#include "display/DisplayViews.h"

namespace velmora {

std::string MainCaption(bool recording, std::int16_t fftRange) {
  std::string caption = "Velmora";
  if (recording) caption += " - Recording";
  return caption + RangeSuffix(fftRange);
}

}  // namespace velmora
