#pragma once
// Numbers as the fixed-width fields of the ITS HF programs' input cards:
// right-aligned with leading blanks, "." as the decimal point. The programs
// read their cards by column, so a field is either exactly its width or
// refused.
#include <optional>
#include <string>
#include <string_view>

#include "common/Messages.h"

namespace velmora {

// The field for a format name ("I5", "F5.0", "F5.1", "F5.2", "F6.2",
// "F7.1"). A value that does not fit the width (or is not finite) gives
// nullopt; an unknown name shows "FortranFormat, Unknown format." when a
// messenger is given and gives nullopt too.
std::optional<std::string> FortranFormat(double value, std::string_view format, Messenger* messenger = nullptr);

}  // namespace velmora
