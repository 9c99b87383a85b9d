#pragma once
// The AutoConnect options dialog's settings as values: one table binds each
// control to its setting, so filling the pages and applying them are the
// same loop. Apply converts every value first and stores them only when all
// convert, so a bad box leaves the settings as they were.
#include <map>
#include <span>
#include <string>
#include <string_view>
#include <variant>

#include "airmail/AirmailProfile.h"
#include "airmail/AutoConnectSettings.h"
#include "common/SystemLib.h"
#include "common/Messages.h"
#include "propagation/DateTimeText.h"

namespace velmora {

// The pages in the tab control's order.
enum class OptionsPage { Airmail, Stations, Offset, History, Propagation };
inline constexpr const char* kOptionsPageNames[] = {"AirMail", "Stations", "Offset", "History", "Propagation"};

struct OptionBinding {
  OptionsPage page;
  const char* key;  // the setting's key in the settings file
  std::variant<bool AutoConnectSettings::*, std::int32_t AutoConnectSettings::*, float AutoConnectSettings::*,
               std::string AutoConnectSettings::*>
      member;
  int choiceBase = 0;  // a choice list's first entry stands for this value
};

std::span<const OptionBinding> AutoConnectOptionBindings();

// A control's text by setting key: "True"/"False" for a check box, the
// entry's index for a choice list, the text of a box.
using OptionValues = std::map<std::string, std::string, std::less<>>;

OptionValues OptionsDataSet(const AutoConnectSettings& settings);

// Stores every value, or none with a message naming the page and the box.
// The day count is taken only while its check box is set.
bool OptionsApply(const OptionValues& values, AutoConnectSettings& settings, Messenger& messages);

// The K index beside the Q index box, "0.0"; empty when the box holds no number.
std::string KIndexText(std::string_view qIndex);

// The Es layer adjustment after choosing a model: ICEPAC's 0.7, VOACAP's 0,
// REC533 keeps the box.
std::string EsAdjustAfterModel(int model, std::string_view current);

// The AirMail page's position line: the first of AirMail's current
// position report, its position report and its propagation position that
// can be read, with the report's age (its date in the regional settings'
// order); "Unable to get Lat/Lon data." when none can.
std::string AirmailPositionText(const AirmailDataFolder& data, const UtcDateTime& now,
                                DateOrder order = DateOrder::MonthDayYear);

}  // namespace velmora
