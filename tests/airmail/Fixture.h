#pragma once
// The AirMail installation of tests/airmail/fixture, and small file helpers.
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

#include "common/AtomicFile.h"

namespace velmora::testing {

inline std::filesystem::path FixturePath(std::string_view part = {}) {
  auto root = std::filesystem::path(VELMORA_SOURCE_DIR) / "tests" / "airmail" / "fixture";
  return part.empty() ? root : root / std::filesystem::path(std::string(part));
}

inline void WriteBytes(const std::filesystem::path& file, std::string_view content) {
  std::ofstream(file, std::ios::binary) << content;
}

inline std::string ReadBytes(const std::filesystem::path& file) {
  std::error_code error;
  return ReadWholeFile(file, error).value_or("");
}

// The hint that ends each message about AirMail's data files.
inline std::string DataFolderHint(const std::string& folder) {
  return "\r\rPlease check that the AirMail's Data Folder \"" + folder + "\" is correct.";
}

// A copy of the fixture's data folder to change.
inline void CopyFixtureData(const std::filesystem::path& to) {
  std::filesystem::copy(FixturePath("data"), to,
                        std::filesystem::copy_options::recursive | std::filesystem::copy_options::overwrite_existing);
}

}  // namespace velmora::testing
