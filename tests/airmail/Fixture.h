#pragma once
// The AirMail installation of tests/airmail/fixture.
#include <filesystem>
#include <string>
#include <string_view>

#include "tests/common/TempFolder.h"

namespace velmora::testing {

inline std::filesystem::path FixturePath(std::string_view part = {}) {
  auto root = std::filesystem::path(VELMORA_SOURCE_DIR) / "tests" / "airmail" / "fixture";
  return part.empty() ? root : root / std::filesystem::path(std::string(part));
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
