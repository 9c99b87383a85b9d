// Velmora's entry point: the single-instance question, then the main window
// and the AutoConnect window.
#include <windows.h>

#include "app/win32/MainWindow.h"
#include "autoconnect/win32/AutoConnectWindow.h"
#include "common/win32/MessagePump.h"
#include "common/win32/WindowFind.h"
#include "common/win32/Win32Messenger.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int showCommand) {
  using namespace velmora;
  if (MainWindow::OtherInstanceRunning()) {
    int answer = ShowMessageBox(nullptr, "You have started another session of Velmora.\r\rDo you wish to continue?",
                                kProgramTitle, MB_YESNO | MB_ICONINFORMATION);
    if (answer != IDYES) return 0;
  }
  MessagePump pump;
  AutoConnectWindow autoConnect(pump);
  autoConnect.ItsHfProgramsUse(ProgramFolder());
  MainWindow main(ProgramFolder(), pump, autoConnect);
  if (!main.Create()) {
    ShowMessageBox(nullptr, "Velmora - Cannot create the main window.", kProgramTitle, MB_OK | MB_ICONERROR);
    return 1;
  }
  main.RecallAtStartup();
  main.Show(showCommand);
  return pump.Run();
}
