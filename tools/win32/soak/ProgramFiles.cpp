#include "tools/win32/soak/ProgramFiles.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <iterator>
#include <string>

namespace soak {
namespace {

constexpr int kRecordFields = 20;

bool NameIs(const std::filesystem::path& file, const char* name) {
  std::string a = file.filename().string(), b = name;
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
  });
}

// Every line after the heading is one record of 20 fields, ended by CR LF.
void CountRecords(const std::filesystem::path& file, ProgramFiles& out) {
  std::ifstream in(file, std::ios::binary);
  std::string all((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  size_t start = all.find("\r\n");
  if (start == std::string::npos) return;
  for (start += 2; start < all.size();) {
    size_t end = all.find("\r\n", start);
    std::string line = all.substr(start, end == std::string::npos ? std::string::npos : end - start);
    ++out.autoConnectRecords;
    if (end == std::string::npos || std::count(line.begin(), line.end(), ',') + 1 != kRecordFields)
      ++out.malformedRecords;
    if (end == std::string::npos) break;
    start = end + 2;
  }
}

}  // namespace

ProgramFiles ProgramFilesIn(const std::filesystem::path& folder) {
  ProgramFiles out;
  std::error_code error;
  for (auto it = std::filesystem::recursive_directory_iterator(folder, error);
       !error && it != std::filesystem::recursive_directory_iterator(); it.increment(error)) {
    if (!it->is_regular_file(error)) continue;
    const auto& file = it->path();
    auto bytes = it->file_size(error);
    if (NameIs(file, "Velmora.log")) {
      out.messageLogBytes = bytes;
    } else if (NameIs(file, "AutoConnectLog.txt")) {
      out.autoConnectLogBytes = bytes;
      CountRecords(file, out);
    } else if (NameIs(file, "StationHistoryData.txt")) {
      out.historyBytes = bytes;
    } else if (file.extension() != ".exe") {
      ++out.otherFiles;
      out.otherBytes += bytes;
    }
  }
  return out;
}

}  // namespace soak
