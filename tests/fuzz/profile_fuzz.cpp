// Settings files ("Velmora.Ini"): the profile parser, key look-ups, every
// setting of the main window and the AutoConnect window read from it, and a
// key written into it that must read back.
#include <cstdlib>

#include "airmail/AutoConnectSettings.h"
#include "app/WindowProfile.h"
#include "audio/MainSettings.h"
#include "common/ProfileFile.h"
#include "tests/fuzz/FuzzSupport.h"

using namespace velmora;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  auto profile = ProfileDocument::Parse(fuzz::Text(data, size));
  AutoConnectSettings autoConnect;
  ProfileRecall(profile, autoConnect);
  MainSettings main;
  ProfileRecall(profile, main);
  ProfileRecallWindow(profile);
  AutoConnectWasVisible(profile);
  for (const auto& entry : profile.Entries(kAutoConnectSection))
    if (entry.value) ProfileDocument::ValueAsRead(*entry.value);

  profile.Write(kAutoConnectSection, "Mode Index", "3");
  if (ProfileDocument::Parse(profile.Text()).Read(kAutoConnectSection, "Mode Index") != "3") std::abort();
  return 0;
}
