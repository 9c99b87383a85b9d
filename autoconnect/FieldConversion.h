#pragma once
// The option fields' texts turned into settings: counts as 32-bit integers,
// the radio's port and address as 16-bit integers, times and limits as
// singles. A text that is no number of the field's kind, or does not fit,
// leaves the setting as it was and says so, naming the field.
#include <cstdint>
#include <string_view>

#include "common/Messages.h"

namespace velmora {

bool FieldToInt32(std::string_view text, std::int32_t& value, std::string_view field, Messenger& messenger);
bool FieldToInt16(std::string_view text, std::int16_t& value, std::string_view field, Messenger& messenger);
bool FieldToSingle(std::string_view text, float& value, std::string_view field, Messenger& messenger);
// As above, for what only a number above zero makes sense of: a count of
// calls, a wait.
bool FieldToPositiveInt32(std::string_view text, std::int32_t& value, std::string_view field, Messenger& messenger);
bool FieldToPositiveSingle(std::string_view text, float& value, std::string_view field, Messenger& messenger);

}  // namespace velmora
