// AirMail's "Airmail.ini": the ship's position and its age from the
// position report or the propagation settings, AirMail's version, the
// modem's centre tone, and the position line of the options dialog.
#include "airmail/AirmailProfile.h"
#include "airmail/CenterTone.h"
#include "propagation/Positions.h"
#include "reports/AutoConnectOptions.h"
#include "tests/fuzz/FuzzSupport.h"

using namespace velmora;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::ScratchFile("Airmail.ini", fuzz::Text(data, size));
  fuzz::QuietMessenger messages;
  AirmailDataFolder folder(fuzz::ScratchFolder().string(), messages);
  const UtcDateTime now{2024, 5, 14, 12, 0, 0, 0};

  LatLon position;
  LatLonGetCurrent(folder, position);
  LatLonCheckAge(folder, AutoConnectSettings{}, now);
  AirmailVersionText(folder);
  AirmailPositionText(folder, now);
  CenterToneFromAirmail(folder);
  return 0;
}
