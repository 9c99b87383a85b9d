#pragma once
// The offline analyser: a recording run buffer by buffer through the
// program's analysis and detectors, one line of results per buffer, then
// the detector statistics.
#include <cstdint>
#include <iosfwd>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace velmora {

struct AnalyseOptions {
  std::optional<std::string> settingsFile;
  std::optional<std::int32_t> sampleSize;
  bool eightBit = false;
  std::string recording;  // "-" for standard input
};

std::string AnalyseUsage();

// The options from the command line (without the program name); nullopt
// when they are not valid.
std::optional<AnalyseOptions> ParseAnalyseOptions(std::span<const std::string_view> arguments);

// Runs the analysis; the exit status: 0, or 2 for input that cannot be
// analysed (with one line on the error stream).
int AnalyseRecording(const AnalyseOptions& options, std::istream& standardInput, std::ostream& out,
                     std::ostream& error);

}  // namespace velmora
