#pragma once
// The one place window messages are taken from the queue: the main loop and
// every wait that lets window events run go through here, so modeless
// dialogs get their keyboard navigation everywhere.
#include <windows.h>

#include <vector>

#include "common/SystemLib.h"

namespace velmora {

class MessagePump final : public EventPump {
 public:
  void RunPending() override;
  void Idle(std::chrono::milliseconds longest) override;
  // The main message loop; returns the exit code of WM_QUIT.
  int Run();
  bool QuitRequested() const override { return quit_; }

  void AddModeless(HWND dialog);
  void RemoveModeless(HWND dialog);

 private:
  void Dispatch(MSG& msg);
  std::vector<HWND> modeless_;
  bool quit_ = false;
  int exitCode_ = 0;
};

}  // namespace velmora
