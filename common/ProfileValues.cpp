#include "common/ProfileValues.h"

#include <cmath>
#include <limits>

#include "common/Format.h"
#include "common/TextParse.h"

namespace velmora {
namespace {

template <typename Int>
bool RecallIntegerOf(const ProfileDocument& profile, std::string_view section, std::string_view key, Int& member) {
  auto text = profile.Read(section, key);
  if (text.empty()) return false;
  auto value = ParseInteger(text);
  if (!value || *value < std::numeric_limits<Int>::min() || *value > std::numeric_limits<Int>::max()) return false;
  member = static_cast<Int>(*value);
  return true;
}

}  // namespace

bool RecallBoolean(const ProfileDocument& profile, std::string_view section, std::string_view key, bool& member) {
  auto text = profile.Read(section, key);
  if (text.empty()) return false;
  auto value = ParseBoolean(text);
  if (!value) return false;
  member = *value;
  return true;
}

bool RecallSingle(const ProfileDocument& profile, std::string_view section, std::string_view key, float& member) {
  auto text = profile.Read(section, key);
  if (text.empty()) return false;
  auto value = ParseLeadingNumber(text, /*acceptComma=*/true);
  // A value no single holds has none there (converting it is undefined).
  if (!value || !SingleHolds(*value)) return false;
  member = static_cast<float>(*value);
  return true;
}

bool RecallInteger(const ProfileDocument& profile, std::string_view section, std::string_view key,
                   std::int32_t& member) {
  return RecallIntegerOf(profile, section, key, member);
}

bool RecallInteger(const ProfileDocument& profile, std::string_view section, std::string_view key,
                   std::int16_t& member) {
  return RecallIntegerOf(profile, section, key, member);
}

void SaveBoolean(ProfileWriter& profile, std::string_view section, std::string_view key, bool value) {
  profile.Write(section, key, BooleanText(value));
}

void SaveSingle(ProfileWriter& profile, std::string_view section, std::string_view key, float value) {
  // No number, none to read back: the key keeps its last value.
  if (std::isfinite(value)) profile.Write(section, key, ShortestSingle(value));
}

void SaveInteger(ProfileWriter& profile, std::string_view section, std::string_view key, long long value) {
  profile.Write(section, key, IntegerText(value));
}

void SaveText(ProfileWriter& profile, std::string_view section, std::string_view key, std::string_view value) {
  profile.Write(section, key, ProfileValue(value));
}

bool TextReadsBack(std::string_view value, size_t bufferSize) {
  return value.find_first_of("\r\n") == std::string_view::npos &&
         ProfileDocument::ValueAsRead(ProfileValue(value), bufferSize) == value;
}

}  // namespace velmora
