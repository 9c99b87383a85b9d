#pragma once
// What the fuzz targets share: the input as text, a scratch folder for the
// readers that take a file, a messenger that keeps nothing (a fuzzed file
// may be refused a million times), a check that stops the run, and the
// options dialog's grids' promise about their files.
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>

#include "common/Messages.h"
#include "tests/common/TempFolder.h"
#include "tests/reports/GridContract.h"

namespace velmora::fuzz {

// A broken promise is a finding: the run stops and keeps the input.
inline void Require(bool held) {
  if (!held) std::abort();
}

// A text's width as the tables measure it, without a window.
inline int Width(std::string_view text) { return static_cast<int>(text.size()); }

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

class QuietMessenger final : public Messenger {
 public:
  void Show(std::string_view, MessageIcon, std::string_view) override {}
  bool AskYesNo(std::string_view, MessageIcon, std::string_view) override { return false; }
};

// Rows a grid agrees to write come back from the file alike, whole.
template <typename Text, typename Recall>
void RequireReadsBack(testing::GridKind kind, const GridRows& rows, Text text, Recall recall) {
  QuietMessenger messages;
  auto written = text(rows, messages);
  if (!written) return;
  auto back = recall(ScratchFile("grid-again.txt", *written), messages);
  Require(back.dropped.empty() && testing::GridReadsBack(kind, rows, back.rows));
  Require(kind != testing::GridKind::History || testing::HistoryFillAgrees(*written, back.rows));
}

}  // namespace velmora::fuzz
