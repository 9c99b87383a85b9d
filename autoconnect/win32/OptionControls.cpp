#include "autoconnect/win32/OptionControls.h"
#include "common/win32/WindowText.h"

#include <commctrl.h>

#include <algorithm>

namespace velmora {
namespace {

// Drop-down lists open this much below their closed height.
constexpr int kListDropHeight = 200;

DWORD StyleOf(FieldKind kind) {
  constexpr DWORD child = WS_CHILD | WS_VISIBLE;
  switch (kind) {
    case FieldKind::Check: return child | WS_TABSTOP | BS_AUTOCHECKBOX;
    // Checked by OptionChoose: the groups are declared, not given by the order of creation.
    case FieldKind::Option: return child | WS_TABSTOP | BS_RADIOBUTTON;
    case FieldKind::Text: return child | WS_TABSTOP | ES_AUTOHSCROLL | ES_RIGHT;
    case FieldKind::List: return child | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST;
    case FieldKind::Label: return child | SS_NOTIFY | SS_LEFT;
    case FieldKind::Caption: return child | SS_LEFT;
    case FieldKind::Button: return child | WS_TABSTOP | BS_PUSHBUTTON;
  }
  return child;
}

const char* ClassOf(FieldKind kind) {
  switch (kind) {
    case FieldKind::Text: return "EDIT";
    case FieldKind::List: return "COMBOBOX";
    case FieldKind::Label:
    case FieldKind::Caption: return "STATIC";
    default: return "BUTTON";
  }
}

size_t FrameIndex(OptionFrame frame) {
  auto frames = OptionFrames();
  for (size_t i = 0; i < frames.size(); ++i)
    if (frames[i].frame == frame) return i;
  return frames.size();
}

}  // namespace


bool OptionControls::Create(HWND parent, int firstId, HFONT font) {
  parent_ = parent;
  firstId_ = firstId;
  scale_ = LayoutScale(font);
  HINSTANCE instance = GetModuleHandleA(nullptr);
  tips_ = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT,
                          CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, parent, nullptr, instance, nullptr);
  SendMessageA(tips_, TTM_SETMAXTIPWIDTH, 0, 360);
  // The frames first: the fields lie over them.
  for (const auto& frame : OptionFrames()) {
    HWND w = CreateWindowExA(0, "BUTTON", frame.caption, WS_CHILD | WS_VISIBLE | BS_GROUPBOX, 0, 0, 0, 0, parent,
                             nullptr, instance, nullptr);
    if (!w) return false;
    SendMessageA(w, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    frames_.push_back(w);
  }
  auto fields = OptionFields();
  for (size_t i = 0; i < fields.size(); ++i) {
    const FieldDefinition& field = fields[i];
    DWORD style = StyleOf(field.kind);
    DWORD exStyle = field.kind == FieldKind::Text ? WS_EX_CLIENTEDGE : 0;
    HWND w = CreateWindowExA(exStyle, ClassOf(field.kind), field.caption, style, 0, 0, 0, 0, parent,
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(firstId + static_cast<int>(i))), instance,
                             nullptr);
    if (!w) return false;
    SendMessageA(w, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    if (*field.toolTip) AddToolTip(w, field.toolTip);
    fields_.push_back(w);
  }
  for (const char* item : ModeItems())
    SendMessageA(Control("cmbMode"), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
  for (const char* name : {"cmbAutoSelectPactorMode", "cmbScanPactorMode"})
    for (const char* item : PactorModeItems())
      SendMessageA(Control(name), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
  Place();
  return true;
}

void OptionControls::AddToolTip(HWND control, const char* text) {
  TTTOOLINFOA info{};
  info.cbSize = TTTOOLINFOA_V1_SIZE;
  info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  info.hwnd = parent_;
  info.uId = reinterpret_cast<UINT_PTR>(control);
  info.lpszText = const_cast<char*>(text);
  SendMessageA(tips_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&info));
}

void OptionControls::Move(int left, int top) {
  if (origin_.x == left && origin_.y == top) return;
  origin_ = {left, top};
  Place();
}

void OptionControls::Place() {
  auto frames = OptionFrames();
  for (size_t i = 0; i < frames_.size(); ++i) {
    const Placement& p = frames[i].place;
    MoveWindow(frames_[i], origin_.x + scale_.X(p.x), origin_.y + scale_.Y(p.y), scale_.X(p.width), scale_.Y(p.height),
               TRUE);
  }
  auto fields = OptionFields();
  for (size_t i = 0; i < fields_.size(); ++i) {
    const FieldDefinition& field = fields[i];
    Placement at{};
    if (field.frame != OptionFrame::None) at = OptionFrameOf(field.frame).place;
    int height = field.place.height + (field.kind == FieldKind::List ? kListDropHeight : 0);
    MoveWindow(fields_[i], origin_.x + scale_.X(at.x + field.place.x), origin_.y + scale_.Y(at.y + field.place.y),
               scale_.X(field.place.width), scale_.Y(height), TRUE);
  }
}

SIZE OptionControls::AreaSize(int mode) const {
  SIZE size{0, 0};
  for (const auto& field : OptionFields())
    if (field.frame == OptionFrame::None) {
      size.cx = std::max<LONG>(size.cx, field.place.x + field.place.width);
      size.cy = std::max<LONG>(size.cy, field.place.y + field.place.height);
    }
  for (const auto& frame : OptionFrames())
    if (FrameShown(frame.frame, mode)) {
      size.cx = std::max<LONG>(size.cx, frame.place.x + frame.place.width);
      size.cy = std::max<LONG>(size.cy, frame.place.y + frame.place.height);
    }
  return {scale_.X(size.cx), scale_.Y(size.cy)};
}

FieldValues OptionControls::Read() const {
  FieldValues values;
  auto fields = OptionFields();
  for (size_t i = 0; i < fields_.size(); ++i) {
    FieldValue value;
    switch (fields[i].kind) {
      case FieldKind::Check:
      case FieldKind::Option:
        value.checked = SendMessageA(fields_[i], BM_GETCHECK, 0, 0) == BST_CHECKED;
        break;
      case FieldKind::List:
        value.index = static_cast<int>(SendMessageA(fields_[i], CB_GETCURSEL, 0, 0));
        break;
      default:
        value.text = WindowString(fields_[i]);
        break;
    }
    values.push_back(std::move(value));
  }
  return values;
}

void OptionControls::Write(const FieldValues& values) {
  writing_ = true;
  auto fields = OptionFields();
  for (size_t i = 0; i < fields_.size() && i < values.size(); ++i) {
    const FieldDefinition& field = fields[i];
    if (std::holds_alternative<std::monostate>(field.setting)) continue;
    switch (field.kind) {
      case FieldKind::Check:
      case FieldKind::Option:
        SendMessageA(fields_[i], BM_SETCHECK, values[i].checked ? BST_CHECKED : BST_UNCHECKED, 0);
        break;
      case FieldKind::List:
        // A list filled later (the systems and stations) takes its index then.
        if (SendMessageA(fields_[i], CB_GETCOUNT, 0, 0) > values[i].index)
          SendMessageA(fields_[i], CB_SETCURSEL, values[i].index, 0);
        break;
      case FieldKind::Text:
        if (WindowString(fields_[i]) != values[i].text) SetWindowTextA(fields_[i], values[i].text.c_str());
        break;
      default:
        break;
    }
  }
  writing_ = false;
}

void OptionControls::OptionChoose(int index) {
  auto fields = OptionFields();
  if (index < 0 || static_cast<size_t>(index) >= fields_.size()) return;
  OptionGroup group = fields[static_cast<size_t>(index)].group;
  if (group == OptionGroup::None) return;
  for (size_t i = 0; i < fields_.size(); ++i)
    if (fields[i].group == group)
      SendMessageA(fields_[i], BM_SETCHECK, static_cast<int>(i) == index ? BST_CHECKED : BST_UNCHECKED, 0);
}

void OptionControls::ShowMode(int mode) {
  auto frames = OptionFrames();
  for (size_t i = 0; i < frames_.size(); ++i)
    ShowWindow(frames_[i], FrameShown(frames[i].frame, mode) ? SW_SHOWNA : SW_HIDE);
  auto fields = OptionFields();
  for (size_t i = 0; i < fields_.size(); ++i)
    ShowWindow(fields_[i], FrameShown(fields[i].frame, mode) ? SW_SHOWNA : SW_HIDE);
}

void OptionControls::EnableFields(bool enabled) {
  auto fields = OptionFields();
  for (size_t i = 0; i < fields_.size(); ++i) {
    FieldKind kind = fields[i].kind;
    if (fields[i].frame == OptionFrame::None || kind == FieldKind::Label || kind == FieldKind::Caption) continue;
    EnableWindow(fields_[i], enabled ? TRUE : FALSE);
  }
}

void OptionControls::EnableField(std::string_view name, bool enabled) {
  for (int which = 0; HWND w = Control(name, which); ++which) EnableWindow(w, enabled ? TRUE : FALSE);
}

HWND OptionControls::Control(std::string_view name, int which) const {
  auto fields = OptionFields();
  for (size_t i = 0; i < fields_.size(); ++i)
    if (name == fields[i].name && which-- == 0) return fields_[i];
  return nullptr;
}

HWND OptionControls::Frame(OptionFrame frame) const {
  size_t i = FrameIndex(frame);
  return i < frames_.size() ? frames_[i] : nullptr;
}

int OptionControls::FieldOfId(int id) const {
  int index = id - firstId_;
  return index >= 0 && index < static_cast<int>(fields_.size()) ? index : -1;
}

void OptionControls::ListFill(std::string_view name, const SelectionList& list) {
  HWND w = Control(name);
  if (!w) return;
  writing_ = true;
  SendMessageA(w, CB_RESETCONTENT, 0, 0);
  for (const auto& entry : list.entries) SendMessageA(w, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
  SendMessageA(w, CB_SETCURSEL, list.selected, 0);
  writing_ = false;
}

void OptionControls::ListSelect(std::string_view name, int index) {
  if (HWND w = Control(name)) SendMessageA(w, CB_SETCURSEL, index, 0);
}

void OptionControls::TextSet(std::string_view name, std::string_view text) {
  HWND w = Control(name);
  if (!w || WindowString(w) == text) return;
  writing_ = true;
  SetWindowTextA(w, std::string(text).c_str());
  writing_ = false;
}

std::string OptionControls::Text(std::string_view name) const {
  HWND w = Control(name);
  return w ? WindowString(w) : std::string();
}

}  // namespace velmora
