#pragma once
// The answers of a US keyboard layout, for exact record lists.
#include <cctype>

#include "airmail/KeyScript.h"

namespace velmora::testing {

class UsKeyLayout final : public KeyLayout {
 public:
  static constexpr std::int16_t kShift = 0x100;
  std::int16_t KeyScan(char c) override {
    if (c >= 'a' && c <= 'z') return static_cast<std::int16_t>(std::toupper(c));
    if (c >= 'A' && c <= 'Z') return static_cast<std::int16_t>(kShift | c);
    if (c >= '0' && c <= '9') return c;
    switch (c) {
      case ' ': return 0x20;
      case '+': return kShift | 0xBB;
      case '=': return 0xBB;
      case '.': return 0xBE;
      case '~': return kShift | 0xC0;
      case '(': return kShift | '9';
      case ')': return kShift | '0';
      case '{': return kShift | 0xDB;
      case '}': return kShift | 0xDD;
      case '^': return kShift | '6';
      case '%': return kShift | '5';
      default: return -1;
    }
  }
};

}  // namespace velmora::testing
