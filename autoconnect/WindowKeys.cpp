#include "autoconnect/WindowKeys.h"

#include "airmail/AutoConnectSettings.h"
#include "common/ProfileValues.h"

namespace velmora {
namespace {

struct Key {
  const char* name;
  std::optional<float> WindowKeys::*member;
};
// In the order they are written.
constexpr Key kKeys[] = {{"Window Height", &WindowKeys::height},
                         {"Window Left", &WindowKeys::left},
                         {"Window Top", &WindowKeys::top},
                         {"Window Width", &WindowKeys::width}};

}  // namespace

WindowKeys WindowKeysRecall(const ProfileDocument& profile) {
  WindowKeys keys;
  for (const Key& key : kKeys) {
    float value = 0;
    if (RecallSingle(profile, kAutoConnectSection, key.name, value)) keys.*key.member = value;
  }
  return keys;
}

void WindowKeysSave(ProfileWriter& profile, const WindowKeys& keys) {
  for (const Key& key : kKeys)
    if (const auto& value = keys.*key.member) SaveSingle(profile, kAutoConnectSection, key.name, *value);
}

}  // namespace velmora
