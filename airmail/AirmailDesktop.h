#pragma once
// AirMail's windows as the automation meets them: found by class and
// caption, brought to the front, typed into, copied from and pasted into
// through the clipboard, clicked into. The Win32 layer implements it.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace velmora {

struct ScreenRect {
  std::int32_t left = 0, top = 0, width = 0, height = 0;
};
struct ScreenPoint {
  std::int32_t x = 0, y = 0;
};

class AirmailDesktop {
 public:
  virtual ~AirmailDesktop() = default;

  virtual bool AirmailWindowExists() = 0;
  virtual bool TerminalWindowExists() = 0;
  // AirMail's main window handles messages within a moment; a hung AirMail's
  // does not (true when the window is missing).
  virtual bool AirmailWindowAnswers() = 0;
  // Which running AirMail owns the main window (its process), 0 when none:
  // one started again has another.
  virtual std::uint64_t AirmailInstance() = 0;
  virtual bool AirmailWindowForeground() = 0;  // SetForegroundWindow succeeded
  virtual bool TerminalWindowForeground() = 0;
  // The terminal is the window keys now go to: it may have closed, or a
  // box or a click may have put another window in front since it was.
  virtual bool TerminalWindowInFront() = 0;
  virtual void AirmailWindowArrange() = 0;
  virtual std::optional<ScreenRect> TerminalWindowRect() = 0;
  // Starts "Airmail3.exe" of the program folder with a normal window; when
  // it cannot, the system's text of the reason.
  virtual bool AirmailStart(const std::string& programFolder, std::string& errorText) = 0;

  // Types a keystroke script into the window with the focus, then lets
  // window events run for 0.05 seconds. False when not every key went out.
  virtual bool KeysSend(std::string_view script) = 0;

  // Each false when the clipboard refused.
  virtual bool ClipboardClear() = 0;
  virtual bool ClipboardTextSet(std::string_view text) = 0;
  // Waits until a paste has read the text set; false when none did in time.
  virtual bool ClipboardTextTaken() = 0;
  // The text a copy put on the clipboard since it was cleared, waiting a
  // moment for a busy program; empty when nothing was copied, nullopt when
  // the clipboard could not be read.
  virtual std::optional<std::string> ClipboardCopied() = 0;

  virtual ScreenPoint CursorGet() = 0;
  virtual void CursorSet(ScreenPoint point) = 0;
  // The desktop over all the screens, in pixels; the 0 to 65535 range of
  // absolute mouse moves spans it.
  virtual ScreenRect ScreenArea() = 0;
  // A left click at a point in the 0 to 65535 range of absolute mouse moves.
  virtual void MouseClickAbsolute(std::int32_t x, std::int32_t y) = 0;

  virtual void EventsRun() = 0;                // pending window events
  virtual void WaitSeconds(double seconds) = 0;  // while window events run
};

}  // namespace velmora
