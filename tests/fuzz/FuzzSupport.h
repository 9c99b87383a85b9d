#pragma once
// What the fuzz targets share: the input as text, a scratch folder for the
// readers that take a file, and a messenger that keeps nothing (a fuzzed
// file may be refused a million times).
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "common/Messages.h"
#include "tests/common/TempFolder.h"

namespace velmora::fuzz {

inline std::string_view Text(const std::uint8_t* data, std::size_t size) {
  return {reinterpret_cast<const char*>(data), size};
}

// One folder for the whole run, removed at its end; in memory where there
// is room for it, since the program's writers flush each file to the disk.
inline const std::filesystem::path& ScratchFolder() {
  static const testing::TempFolder folder(std::filesystem::is_directory("/dev/shm")
                                              ? std::filesystem::path("/dev/shm")
                                              : std::filesystem::temp_directory_path());
  return folder.path();
}

// The bytes as the file `name` of the scratch folder; its path.
inline std::filesystem::path ScratchFile(std::string_view name, std::string_view content) {
  auto file = ScratchFolder() / name;
  testing::WriteBytes(file, content);
  return file;
}

// The input cut at NULs, as a command line's arguments.
inline std::vector<std::string_view> Arguments(std::string_view text) {
  std::vector<std::string_view> arguments;
  for (std::size_t start = 0; start <= text.size();) {
    std::size_t end = text.find('\0', start);
    if (end == std::string_view::npos) end = text.size();
    arguments.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  return arguments;
}

class QuietMessenger final : public Messenger {
 public:
  void Show(std::string_view, MessageIcon, std::string_view) override {}
  bool AskYesNo(std::string_view, MessageIcon, std::string_view) override { return false; }
};

}  // namespace velmora::fuzz
