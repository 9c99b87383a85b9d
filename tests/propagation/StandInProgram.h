#pragma once
// A prediction program that writes a given output when started, and keeps
// the decks and command lines it saw. Like ICEPAC and VOACAP, it answers a
// deck of several blocks with the output's pages once per block.
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "propagation/ModelProgram.h"
#include "tests/airmail/Fixture.h"

namespace velmora::testing {

// An output of the prediction programs kept in tests/propagation/fixture.
inline std::string PropagationFixture(const std::string& name) {
  return ReadBytes(std::filesystem::path(VELMORA_SOURCE_DIR) / "tests/propagation/fixture" / name);
}

inline size_t Occurrences(std::string_view text, std::string_view part) {
  size_t count = 0;
  for (size_t at = text.find(part); at != text.npos; at = text.find(part, at + 1)) ++count;
  return count;
}

// Installed in `folder` as the three programs and a run folder.
class StandInProgram final : public LocalModelFiles {
 public:
  explicit StandInProgram(std::filesystem::path folder) : folder_(std::move(folder)) {
    for (auto sub : {"RUN", "bin_win"}) std::filesystem::create_directories(folder_ / sub);
    for (auto name : {"icepacw.exe", "voacapw.exe", "rec533w.exe"}) WriteBytes(folder_ / "bin_win" / name, "");
  }
  bool Start(const std::string& commandLine, std::error_code& error) override {
    commandLines.push_back(commandLine);
    decks.push_back(ReadBytes(folder_ / "RUN" / "sound.dat"));
    if (!starts) {
      error = std::make_error_code(std::errc::no_such_file_or_directory);
      return false;
    }
    if (output) WriteBytes(folder_ / "RUN" / "sound.out", joins ? Answer(decks.back(), *output) : *output);
    return true;
  }
  static std::string Answer(const std::string& deck, const std::string& output) {
    size_t blocks = Occurrences(deck, "METHOD       26");
    size_t pages = output.find("\f");
    if (blocks < 2 || pages == output.npos) return output;
    std::string answer = output.substr(0, pages);
    for (size_t k = 0; k < blocks; ++k) answer += output.substr(pages);
    return answer;
  }
  bool Wait(double seconds) override {
    waits.push_back(seconds);
    return finishes && (jointFinishes || Occurrences(decks.back(), "METHOD       26") < 2);
  }

  std::optional<std::string> output;
  bool starts = true, finishes = true, jointFinishes = true, joins = true;
  std::vector<double> waits;
  std::vector<std::string> commandLines, decks;

 private:
  std::filesystem::path folder_;
};

}  // namespace velmora::testing
