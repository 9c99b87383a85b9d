#pragma once
// The texts of the help windows.
#include <filesystem>
#include <optional>
#include <string>

namespace velmora {

// "Velmora.txt" read line by line and joined with CR LF, or nothing with the
// message to show ("Overview, Unable to open Overview File, ..." or
// "Overview, Unable to read Overview File, ...").
std::optional<std::string> OverviewText(const std::filesystem::path& file, std::string& message);

// "Version 1.0", two carriage returns, then what the program does.
std::string AboutDescription(int major, int minor);

}  // namespace velmora
