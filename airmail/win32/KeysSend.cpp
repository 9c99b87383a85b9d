#include "airmail/win32/KeysSend.h"

namespace velmora {

std::int16_t Win32KeyLayout::KeyScan(char character) { return VkKeyScanA(character); }

std::vector<INPUT> KeyInputs(const std::vector<KeyRecord>& records) {
  std::vector<INPUT> inputs(records.size());
  for (size_t i = 0; i < records.size(); ++i) {
    INPUT& input = inputs[i];
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = records[i].virtualKey;
    input.ki.dwFlags = (records[i].extended ? KEYEVENTF_EXTENDEDKEY : 0) | (records[i].keyUp ? KEYEVENTF_KEYUP : 0);
  }
  return inputs;
}

bool KeysSend(std::string_view script, bool wait, EventPump& pump, Clock& clock) {
  Win32KeyLayout layout;
  std::vector<INPUT> inputs = KeyInputs(KeyScriptParse(script, layout));
  bool sent = true;
  if (!inputs.empty()) {
    UINT injected = SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    sent = injected == inputs.size();
  }
  if (wait) WaitSeconds(pump, clock, 0.05);
  return sent;
}

}  // namespace velmora
