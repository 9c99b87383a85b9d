#include "tools/analyse/RecordingAnalyser.h"

#include <algorithm>
#include <filesystem>
#include <istream>
#include <iterator>
#include <ostream>
#include <vector>

#include "analysis/DetectorStatistics.h"
#include "analysis/SignalAnalysis.h"
#include "audio/MainSettings.h"
#include "common/AtomicFile.h"
#include "common/Format.h"
#include "common/SystemLib.h"
#include "common/TextParse.h"

namespace velmora {
namespace {

constexpr const char* kProgram = "velmora-analyse";

std::vector<std::int16_t> Decode(const std::string& bytes, bool eightBit) {
  std::vector<std::int16_t> samples;
  if (eightBit) {
    samples.reserve(bytes.size());
    for (unsigned char b : bytes) samples.push_back(static_cast<std::int16_t>((b - 128) * 256));
  } else {
    samples.reserve(bytes.size() / 2);
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
      const auto lo = static_cast<unsigned char>(bytes[i]), hi = static_cast<unsigned char>(bytes[i + 1]);
      samples.push_back(static_cast<std::int16_t>(static_cast<std::uint16_t>(lo | (hi << 8))));
    }
  }
  return samples;
}

std::string Csv(std::string text) {
  std::replace(text.begin(), text.end(), ',', ';');
  return text;
}

std::string Lines(std::string text) {
  std::string out;
  for (char c : text) out += c == '\r' ? '\n' : c;
  return out;
}

}  // namespace

std::string AnalyseUsage() {
  return std::string("usage: ") + kProgram +
         " [--settings FILE] [--sample-size N] [--8bit] RECORDING.bin\n"
         "  RECORDING.bin  headerless mono PCM at 11025 Hz, 16-bit signed little-endian\n"
         "                 (or 8-bit unsigned with --8bit); \"-\" reads standard input\n"
         "  --settings     a Velmora.Ini whose \"Detector Data\" and \"Sample Size\" are used\n"
         "  --sample-size  samples per buffer: 256, 512, ... 32768 (default: the settings', else 2048)\n";
}

std::optional<AnalyseOptions> ParseAnalyseOptions(std::span<const std::string_view> arguments) {
  AnalyseOptions options;
  bool haveRecording = false;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string_view a = arguments[i];
    if (a == "--settings" || a == "--sample-size") {
      if (i + 1 >= arguments.size()) return std::nullopt;
      const std::string_view value = arguments[++i];
      if (a == "--settings") {
        options.settingsFile = std::string(value);
      } else {
        const auto n = ParseInteger(value);
        if (!n || std::to_string(*n) != Trim(value) || !IsValidSampleSize(*n)) return std::nullopt;
        options.sampleSize = static_cast<std::int32_t>(*n);
      }
    } else if (a == "--8bit") {
      options.eightBit = true;
    } else if (a == "-" || (!a.empty() && a.front() != '-')) {
      if (haveRecording) return std::nullopt;
      options.recording = std::string(a);
      haveRecording = true;
    } else {
      return std::nullopt;
    }
  }
  if (!haveRecording) return std::nullopt;
  return options;
}

int AnalyseRecording(const AnalyseOptions& options, std::istream& standardInput, std::ostream& out,
                     std::ostream& error) {
  MainSettings settings;
  Default(settings);
  if (options.settingsFile) {
    std::error_code e;
    const auto text = ReadWholeFile(*options.settingsFile, e);
    if (!text) {
      error << kProgram << ": cannot read the settings file \"" << *options.settingsFile << "\": " << ErrorText(e)
            << "\n";
      return 2;
    }
    ProfileRecall(ProfileDocument::Parse(*text), settings);
  }
  const std::int32_t n = options.sampleSize.value_or(settings.display.sampleSize);

  std::string bytes;
  if (options.recording == "-") {
    bytes.assign(std::istreambuf_iterator<char>(standardInput), std::istreambuf_iterator<char>());
  } else {
    std::error_code e;
    auto text = ReadWholeFile(options.recording, e);
    if (!text) {
      error << kProgram << ": cannot read the recording \"" << options.recording << "\": " << ErrorText(e) << "\n";
      return 2;
    }
    bytes = std::move(*text);
  }
  const std::vector<std::int16_t> samples = Decode(bytes, options.eightBit);
  if (samples.size() < static_cast<std::size_t>(n)) {
    error << kProgram << ": the recording \"" << options.recording << "\" holds less than one buffer of " << n
          << " samples\n";
    return 2;
  }

  SignalAnalysis analysis(settings.detector);
  DetectorStatistics statistics;
  analysis.RestartContinuity();
  out << "buffer,seconds,level_db,valid,busy,noise,label,pactor2_score,pactor3_variant,pactor3_score\n";
  std::string panel;
  std::size_t buffer = 0;
  // Whole buffers only, as playback reads them: a partial last buffer is left out.
  for (std::size_t start = 0; start + static_cast<std::size_t>(n) <= samples.size(); start += static_cast<std::size_t>(n)) {
    const std::span<const std::int16_t> block(samples.data() + start, static_cast<std::size_t>(n));
    const bool valid = std::any_of(block.begin(), block.end(), [](std::int16_t s) { return s != 0; });
    analysis.Analyse(block, n);
    const Verdict v = analysis.Detect(panel);
    StatisticsUpdate(statistics, analysis.Results(), settings.detector, analysis.Spectrum().SignalLevel());
    const DetectorResults& r = analysis.Results();
    ++buffer;
    out << buffer << ',' << FormatNumber(static_cast<double>(start) / kSampleRateHz, "0.000") << ','
        << FormatNumber(analysis.Spectrum().SignalLevel(), "0.0") << ',' << (valid ? 1 : 0) << ',' << (v.busy ? 1 : 0)
        << ',' << (v.noise ? 1 : 0) << ',' << Csv(valid ? panel : "Low Input Level") << ','
        << FormatNumber(r.pactor2Score, "0.0") << ',' << r.pactor3Variant << ','
        << FormatNumber(r.pactor3Score, "0.0") << '\n';
  }

  out << '\n';
  const float bufferSeconds = static_cast<float>(n) / kSampleRateHz;
  for (int k = 1; k <= kStatisticsDetectors; ++k)
    out << Lines(statistics.Text(static_cast<StatisticsDetector>(k), bufferSeconds)) << '\n';
  return 0;
}

}  // namespace velmora
