#pragma once
// A fresh folder for one test, removed afterwards, and small file helpers.
#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

#include "common/AtomicFile.h"

namespace velmora::testing {

class TempFolder {
 public:
  explicit TempFolder(const std::filesystem::path& base = std::filesystem::temp_directory_path()) {
    static std::atomic<int> counter{0};
    auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    path_ = base / ("velmora-test-" + std::to_string(stamp) + "-" + std::to_string(counter++));
    std::filesystem::create_directories(path_);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  ~TempFolder() { std::error_code ignored; std::filesystem::remove_all(path_, ignored); }
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

inline void WriteBytes(const std::filesystem::path& file, std::string_view content) {
  std::ofstream(file, std::ios::binary) << content;
}

inline std::string ReadBytes(const std::filesystem::path& file) {
  std::error_code error;
  return ReadWholeFile(file, error).value_or("");
}

}  // namespace velmora::testing
