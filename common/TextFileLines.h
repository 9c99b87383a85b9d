#pragma once
// Text files read whole and cut into lines, however long the lines, with
// LF or CR LF ends, and a last line without an end kept. Opening and
// reading fail separately, because the messages tell them apart.
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

namespace velmora {

enum class FileStage { Open, Read };

struct FileFailure {
  FileStage stage = FileStage::Open;
  std::error_code error;
};

std::optional<std::vector<std::string>> ReadTextLines(const std::filesystem::path& file, FileFailure& failure);

// The lines of a text already in memory.
std::vector<std::string> SplitLines(std::string_view text);

}  // namespace velmora
