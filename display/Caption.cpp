#include "display/Caption.h"

namespace velmora {

std::string MainCaption(bool recording, std::int16_t fftRange) {
  std::string caption = "Velmora";
  if (recording) caption += " - Recording";
  if (fftRange == 2) caption += " - Quarter";
  if (fftRange == 3) caption += " - Zoomed";
  return caption;
}

}  // namespace velmora
