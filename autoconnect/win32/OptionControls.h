#pragma once
// The AutoConnect window's option frames and fields as real controls, made
// from the declared table: created once, shown by mode, read and written as
// field values, each with its tool-tip.
#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

#include "airmail/MailSystems.h"
#include "autoconnect/OptionFields.h"
#include "common/win32/LayoutScale.h"

namespace velmora {

class OptionControls {
 public:
  OptionControls() = default;
  OptionControls(const OptionControls&) = delete;
  OptionControls& operator=(const OptionControls&) = delete;

  // Field i gets the id firstId + i.
  bool Create(HWND parent, int firstId, HFONT font);
  // Places the options area with its top-left corner here.
  void Move(int left, int top);
  // The options area's size in the mode.
  SIZE AreaSize(int mode) const;
  // The table's pixels at the screen's scaling, measured from the fields' font.
  const LayoutScale& Scale() const { return scale_; }

  FieldValues Read() const;
  // The fields bound to a setting; no change notification counts as the user's.
  void Write(const FieldValues& values);
  // The option button of field `index` on, the others of its group off.
  void OptionChoose(int index);
  // Exactly the frames of the mode, and their fields.
  void ShowMode(int mode);
  void EnableFields(bool enabled);
  void EnableField(std::string_view name, bool enabled);

  // The field's control; `which` picks among controls of one name (option buttons).
  HWND Control(std::string_view name, int which = 0) const;
  HWND Frame(OptionFrame frame) const;
  // The field index of a control id; -1 for none.
  int FieldOfId(int id) const;
  bool Writing() const { return writing_; }

  void ListFill(std::string_view name, const SelectionList& list);
  void ListSelect(std::string_view name, int index);
  void TextSet(std::string_view name, std::string_view text);
  std::string Text(std::string_view name) const;

 private:
  void Place();
  void AddToolTip(HWND control, const char* text);

  HWND parent_ = nullptr;
  HWND tips_ = nullptr;
  int firstId_ = 0;
  POINT origin_{};
  LayoutScale scale_;
  std::vector<HWND> fields_;  // in the order of OptionFields()
  std::vector<HWND> frames_;  // in the order of OptionFrames()
  bool writing_ = false;
};

// A window's text.
std::string WindowString(HWND window);

}  // namespace velmora
