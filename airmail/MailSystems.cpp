#include "airmail/MailSystems.h"

#include <algorithm>
#include <filesystem>

#include "common/TextParse.h"

namespace velmora {

void ClampAndSelect(SelectionList& list, int index) {
  list.selected = index < 0 || index >= static_cast<int>(list.entries.size()) ? 0 : index;
}

bool SystemIsSailmail(std::string_view system) { return EqualsNoCase(system, "SAILMAIL"); }

bool SystemIsAirmail(std::string_view system) {
  auto upper = ToUpper(system);
  return upper == "HAM" || upper == "SAILMAIL";
}

bool StationIsWwv(std::string_view stationKey) { return ToUpper(stationKey) == "WWV"; }

bool SystemGetList(const AirmailDataFolder& data, SelectionList& list, int index) {
  list = {};
  std::vector<std::string> names;
  std::error_code error;
  for (std::filesystem::directory_iterator it(data.File(""), error), end; !error && it != end; it.increment(error)) {
    std::error_code ignored;
    if (it->is_directory(ignored)) continue;
    auto name = it->path().filename().string();
    auto upper = ToUpper(name);
    if (upper.size() >= 11 && upper.starts_with("SYSTEM.") && upper.ends_with(".INI")) names.push_back(name);
  }
  std::sort(names.begin(), names.end(),
            [](const std::string& a, const std::string& b) { return ToUpper(a) < ToUpper(b); });
  for (const auto& name : names) {
    auto first = name.find('.');
    auto second = name.find('.', first + 1);
    list.entries.push_back(name.substr(first + 1, second - first - 1));
  }
  if (list.entries.empty()) {
    data.Messages().Show("SystemListGet, Unable to get AirMail System data." + AirmailErrorDataMessage(data));
    return false;
  }
  ClampAndSelect(list, index);
  return true;
}

}  // namespace velmora
