// Keystroke scripts: modifiers, groups, named keys with repeat counts and
// literal characters turned into key presses through a keyboard layout.
#include "airmail/KeyScript.h"
#include "tests/airmail/UsKeyLayout.h"
#include "tests/fuzz/FuzzSupport.h"

using namespace velmora;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  testing::UsKeyLayout layout;
  const auto keys = KeyScriptParse(fuzz::Text(data, size), layout);
  // However long the script, a token gives at most its repeat limit of
  // presses and releases, with modifiers around them.
  fuzz::Require(keys.size() <= (size + 1) * (2 * kKeyRepeatLimit + 8));
  return 0;
}
