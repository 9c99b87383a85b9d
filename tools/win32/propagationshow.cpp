// velmora-propagationshow: a propagation window for one station, predicted
// by the ITS HF programs of c:\itshfbc from an AirMail data folder, or its
// channel occupancy window from the occupancy record of a folder, shown
// until it is closed; for screenshots (tools/propagation-screenshot).
//   velmora-propagationshow hours|details DATA_FOLDER SYSTEM STATION [MODE [YYYY-MM-DD HH:MM]]
//   velmora-propagationshow occupancy DATA_FOLDER SYSTEM STATION RECORD_FOLDER
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "common/win32/Win32Messenger.h"
#include "common/win32/WindowFind.h"
#include "selection/win32/ItsHfPredictions.h"
#include "selection/win32/PropagationWindows.h"

namespace {

using namespace velmora;

// No AutoConnect window around: its status panel shows nothing.
struct NoWindow final : SelectionWindow {
  void WindowActivate() override {}
  void UpdateStatusStatus(std::string_view) override {}
  void NoiseSelectionStart() override {}
};

struct FixedClock final : UtcClock {
  UtcDateTime now;
  UtcDateTime Now() override { return now; }
};

}  // namespace

int main(int argc, char** argv) {
  if (argc < 5) {
    std::fprintf(stderr,
                 "usage: velmora-propagationshow hours|details DATA_FOLDER SYSTEM STATION [MODE [YYYY-MM-DD HH:MM]]\n"
                 "       velmora-propagationshow occupancy DATA_FOLDER SYSTEM STATION RECORD_FOLDER\n");
    return 2;
  }
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);
  const std::string which = argv[1];
  Win32Messenger messages;
  AirmailDataFolder data(argv[2], messages);
  AutoConnectSettings settings;
  settings.propagationModelModel = kModelVoacap;
  const bool occupancy = which == "occupancy";
  if (argc > 5 && !occupancy) settings.modeIndex = static_cast<std::int16_t>(std::atoi(argv[5]));
  FixedClock clock;
  clock.now = UtcNow();
  if (argc > 7)
    std::sscanf((std::string(argv[6]) + " " + argv[7]).c_str(), "%d-%d-%d %d:%d", &clock.now.year, &clock.now.month,
                &clock.now.day, &clock.now.hour, &clock.now.minute);
  NoWindow noWindow;
  ItsHfPredictions predictions(data, settings, noWindow, messages);
  ReasonColors colors;
  std::filesystem::path folder =
      occupancy && argc > 5 ? std::filesystem::path(argv[5]) : std::filesystem::path(ProgramFolder());
  PropagationWindows windows(nullptr, {predictions.Predictions(), predictions.Day(), predictions.Geometry(), data,
                                       folder, colors, settings, clock});
  HWND shown = nullptr;
  if (occupancy) {
    windows.ChannelOccupancyShow(argv[3], argv[4]);
    shown = windows.Occupancy()->Handle();
  } else if (which == "details") {
    windows.PropagationDetailsShow(argv[3], argv[4], clock.now);
    shown = windows.Details()->Handle();
  } else {
    windows.PropagationHoursShow(argv[3], argv[4], clock.now);
    shown = windows.Hours()->Handle();
  }
  // Until the window is closed (which hides it).
  while (shown && IsWindowVisible(shown)) {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_ALLINPUT);
  }
  return 0;
}
