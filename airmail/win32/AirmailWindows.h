#pragma once
// AirMail's main window and terminal on the desktop, and the desktop the
// automation works on.
#include <windows.h>

#include "airmail/AirmailDesktop.h"
#include "airmail/win32/Clipboard.h"
#include "common/SystemLib.h"

namespace velmora {

inline constexpr const char* kAirmailMainClass = "TMainForm";
inline constexpr const char* kAirmailTerminalClass = "TTerminalForm";
inline constexpr const char* kAirmailProgramFile = "Airmail3.exe";

HWND AirmailWindowGet();   // class "TMainForm", caption containing "AirMail"
HWND TerminalWindowGet();  // class "TTerminalForm", caption "Terminal"
// AirMail's main window in the middle of the screen, the terminal at its
// lower right; a missing window, or one that does not answer (AirMail
// hung), is left out.
void AirmailWindowArrange();

class Win32AirmailDesktop final : public AirmailDesktop {
 public:
  // The owner is the AutoConnect window: AirMail is started on its behalf.
  Win32AirmailDesktop(HWND owner, EventPump& pump, Clock& clock);
  Win32AirmailDesktop(const Win32AirmailDesktop&) = delete;
  Win32AirmailDesktop& operator=(const Win32AirmailDesktop&) = delete;

  bool AirmailWindowExists() override { return AirmailWindowGet() != nullptr; }
  bool TerminalWindowExists() override { return TerminalWindowGet() != nullptr; }
  bool AirmailWindowAnswers() override;
  std::uint64_t AirmailInstance() override;
  bool AirmailWindowForeground() override;
  bool TerminalWindowForeground() override;
  bool TerminalWindowInFront() override;
  void AirmailWindowArrange() override { velmora::AirmailWindowArrange(); }
  std::optional<ScreenRect> TerminalWindowRect() override;
  bool AirmailStart(const std::string& programFolder, std::string& errorText) override;

  bool KeysSend(std::string_view script) override;

  bool ClipboardClear() override;
  bool ClipboardTextSet(std::string_view text) override;
  bool ClipboardTextTaken() override;
  std::optional<std::string> ClipboardCopied() override;

  ScreenPoint CursorGet() override;
  void CursorSet(ScreenPoint point) override;
  ScreenRect ScreenArea() override;
  void MouseClickAbsolute(std::int32_t x, std::int32_t y) override;

  void EventsRun() override { pump_.RunPending(); }
  void WaitSeconds(double seconds) override { velmora::WaitSeconds(pump_, clock_, seconds); }

 private:
  HWND owner_;
  ClipboardOwner clipboard_;
  DWORD clearedSequence_ = 0;
  EventPump& pump_;
  Clock& clock_;
};

}  // namespace velmora
