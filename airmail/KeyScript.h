#pragma once
// Keystroke scripts: "+" Shift, "^" Ctrl, "%" Alt for the next token,
// "(...)" a group of plain characters, "{NAME}" or "{NAME count}" a named
// key, "{c}" a literal character, anything else that character. A script
// becomes the list of key presses and releases that the platform layer
// injects in one go.
#include <cstdint>
#include <string_view>
#include <vector>

namespace velmora {

struct KeyRecord {
  std::uint16_t virtualKey = 0;
  bool keyUp = false;
  bool extended = false;
  friend bool operator==(const KeyRecord&, const KeyRecord&) = default;
};

inline constexpr std::uint16_t kVirtualKeyShift = 16;
inline constexpr std::uint16_t kVirtualKeyControl = 17;
inline constexpr std::uint16_t kVirtualKeyAlt = 18;

// The keyboard layout's key for a character, in the platform's form: low
// byte the virtual key, bit 0 of the high byte "needs Shift"; -1 when the
// layout has no key for it.
class KeyLayout {
 public:
  virtual ~KeyLayout() = default;
  virtual std::int16_t KeyScan(char character) = 0;
};

// A repeat count above this is taken as this: no script of ours needs more,
// and a typo must not queue millions of key presses.
inline constexpr int kKeyRepeatLimit = 1000;

std::vector<KeyRecord> KeyScriptParse(std::string_view script, KeyLayout& layout);

}  // namespace velmora
