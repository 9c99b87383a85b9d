#pragma once
// The real VOACAP of ../shared/itshfbc in the test prefix as c:\itshfbc,
// and its output read by words rather than by columns, as a yardstick for
// the program's own column reading.
#include <cmath>
#include <map>
#include <regex>
#include <sstream>

#include "common/AtomicFile.h"
#include "common/TextFileLines.h"
#include "common/TextParse.h"
#include "tests/common/win32/TestWin32.h"

namespace velmora::testing {

// Copies the package to c:\itshfbc; false when there is none to copy and
// none in the prefix already (a work tree beside the checkout has no
// ../shared: its prefix may be given the package by hand).
inline bool ItshfbcInstall() {
  namespace fs = std::filesystem;
  fs::path source = HostPath(std::string(VELMORA_SOURCE_DIR) + "/../shared/itshfbc");
  std::error_code error;
  if (!fs::exists(source / "bin_win" / "voacapw.exe", error))
    return fs::exists("c:\\itshfbc\\bin_win\\voacapw.exe", error);
  fs::copy(source, "c:\\itshfbc", fs::copy_options::recursive | fs::copy_options::overwrite_existing, error);
  return !error;
}

inline std::string ItshfbcLastOutput() {
  std::error_code error;
  return ReadWholeFile("c:\\itshfbc\\run\\sound.out", error).value_or("");
}

// The program's tables for one hour, read by words rather than columns.
struct HourTable {
  double muf = 0, luf = 0;
  std::vector<std::string> mode;
  std::map<std::string, std::vector<double>> rows;  // "TANGLE", "S DBW", ...
};

// The words of a row as numbers ("-" as NaN); empty when a word is no number.
inline std::vector<double> Numbers(std::string_view text) {
  std::istringstream in{std::string(text)};
  std::vector<double> out;
  for (std::string word; in >> word;) {
    char* end = nullptr;
    double value = std::strtod(word.c_str(), &end);
    if (word == "-")
      value = NAN;
    else if (end != word.c_str() + word.size())
      return {};
    out.push_back(value);
  }
  return out;
}

// Hour of day (1-24, 24 for midnight) to its tables in "sound.out".
inline std::map<int, HourTable> ProgramTables(const std::string& output) {
  std::map<int, HourTable> hours;
  auto lines = SplitLines(output);
  const std::vector<std::string> labels = {"TANGLE", "DELAY ", "V HITE", "S DBW ", "N DBW ", "SNRxx "};
  for (size_t i = 0; i < lines.size(); ++i) {
    auto words = Numbers(lines[i].substr(0, lines[i].find_first_not_of(" .0123456789")));
    if (lines[i].find("GMT   LMT") != std::string::npos) {
      for (size_t j = i + 2; j < lines.size() && Numbers(lines[j]).size() == 7; ++j) {
        auto v = Numbers(lines[j]);
        hours[static_cast<int>(v[0])].muf = v[5], hours[static_cast<int>(v[0])].luf = v[6];
      }
    }
    if (!Trim(lines[i]).ends_with("FREQ")) continue;
    auto& table = hours[static_cast<int>(words[0])];
    const std::regex mode(R"((\d+ ?[A-Z][A-Za-z0-9]*|-))");
    std::string modes = lines[i + 1].substr(0, lines[i + 1].find("MODE"));
    for (std::sregex_iterator m(modes.begin(), modes.end(), mode), end; m != end; ++m) table.mode.push_back(m->str());
    for (size_t j = i + 2; j < lines.size() && !Trim(lines[j]).empty(); ++j)
      for (const auto& label : labels)
        if (lines[j].size() > 8 && lines[j].find(label) != std::string::npos)
          table.rows[std::string(Trim(label))] = Numbers(lines[j].substr(0, lines[j].find(label)));
  }
  return hours;
}

}  // namespace velmora::testing
