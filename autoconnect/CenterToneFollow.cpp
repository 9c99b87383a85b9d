#include "autoconnect/CenterToneFollow.h"

#include "airmail/CenterTone.h"

namespace velmora {

void CenterToneFollow(DetectorValues& values, const std::string& airmailDataFolder) {
  // No folder yet: "Airmail.ini" would be looked for wherever the program runs.
  if (!values.CenterFrequencyAuto() || airmailDataFolder.empty()) return;
  RecordingMessenger unheard;
  if (auto tone = CenterToneFromAirmail(AirmailDataFolder(airmailDataFolder, unheard)))
    values.SetCenterFrequencyAutoFrequency(*tone);
}

}  // namespace velmora
