#pragma once
// Typed values in a profile: booleans "True"/"False", singles in their
// shortest decimal form, integers in decimal. A key that is absent or empty,
// or whose text is no value of the member's type, leaves the member as it is.
#include <cstdint>
#include <string>
#include <string_view>

#include "common/ProfileFile.h"
#include "common/ProfileWriter.h"

namespace velmora {

bool RecallBoolean(const ProfileDocument& profile, std::string_view section, std::string_view key, bool& member);
bool RecallSingle(const ProfileDocument& profile, std::string_view section, std::string_view key, float& member);
bool RecallInteger(const ProfileDocument& profile, std::string_view section, std::string_view key,
                   std::int32_t& member);
bool RecallInteger(const ProfileDocument& profile, std::string_view section, std::string_view key,
                   std::int16_t& member);

// A single that is no number (NaN, infinite) is not written: the key keeps
// its last value. A text is written so that it reads back as it is.
void SaveBoolean(ProfileWriter& profile, std::string_view section, std::string_view key, bool value);
void SaveSingle(ProfileWriter& profile, std::string_view section, std::string_view key, float value);
void SaveInteger(ProfileWriter& profile, std::string_view section, std::string_view key, long long value);
void SaveText(ProfileWriter& profile, std::string_view section, std::string_view key, std::string_view value);

// Whether the text, saved, reads back as it is through a buffer of that
// size: no line break, and short enough.
bool TextReadsBack(std::string_view value, size_t bufferSize);

}  // namespace velmora
