#include "display/HelpTexts.h"

#include <algorithm>

#include "common/SystemLib.h"
#include "common/TextFileLines.h"

namespace velmora {

std::optional<std::string> OverviewText(const std::filesystem::path& file, std::string& message) {
  // A file there that cannot be opened (another program holds it shut) is
  // told as one that cannot be opened, not as one that cannot be read.
  FileFailure failure;
  auto content = ReadText(file, failure);
  if (!content) {
    // Named: the reason alone ("File not found.") does not say where it belongs.
    message = std::string(failure.stage == FileStage::Open ? "Overview, Unable to open Overview File, "
                                                           : "Overview, Unable to read Overview File, ") +
              ErrorText(failure.error) + "\r" + NotReadText(file) + ".";
    return std::nullopt;
  }
  // Saved as Unicode text (or no text at all): the window would show it cut
  // at its first zero byte, without a word.
  if (content->find('\0') != std::string::npos) {
    message = "Overview, Unable to read Overview File, " +
              ErrorText(std::make_error_code(std::errc::illegal_byte_sequence));
    return std::nullopt;
  }
  std::string joined;
  size_t start = 0;
  bool first = true;
  while (start < content->size()) {
    size_t end = content->find('\n', start);
    std::string line = content->substr(start, end == std::string::npos ? std::string::npos : end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!first) joined += "\r\n";
    joined += line;
    first = false;
    if (end == std::string::npos) break;
    start = end + 1;
  }
  return joined;
}

std::string_view OptionsHelpHeading(int tab) {
  static constexpr std::string_view kHeadings[] = {"SETTING IT UP", "THE SCREEN", "WHAT THE VERDICTS MEAN",
                                                   "RECORDINGS"};
  return tab >= 0 && tab < 4 ? kHeadings[tab] : std::string_view();
}

std::string_view AutoConnectHelpHeading(bool optionsDialog) {
  return optionsDialog ? "AUTOCONNECT OPTIONS" : "AUTOCONNECT";
}

int HeadingLine(std::string_view text, std::string_view heading) {
  int line = 0;
  for (size_t start = 0; start <= text.size(); ++line) {
    size_t end = std::min(text.find('\n', start), text.size());
    std::string_view shown = text.substr(start, end - start);
    if (shown.ends_with('\r')) shown.remove_suffix(1);
    if (!heading.empty() && shown == heading) return line;
    start = end + 1;
  }
  return 0;
}

std::string AboutDescription(int major, int minor) {
  return "Version " + std::to_string(major) + "." + std::to_string(minor) +
         "\r\r1) Display raw video and power spectrum density from computer's sound card.\r"
         "2) Detect Pactor signal activity.\r"
         "3) Airmail interface to listen for channel activity then connect when channel is not busy.";
}

}  // namespace velmora
