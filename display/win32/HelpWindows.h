#pragma once
// The help windows: the overview text, the station and program block
// diagrams, and the About box. They hold no state and change no settings.
#include <windows.h>

#include <string>

#include "common/Messages.h"
#include "common/win32/MessagePump.h"

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

// A top-level window of its own class, created on first showing and kept.
class HelpWindow {
 public:
  HelpWindow(const HelpWindow&) = delete;
  HelpWindow& operator=(const HelpWindow&) = delete;
  virtual ~HelpWindow();
  void Show();
  void Close();
  HWND Handle() const { return hwnd_; }

 protected:
  HelpWindow(HWND owner, const char* className, const char* caption, int width, int height)
      : owner_(owner), className_(className), caption_(caption), width_(width), height_(height) {}
  virtual void OnCreate() {}
  // Each time the window comes up from hidden (or first made); then once it is in front.
  virtual void OnShowing() {}
  virtual void OnShown() {}
  virtual void OnPaint(HDC) {}
  virtual void OnSize(int, int) {}
  virtual bool OnCommand(int) { return false; }
  virtual void PlaceWindow();
  HWND owner_;
  HWND hwnd_ = nullptr;

 private:
  static LRESULT CALLBACK WndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  const char* className_;
  const char* caption_;
  int width_, height_;
};

class OverviewWindow final : public HelpWindow {
 public:
  OverviewWindow(HWND owner, std::string file, Messenger& messages)
      : HelpWindow(owner, "VelmoraOverview", "Velmora - Overview", 640, 480), file_(std::move(file)),
        messages_(messages) {}
  std::string Text() const;

 private:
  void OnCreate() override;
  void OnShowing() override;
  void OnSize(int width, int height) override;
  std::string file_;
  Messenger& messages_;
  HWND text_ = nullptr;
  HFONT font_ = nullptr;
};

class DiagramMainWindow;

class DiagramWindow final : public HelpWindow {
 public:
  DiagramWindow(HWND owner, DiagramMainWindow& program)
      : HelpWindow(owner, "VelmoraDiagram", "Velmora - Block Diagram", 660, 440), program_(program) {}

 private:
  void OnCreate() override;
  void OnPaint(HDC dc) override;
  bool OnCommand(int id) override;
  DiagramMainWindow& program_;
};

class DiagramMainWindow final : public HelpWindow {
 public:
  DiagramMainWindow(HWND owner, HelpHost& host, Messenger& messages)
      : HelpWindow(owner, "VelmoraDiagramMain", "Velmora - Block Diagram - Program", 660, 400), host_(host),
        messages_(messages) {}

 private:
  void OnCreate() override;
  void OnPaint(HDC dc) override;
  bool OnCommand(int id) override;
  HelpHost& host_;
  Messenger& messages_;
};

// Closes with its OK button, Enter or Esc: the pump hands it the keys as a dialog's.
class AboutWindow final : public HelpWindow {
 public:
  AboutWindow(HWND owner, MessagePump& pump)
      : HelpWindow(owner, "VelmoraAbout", "About Velmora", 460, 300), pump_(pump) {}
  ~AboutWindow() override;

 private:
  void OnCreate() override;
  void OnShown() override;
  void OnPaint(HDC dc) override;
  bool OnCommand(int id) override;
  MessagePump& pump_;
  HWND ok_ = nullptr;
  HFONT titleFont_ = nullptr;
};

}  // namespace velmora
