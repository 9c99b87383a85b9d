#pragma once
// A window's toolbar of text buttons known by their key strings. Each
// window declares its buttons in order; commands count up from a first id.
#include <windows.h>

#include <functional>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace velmora {

enum class ToolbarButtonKind {
  Push,
  Check,       // stays pressed until pressed again
  CheckGroup,  // pressed alone among its neighbours of this kind
  DropDown,    // drops a menu down
  Spacer,      // a gap, no button
};

struct ToolbarButton {
  const char* key;
  ToolbarButtonKind kind = ToolbarButtonKind::Push;
};

class Toolbar {
 public:
  bool Create(HWND parent, std::span<const ToolbarButton> buttons, int firstId);
  HWND Handle() const { return hwnd_; }
  int Height() const;
  void AutoSize();

  int IdOf(std::string_view key) const;  // 0 for an unknown key
  std::string_view KeyOf(int id) const;  // empty for an unknown id
  // A WM_NOTIFY that tells a button's arrow was pressed: the button's key
  // handed to dropped (which drops its menu), and the answer the toolbar
  // expects; nullopt for any other notification.
  std::optional<LRESULT> DropDown(LPARAM notification, const std::function<void(std::string_view key)>& dropped) const;

  void SetPressed(std::string_view key, bool pressed);
  bool IsPressed(std::string_view key) const;
  void SetEnabled(std::string_view key, bool enabled);
  bool IsEnabled(std::string_view key) const;
  RECT ButtonRect(std::string_view key) const;  // in screen coordinates

 private:
  // The key of the button whose arrow was pressed; empty for any other notification.
  std::string_view DropDownKey(LPARAM notification) const;

  HWND hwnd_ = nullptr;
  std::vector<ToolbarButton> buttons_;
  int firstId_ = 0;
};

}  // namespace velmora
