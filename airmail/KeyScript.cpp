#include "airmail/KeyScript.h"

#include <algorithm>
#include <map>
#include <string>

#include "common/TextParse.h"

namespace velmora {
namespace {

struct NamedKey {
  std::uint16_t code;
  bool extended;
};

const std::map<std::string, NamedKey, std::less<>>& KeyNames() {
  static const std::map<std::string, NamedKey, std::less<>> names = [] {
    std::map<std::string, NamedKey, std::less<>> table{
        {"BACKSPACE", {8, false}}, {"BS", {8, false}},         {"BKSP", {8, false}},
        {"BREAK", {19, true}},     {"CAPSLOCK", {20, false}},  {"DELETE", {46, true}},
        {"DEL", {46, true}},       {"DOWN", {40, true}},       {"END", {35, true}},
        {"ENTER", {13, false}},    {"~", {13, false}},         {"ESC", {27, false}},
        {"HELP", {47, false}},     {"HOME", {36, true}},       {"INS", {45, true}},
        {"INSERT", {45, true}},    {"LEFT", {37, true}},       {"NUMLOCK", {144, true}},
        {"PGDN", {34, true}},      {"PGUP", {33, true}},       {"PAUSE", {19, false}},
        {"PRINT", {42, true}},     {"PRTSC", {44, true}},      {"PRTSCN", {44, true}},
        {"PRINTSCRN", {44, true}}, {"PRINTSCREEN", {44, true}}, {"RIGHT", {39, true}},
        {"SCROLLLOCK", {145, false}}, {"SELECT", {41, false}}, {"TAB", {9, false}},
        {"UP", {38, true}}};
    for (int n = 1; n <= 16; ++n)
      table.emplace("F" + std::to_string(n), NamedKey{static_cast<std::uint16_t>(111 + n), false});
    return table;
  }();
  return names;
}

enum ModifierBit : unsigned { kShiftHeld = 1, kControlHeld = 2, kAltHeld = 4 };

class ScriptParser {
 public:
  ScriptParser(std::string_view script, KeyLayout& layout) : script_(script), layout_(layout) {
    records_.reserve(512);
  }

  std::vector<KeyRecord> Parse() {
    while (position_ < script_.size()) ReadToken();
    return std::move(records_);
  }

 private:
  // position_ is the index of the next character to read. Modifiers in a
  // row are held on a list rather than by recursion, so no script is too
  // long for the stack: each is pressed before the token it modifies and
  // released after it, the last pressed first.
  void ReadToken() {
    std::vector<Modifier> held;
    char c = script_[position_++];
    while (IsModifier(c)) {
      // A modifier with nothing after it to modify presses nothing.
      if (position_ >= script_.size()) break;
      Modifier m = ModifierOf(c);
      Append(m.key, false, false);
      modifiers_ |= m.bit;
      held.push_back(m);
      c = script_[position_++];
    }
    switch (c) {
      case '+':
      case '^':
      case '%': break;
      case '(': Group(); break;
      case '{': Brace(); break;
      default: Character(c); break;
    }
    for (auto m = held.rbegin(); m != held.rend(); ++m) {
      Append(m->key, true, false);
      modifiers_ &= ~m->bit;
    }
  }

  struct Modifier {
    std::uint16_t key;
    unsigned bit;
  };
  static bool IsModifier(char c) { return c == '+' || c == '^' || c == '%'; }
  static Modifier ModifierOf(char c) {
    if (c == '+') return {kVirtualKeyShift, kShiftHeld};
    if (c == '^') return {kVirtualKeyControl, kControlHeld};
    return {kVirtualKeyAlt, kAltHeld};
  }

  // The opening character was at position_ - 1; the closing one must lie
  // at least two characters further on.
  size_t Closing(char closing) const {
    size_t open = position_ - 1;
    size_t close = script_.find(closing, open);
    return close != std::string_view::npos && close >= open + 2 ? close : std::string_view::npos;
  }

  void Group() {
    size_t close = Closing(')');
    if (close == std::string_view::npos) return;
    for (size_t i = position_; i < close; ++i) Character(script_[i]);
    position_ = close + 1;
  }

  void Brace() {
    size_t close = Closing('}');
    if (close == std::string_view::npos) return;
    std::string_view inside = script_.substr(position_, close - position_);
    position_ = close + 1;

    size_t blank = inside.find(' ');
    std::string_view name = inside.substr(0, blank);
    int count = 1;
    if (blank != std::string_view::npos) {
      std::string_view rest = inside.substr(blank + 1);
      auto number = ParseInteger(rest.substr(0, rest.find(' ')));
      if (number && *number >= 1) count = static_cast<int>(std::min<long long>(*number, kKeyRepeatLimit));
    }

    const auto& names = KeyNames();
    if (auto named = names.find(ToUpper(name)); named != names.end()) {
      for (int i = 0; i < count; ++i) Press(named->second.code, false, named->second.extended);
      return;
    }
    std::int16_t scan = KeyScan(inside.front());
    if (!Mapped(scan)) return;
    for (int i = 0; i < count; ++i) Press(static_cast<std::uint16_t>(scan & 0xFF), (scan >> 8) & 1, false);
  }

  void Character(char c) {
    std::int16_t scan = KeyScan(c);
    if (Mapped(scan)) Press(static_cast<std::uint16_t>(scan & 0xFF), (scan >> 8) & 1, false);
  }

  // A layout of another script (Greek, Cyrillic) has no key for a Latin
  // letter, and "^C" would press Ctrl alone; the letter keys' codes are the
  // capital letters on every layout.
  std::int16_t KeyScan(char c) {
    std::int16_t scan = layout_.KeyScan(c);
    if (Mapped(scan)) return scan;
    if (c >= 'a' && c <= 'z') return static_cast<std::int16_t>(c - 'a' + 'A');
    if (c >= 'A' && c <= 'Z') return static_cast<std::int16_t>(kShiftNeeded | c);
    return scan;
  }
  static constexpr std::int16_t kShiftNeeded = 0x100;

  // The layout answers -1 for a character it has no key for; sending that
  // as key 255 would type something unknown.
  static bool Mapped(std::int16_t scan) { return scan != -1 && (scan & 0xFF) != 0xFF; }

  void Press(std::uint16_t key, bool needsShift, bool extended) {
    bool addShift = needsShift && !(modifiers_ & kShiftHeld);
    if (addShift) Append(kVirtualKeyShift, false, false);
    Append(key, false, extended);
    Append(key, true, false);
    if (addShift) Append(kVirtualKeyShift, true, false);
  }

  void Append(std::uint16_t key, bool up, bool extended) { records_.push_back({key, up, extended}); }

  std::string_view script_;
  KeyLayout& layout_;
  size_t position_ = 0;
  unsigned modifiers_ = 0;
  std::vector<KeyRecord> records_;
};

}  // namespace

std::vector<KeyRecord> KeyScriptParse(std::string_view script, KeyLayout& layout) {
  return ScriptParser(script, layout).Parse();
}

}  // namespace velmora
