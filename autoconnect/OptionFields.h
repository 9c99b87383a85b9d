#pragma once
// The AutoConnect window's option frames and fields, declared once: each
// field's control name, kind, frame, caption or first text, tool-tip, the
// setting it feeds, what a change of it sets off, and where it sits in its
// frame. The window creates its controls from this table, and the settings
// pass between the record and the fields through it.
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "airmail/AutoConnectSettings.h"
#include "common/Messages.h"

namespace velmora {

enum class OptionFrame {
  None,  // the Mode list and "Refresh", above the frames
  Connect,
  AutoSelect,
  ReferenceStation,
  ReferenceData,
  NoConnectData,
  ScanStation,
};

struct Placement {
  int x = 0, y = 0, width = 0, height = 0;  // pixels at 96 dots per inch
};

struct FrameDefinition {
  OptionFrame frame;
  const char* name;
  const char* caption;
  unsigned modes;  // bit m set: shown in mode m
  Placement place;  // in the options area
};

enum class FieldKind {
  Check,
  Option,  // one option button of a group
  Text,
  List,    // a drop-down list: the setting is the chosen index
  Label,   // a live value or display the window writes
  Caption, // a fixed caption beside a field
  Button,
};

// Option buttons of one group: choosing one clears the others, wherever
// they stand in the table.
enum class OptionGroup {
  None,
  AutoSelectMethod,        // "Snr" or "Ref"
  ReferenceDataReference,  // "Rx Power" or "Rx Snr"
};

// What a change made by the user sets off.
enum class FieldEvent {
  None,             // nothing (labels), or handled by the window itself (lists, buttons)
  SettingsChanged,  // the settings are taken, and Start waits for "Refresh"
  SettingsOnly,     // the settings are taken, the table stays
  Configure,        // the settings are taken and the table is rebuilt
};

using SettingMember = std::variant<std::monostate, bool AutoConnectSettings::*, std::int32_t AutoConnectSettings::*,
                                   std::int16_t AutoConnectSettings::*, float AutoConnectSettings::*>;

struct FieldDefinition {
  const char* name;  // the control's name
  FieldKind kind;
  OptionFrame frame;
  const char* caption;  // caption, or the text the field starts with
  const char* toolTip;
  SettingMember setting;  // none for labels, buttons and window flags
  const char* key = "";   // the setting's name in messages
  FieldEvent event = FieldEvent::None;
  Placement place{};       // in its frame (the options area for OptionFrame::None)
  OptionGroup group = OptionGroup::None;  // option buttons only
  int optionValue = 1;     // an option button bound to an integer sets it to this
};

std::span<const FrameDefinition> OptionFrames();
std::span<const FieldDefinition> OptionFields();
// The field with this control name; nullptr when there is none.
const FieldDefinition* OptionField(std::string_view name);
const FrameDefinition& OptionFrameOf(OptionFrame frame);

bool FrameShown(OptionFrame frame, int mode);

// The items of the two Pactor filter lists and of the Mode list.
std::span<const char* const> PactorModeItems();
std::span<const char* const> ModeItems();

// What a field holds on the screen.
struct FieldValue {
  std::string text;      // text fields
  bool checked = false;  // check boxes and option buttons
  int index = -1;        // lists; -1 with nothing chosen

  bool operator==(const FieldValue&) const = default;
};

// One value per field of OptionFields(), in its order.
using FieldValues = std::vector<FieldValue>;

// The fields as the settings fill them: numbers in their shortest text,
// lists at the stored index, one option of a group on (the first whose
// setting is on). Fields without a setting stay empty.
FieldValues FieldsFromSettings(const AutoConnectSettings& settings);

// The settings from the fields. A text that is no number of the setting's
// kind keeps the setting as it was and says so; a list with nothing chosen
// keeps its index. The radio's port and address are taken only in mode 3,
// where their fields are shown (the radio link of that mode opens with them).
void SettingsFromFields(const FieldValues& fields, AutoConnectSettings& settings, Messenger& messenger);

}  // namespace velmora
