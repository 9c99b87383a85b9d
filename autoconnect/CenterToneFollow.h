#pragma once
// The automatic centre frequency kept up with AirMail: the decoder's centre
// tone read afresh where AirMail is found and at the start of each run,
// not only when "Auto" is clicked in the Options dialog.
#include <string>

#include "analysis/DetectorValues.h"

namespace velmora {

// While "Center Frequency Auto" is on, AirMail's centre tone becomes the
// "Center Frequency Auto Frequency". A tone that cannot be read leaves the
// value kept and is not told: the click on "Auto" tells it.
void CenterToneFollow(DetectorValues& values, const std::string& airmailDataFolder);

}  // namespace velmora
