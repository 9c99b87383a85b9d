// Times of the AutoConnect window on the AirMail fixture, run by hand under
// Wine: opening it from the main window until its table is built, a
// "Refresh" per mode, and what one buffer costs the window during a run
// (the engine's cell colour and blink, the blink timer's beat, the grid
// brought in line). Prints one line per figure.
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <fstream>

#include "app/win32/MainWindow.h"
#include "autoconnect/win32/AutoConnectWindow.h"
#include "selection/TableColumns.h"
#include "tests/common/TempFolder.h"
#include "tests/common/win32/TestWin32.h"

namespace {

using namespace velmora;
using Timer = std::chrono::steady_clock;

double Milliseconds(Timer::time_point since) {
  return std::chrono::duration<double, std::milli>(Timer::now() - since).count();
}

}  // namespace

int main() {
  testing::TempFolder folder, data;
  std::filesystem::copy(testing::HostPath(VELMORA_SOURCE_DIR "/tests/airmail/fixture/data"), data.path(),
                        std::filesystem::copy_options::recursive);
  std::ofstream(folder.path() / kSettingsFileName, std::ios::binary)
      << "[Airmail Data]\r\nAirmail Directory Data=" << data.path().string()
      << "\r\nAirmail Startup=False\r\nAirmail Lat/Lon Check=False\r\nAirmail Resize=False\r\n"
         "Mode Index=1\r\nConnect System Index=1\r\nScan Station System Index=1\r\nAuto Select Range Max=5000\r\n";
  MessagePump pump;
  AutoConnectWindow window(pump);
  MainWindow main(folder.path().string(), pump, window);
  if (!main.Create()) return 1;
  main.SetAutoStart(false);
  main.RecallAtStartup();
  main.Show(SW_SHOWNORMAL);

  auto start = Timer::now();
  main.Command(main.Tools().IdOf("Airmail"));
  testing::PumpUntil([&] { return window.Activated(); }, 30);
  std::printf("opened, table built: %.1f ms (%d rows)\n", Milliseconds(start), window.Table().DataRows());

  for (int mode : {1, 2, 6}) {
    window.ModeChoose(mode);
    constexpr int kTimes = 20;
    start = Timer::now();
    for (int i = 0; i < kTimes; ++i) window.Configure();
    std::printf("Refresh in mode %d: %.2f ms (%d rows)\n", mode, Milliseconds(start) / kTimes,
                window.Table().DataRows());
  }

  window.ModeChoose(1);
  FrequencyTable& table = window.Table();
  constexpr int kBuffers = 2000;
  start = Timer::now();
  for (int i = 0; i < kBuffers; ++i) {
    int row = 1 + i % table.DataRows();
    table.FrequencyCellColor(row, kColumnTxConnect, i % 2 ? 0x80FFFF : 0x80FF80);
    table.FrequencyCellBlink(row, kColumnTxConnect);
    table.BlinkTick();
    window.Update(Verdict{true, false, false, false});
    pump.RunPending();
  }
  std::printf("one buffer's work in the window: %.3f ms\n", Milliseconds(start) / kBuffers);
  main.Close();
  return 0;
}
