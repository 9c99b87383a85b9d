#pragma once
// The answers of a US keyboard layout for letters, for exact
// record lists; any other character is one this layout has no key for.
#include <cctype>

#include "airmail/KeyScript.h"

namespace velmora::testing {

class UsKeyLayout final : public KeyLayout {
 public:
  static constexpr std::int16_t kShift = 0x100;
  std::int16_t KeyScan(char c) override {
    if (c >= 'a' && c <= 'z') return static_cast<std::int16_t>(std::toupper(c));
    if (c >= 'A' && c <= 'Z') return static_cast<std::int16_t>(kShift | c);
    return -1;
  }
};

}  // namespace velmora::testing
