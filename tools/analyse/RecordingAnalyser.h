#pragma once
// The offline analyser: a recording run buffer by buffer through the
// program's analysis and detectors, one line of results per buffer, then
// the detector statistics.
#include <cstdint>
#include <cstdio>
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
// when they are not valid, with the argument and what is wrong with it in
// `problem` ("--sample-size: 65536 is not a power of two from 256 to 32768").
std::optional<AnalyseOptions> ParseAnalyseOptions(std::span<const std::string_view> arguments, std::string& problem);

// Runs the analysis, reading one buffer at a time; the exit status: 0, or 2
// for input that cannot be analysed (with one line on the error stream).
int AnalyseRecording(const AnalyseOptions& options, std::FILE* standardInput, std::ostream& out,
                     std::ostream& error);

}  // namespace velmora
