#pragma once
// The main window's toolbar: eight buttons known by their key strings.
#include <windows.h>

#include <string_view>

namespace velmora {

inline constexpr const char* kToolbarKeys[] = {"Menu",     "Start",    "Stop",    "Step",
                                               "Sound",    "Detector", "Settings", "Airmail"};
inline constexpr int kToolbarFirstId = 2001;

class Toolbar {
 public:
  bool Create(HWND parent);
  HWND Handle() const { return hwnd_; }
  int Height() const;
  void AutoSize();

  static int IdOf(std::string_view key);  // 0 for an unknown key
  static std::string_view KeyOf(int id);  // empty for an unknown id

  void SetPressed(std::string_view key, bool pressed);
  bool IsPressed(std::string_view key) const;
  void SetEnabled(std::string_view key, bool enabled);
  bool IsEnabled(std::string_view key) const;
  RECT ButtonRect(std::string_view key) const;  // in screen coordinates

 private:
  HWND hwnd_ = nullptr;
};

}  // namespace velmora
