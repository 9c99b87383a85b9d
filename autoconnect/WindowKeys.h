#pragma once
// Where the AutoConnect window was: "Window Height", "Window Left",
// "Window Top" and "Window Width" of "Airmail Data", in twips.
#include <optional>

#include "common/ProfileFile.h"
#include "common/ProfileWriter.h"

namespace velmora {

struct WindowKeys {
  std::optional<float> left, top, width, height;  // a key absent from the file stays empty
};

WindowKeys WindowKeysRecall(const ProfileDocument& profile);
// Writes the keys that hold a value.
void WindowKeysSave(ProfileWriter& profile, const WindowKeys& keys);

}  // namespace velmora
