#pragma once
// What is wrong with the access keys of one menu level or one dialog page:
// a caption without one, or two captions with the same.
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "common/MenuDefinition.h"
#include "common/TextParse.h"

namespace velmora::testing {

// The upper-case character after the mark ("&File" gives F, "&&" is no
// mark), 0 for a caption without one: the key Alt chooses it by.
inline char AccessKey(std::string_view caption) {
  for (size_t i = 0; i + 1 < caption.size(); ++i) {
    if (caption[i] != '&') continue;
    if (caption[i + 1] != '&') return AsciiUpper(caption[i + 1]);
    ++i;
  }
  return 0;
}

inline std::vector<std::string> AccessKeyFaults(const std::vector<std::string>& captions) {
  std::vector<std::string> faults;
  std::map<char, std::string> taken;
  for (const auto& caption : captions) {
    char key = AccessKey(caption);
    if (!key) {
      faults.push_back("no key: " + caption);
    } else if (auto [at, fresh] = taken.emplace(key, caption); !fresh) {
      faults.push_back(std::string("key ") + key + " twice: " + at->second + ", " + caption);
    }
  }
  return faults;
}

// The menu bar as one level, and each menu's items as one.
inline std::vector<std::string> MenuAccessKeyFaults(const std::vector<MenuDefinition>& menus) {
  std::vector<std::string> bar, faults;
  for (const auto& menu : menus) {
    if (menu.inMenuBar) bar.push_back(menu.caption);
    std::vector<std::string> items;
    for (const auto& item : menu.items)
      if (!item.Separator()) items.push_back(item.caption);
    for (auto& fault : AccessKeyFaults(items)) faults.push_back(std::string(menu.name) + ": " + fault);
  }
  for (auto& fault : AccessKeyFaults(bar)) faults.push_back("menu bar: " + fault);
  return faults;
}

}  // namespace velmora::testing
