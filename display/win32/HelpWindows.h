#pragma once
// The help windows: the overview text, the station and program block
// diagrams, and the About box. They hold no state and change no settings.
#include <windows.h>

#include <string>

#include "common/Messages.h"
#include "common/win32/MessagePump.h"
#include "common/win32/ToolWindow.h"

namespace velmora {

// What the program diagram's buttons open.
class HelpHost {
 public:
  virtual ~HelpHost() = default;
  virtual void ShowSoundInput() = 0;
  virtual void ShowMainWindow() = 0;
  virtual void ShowDetectorOptions() = 0;
  virtual bool AutoConnectAvailable() const = 0;
  virtual void ShowAutoConnect() = 0;
};

class OverviewWindow final : public ToolWindow {
 public:
  OverviewWindow(HWND owner, std::string file, Messenger& messages)
      : ToolWindow(owner, {"VelmoraOverview", "Velmora - Overview", 640, 480}), file_(std::move(file)),
        messages_(messages) {}
  std::string Text() const;
  // Shown with the line that reads the heading at the top (F1 in a window).
  void ShowAt(std::string_view heading);

 private:
  bool OnCreate() override;
  void OnShowing() override;
  void OnSize(int width, int height) override;
  std::string file_;
  Messenger& messages_;
  HWND text_ = nullptr;
  HFONT font_ = nullptr;
};

class DiagramMainWindow;

class DiagramWindow final : public ToolWindow {
 public:
  DiagramWindow(HWND owner, DiagramMainWindow& program)
      : ToolWindow(owner, {.className = "VelmoraDiagram", .caption = "Velmora - Block Diagram", .width = 660,
                           .height = 440, .grows = true}),
        program_(program) {}

 private:
  bool OnCreate() override;
  void OnPaint(HDC dc) override;
  bool OnCommand(int id, int) override;
  DiagramMainWindow& program_;
};

class DiagramMainWindow final : public ToolWindow {
 public:
  DiagramMainWindow(HWND owner, HelpHost& host, Messenger& messages)
      : ToolWindow(owner, {.className = "VelmoraDiagramMain", .caption = "Velmora - Block Diagram - Program",
                           .width = 660, .height = 400, .grows = true}),
        host_(host),
        messages_(messages) {}

 private:
  bool OnCreate() override;
  void OnPaint(HDC dc) override;
  bool OnCommand(int id, int) override;
  HelpHost& host_;
  Messenger& messages_;
};

// Closes with its OK button, Enter or Esc: the pump hands it the keys as a dialog's.
class AboutWindow final : public ToolWindow {
 public:
  AboutWindow(HWND owner, MessagePump& pump)
      : ToolWindow(owner, {.className = "VelmoraAbout", .caption = "About Velmora", .width = 460, .height = 300,
                           .grows = true}),
        pump_(pump) {}
  ~AboutWindow() override;

 private:
  bool OnCreate() override;
  void OnShown() override;
  void OnPaint(HDC dc) override;
  bool OnCommand(int id, int) override;
  MessagePump& pump_;
  HWND ok_ = nullptr;
  HFONT titleFont_ = nullptr;
};

}  // namespace velmora
