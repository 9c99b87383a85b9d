#pragma once
// The texts of the help windows.
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace velmora {

// "Velmora.txt" read line by line and joined with CR LF, or nothing with the
// message to show ("Overview, Unable to open Overview File, ..." or
// "Overview, Unable to read Overview File, ...").
std::optional<std::string> OverviewText(const std::filesystem::path& file, std::string& message);

// The overview's heading F1 opens it at on each tab of the Options dialog:
// input, display, detector, output.
std::string_view OptionsHelpHeading(int tab);
// The heading F1 opens it at in the AutoConnect window, or in its options dialog.
std::string_view AutoConnectHelpHeading(bool optionsDialog);

// The line of the text that reads exactly the heading; 0 when none does.
int HeadingLine(std::string_view text, std::string_view heading);

// "Version 1.0", two carriage returns, then what the program does.
std::string AboutDescription(int major, int minor);

}  // namespace velmora
