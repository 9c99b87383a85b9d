#include "audio/win32/SoundControls.h"

#include <windows.h>

#include <string>

#include "common/win32/ProcessStart.h"

namespace velmora {
namespace {

DWORD MajorVersion() {
  // GetVersion reports the version the program was built for on newer
  // systems, which is what choosing between the two control panels needs.
  DWORD version = GetVersion();
  return LOBYTE(LOWORD(version));
}

bool RunCommand(const std::string& command) { return static_cast<bool>(ProcessStart(command)); }

}  // namespace

void ShowSoundInput(Messenger& messages) {
  bool ok = MajorVersion() < 5 ? RunCommand("sndvol32 /recording") : RunCommand("control.exe mmsys.cpl,,1");
  if (!ok) messages.Show("Problem Setting Input Sound Level");
}

void ShowSoundOutput(Messenger& messages) {
  bool ok = MajorVersion() < 5 ? RunCommand("sndvol32") : RunCommand("control.exe mmsys.cpl,,0");
  if (!ok) messages.Show("Problem Setting Output Sound Level");
}

}  // namespace velmora
