#pragma once
// "Velmora.exe /connect" on the desktop: the session's ticks from a timer,
// the AutoConnect window opened and started as a user would, and the main
// window closed (which saves the settings) when the run is over.
#include <windows.h>

#include "app/win32/MainWindow.h"
#include "autoconnect/LoggingMessenger.h"
#include "autoconnect/UnattendedSession.h"
#include "autoconnect/win32/AutoConnectWindow.h"
#include "common/SystemLib.h"

namespace velmora {

class UnattendedConnect final : private UnattendedHost {
 public:
  // Before the settings are recalled: the run's first lines are logged.
  UnattendedConnect(MainWindow& main, AutoConnectWindow& autoConnect, LoggingMessenger& messages);
  UnattendedConnect(const UnattendedConnect&) = delete;
  UnattendedConnect& operator=(const UnattendedConnect&) = delete;
  ~UnattendedConnect() override;

  // Before the main window's first showing: opens the AutoConnect window,
  // whose first activation builds the table; the run starts at a later tick.
  void Begin();
  // The program's exit code, once its message loop has ended.
  int Finish() { return session_.Finish(); }

 private:
  static LRESULT CALLBACK WndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

  bool Ready() override { return autoConnect_.Ready(); }
  int Mode() override { return autoConnect_.Settings().modeIndex; }
  bool Start() override { return autoConnect_.Start(); }
  void Stop() override { autoConnect_.Stop(); }
  std::uint64_t SoundBuffers() override { return autoConnect_.SoundBuffers(); }
  bool MessageShowing() override { return messages_.Showing(); }
  void ProgramEnd() override;
  // Windows ends the session: the run's end noted as the program's end would.
  void SessionEnding();
  // The AutoConnect window hidden again when the run alone opened it.
  void WindowLeaveAsFound();
  bool MeasurementsUnsaved() override { return autoConnect_.ReferenceUnsaved(); }
  std::optional<std::string> MeasurementsSave() override {
    auto file = autoConnect_.ReferenceSave();
    return file ? std::optional<std::string>(file->string()) : std::nullopt;
  }
  int MeasurementsMissed() override { return autoConnect_.ReferenceRowsMissed(); }
  bool WritesLost() override {
    return messages_.Failed() || autoConnect_.WritesLost() || main_.SettingsUnsaved();
  }
  std::optional<std::string> SettingsUnread() override {
    return main_.ProfileSaveAllowed() ? std::nullopt : std::optional<std::string>(PathText(main_.ProfileFile()));
  }

  MainWindow& main_;
  AutoConnectWindow& autoConnect_;
  LoggingMessenger& messages_;
  UnattendedSession session_;
  // The AutoConnect window is opened for the run only: it is left as the
  // user left it, so the next usual start shows it or not as before.
  bool wasVisible_ = false;
  HWND ticker_ = nullptr;
};

}  // namespace velmora
