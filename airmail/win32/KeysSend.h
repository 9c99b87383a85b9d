#pragma once
// Keystroke scripts typed into whatever window has the keyboard focus.
#include <windows.h>

#include <string_view>
#include <vector>

#include "airmail/KeyScript.h"
#include "common/SystemLib.h"

namespace velmora {

// The keyboard layout of the thread (VkKeyScanA).
class Win32KeyLayout final : public KeyLayout {
 public:
  std::int16_t KeyScan(char character) override;
};

// The platform's input records for the key records.
std::vector<INPUT> KeyInputs(const std::vector<KeyRecord>& records);

// Parses the script and injects all its keys in one SendInput call; with
// wait, then lets window events run for 0.05 seconds. True when every key
// was injected (an empty script injects nothing and succeeds).
bool KeysSend(std::string_view script, bool wait, EventPump& pump, Clock& clock);

}  // namespace velmora
