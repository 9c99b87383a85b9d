#pragma once
// What every tool window shares: a top-level window of its own class,
// owned by a larger window (so it stays in front of it and goes with it),
// made when first asked for, hidden when the user closes it, kept until
// its object goes. A tool window keeps only what it shows and the
// commands it handles.
#include <windows.h>

#include "common/win32/LayoutScale.h"
#include "common/win32/WindowObject.h"

namespace velmora {

// Where a showing puts the window.
enum class ToolPlace {
  BesideOnce,     // right of the owner when the screen has room, the first time only
  OverCorner,     // below the owner's top left corner, every time
  CentredOnOwner  // over the owner's middle, every time
};

// How a showing treats a window the user has maximised.
enum class ToolShow {
  Normal,     // back to its normal size, in front
  KeepSize,   // only restored from minimised, in front
  NoForeground  // shown over its owner without taking the foreground
};

struct ToolWindowFrame {
  const char* className;
  const char* caption;
  int width, height;  // the whole window's, frame included
  DWORD style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
  DWORD exStyle = 0;
  ToolPlace place = ToolPlace::BesideOnce;
  ToolShow show = ToolShow::Normal;
  // Laid out in pixels for the dialog font at 96 dots per inch: the frame
  // grows with the font on a scaled screen, and the window places its
  // controls through Scale().
  bool grows = false;
};

// The outer size of a window whose inside must be `width` by `height`.
SIZE ToolFrameSize(int width, int height, DWORD style, DWORD exStyle);

class ToolWindow {
 public:
  ToolWindow(const ToolWindow&) = delete;
  ToolWindow& operator=(const ToolWindow&) = delete;
  virtual ~ToolWindow();

  // Makes the window when needed and brings it up; placed and shown as its frame says.
  void Show();
  void Hide();
  HWND Handle() const { return hwnd_; }
  // For an owner made after this object; counts for a window not made yet.
  void OwnerSet(HWND owner) { owner_ = owner; }

 protected:
  ToolWindow(HWND owner, const ToolWindowFrame& frame) : owner_(owner), frame_(frame) {}
  // Makes the window, hidden, unless it exists; false when it cannot.
  bool Make();
  // Destroys the window now: for a window whose controls' objects go
  // before this part of it does.
  void Destroy();

  // False: the window is not made.
  virtual bool OnCreate() { return true; }
  // Each time it comes up from hidden (or first made); then once it is shown.
  virtual void OnShowing() {}
  virtual void OnShown() {}
  virtual void OnPaint(HDC) {}
  virtual void OnSize(int, int) {}
  // True when the command is handled.
  virtual bool OnCommand(int, int) { return false; }
  virtual void OnTimer(UINT_PTR) {}
  // The caption's close button; closing hides it unless the window says otherwise.
  virtual void OnClose() { Hide(); }

  // The layout's pixels at the screen's scaling (as laid out unless the frame grows).
  const LayoutScale& Scale() const { return scale_; }

  HWND owner_;
  HWND hwnd_ = nullptr;

 private:
  friend LRESULT CALLBACK ObjectWindowProc<ToolWindow>(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void Place();

  ToolWindowFrame frame_;
  LayoutScale scale_;
  bool placed_ = false;
};

}  // namespace velmora
