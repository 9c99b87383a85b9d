// Settings files ("Velmora.Ini"): the profile parser, key look-ups, every
// setting of the main window and the AutoConnect window read from it, and
// what was read saved into a settings file of its own: read back, it gives
// the same settings (a value the reader would refuse is not written, and
// the key keeps its last value).
#include <cstdlib>

#include "airmail/AutoConnectSettings.h"
#include "app/WindowProfile.h"
#include "audio/MainSettings.h"
#include "common/ProfileFile.h"
#include "common/ProfileWriter.h"
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

  const auto file = fuzz::ScratchFolder() / "Velmora.Ini";
  std::filesystem::remove(file);
  ProfileWriter writer(file);
  ProfileSave(writer, main);
  ProfileSave(writer, autoConnect);
  std::error_code error;
  if (!writer.Commit(error)) std::abort();
  auto saved = ProfileDocument::Load(file);
  AutoConnectSettings autoConnectAgain = autoConnect;
  ProfileRecall(saved, autoConnectAgain);
  MainSettings mainAgain = main;
  ProfileRecall(saved, mainAgain);
  if (!(autoConnectAgain == autoConnect) || !(mainAgain == main)) std::abort();
  return 0;
}
