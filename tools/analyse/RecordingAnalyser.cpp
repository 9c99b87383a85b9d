#include "tools/analyse/RecordingAnalyser.h"

#include <algorithm>
#include <cerrno>
#include <memory>
#include <ostream>
#include <vector>

#include "analysis/DetectorStatistics.h"
#include "analysis/SignalAnalysis.h"
#include "audio/MainSettings.h"
#include "common/Format.h"
#include "common/SampleFormat.h"
#include "common/SystemLib.h"
#include "common/TextParse.h"

namespace velmora {
namespace {

constexpr const char* kProgram = "velmora-analyse";
// A settings file is a few kilobytes; anything far larger is some other file.
constexpr std::size_t kMostSettingsBytes = 1 << 20;

std::string Csv(std::string text) {
  std::replace(text.begin(), text.end(), ',', ';');
  return text;
}

std::string Lines(std::string text) {
  std::string out;
  for (char c : text) out += c == '\r' ? '\n' : c;
  return out;
}

std::error_code LastError() { return {errno ? errno : EIO, std::generic_category()}; }

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

FilePtr Open(const std::string& file, std::error_code& error) {
  errno = 0;
  FilePtr f(std::fopen(file.c_str(), "rb"));
  if (!f) error = LastError();
  return f;
}

// The settings file, or nullopt with a line on the error stream.
std::optional<std::string> ReadSettings(const std::string& file, std::ostream& error) {
  std::error_code e;
  auto f = Open(file, e);
  std::string text(kMostSettingsBytes + 1, '\0');
  if (f) {
    errno = 0;
    text.resize(std::fread(text.data(), 1, text.size(), f.get()));
    if (std::ferror(f.get())) e = LastError();
  }
  if (e) {
    error << kProgram << ": cannot read the settings file \"" << file << "\": " << ErrorText(e) << "\n";
    return std::nullopt;
  }
  if (text.size() > kMostSettingsBytes) {
    error << kProgram << ": the settings file \"" << file << "\" is too large to be one\n";
    return std::nullopt;
  }
  return text;
}

// Whether the file holds any value the analysis takes from a settings file.
bool HoldsSettings(const ProfileDocument& profile) {
  for (const char* section : {kDetectorSection, kDisplaySection})
    for (const auto& entry : profile.Entries(section))
      if (entry.value && !entry.value->empty()) return true;
  return false;
}

// Whole buffers of a recording, one at a time as playback reads them: a
// partial last buffer is left out, and nothing more than a buffer is held.
class BufferReader {
 public:
  BufferReader(std::FILE* file, bool eightBit, std::int32_t samples)
      : file_(file), eightBit_(eightBit), bytes_(static_cast<std::size_t>(samples) * (eightBit ? 1 : 2)) {}

  // False at the end of the recording or on a read error (`error` set).
  bool Next(std::vector<std::int16_t>& samples, std::error_code& error) {
    errno = 0;
    const std::size_t got = std::fread(bytes_.data(), 1, bytes_.size(), file_);
    if (std::ferror(file_)) {
      error = LastError();
      return false;
    }
    if (got < bytes_.size()) return false;
    const std::size_t count = eightBit_ ? bytes_.size() : bytes_.size() / 2;
    samples.resize(count);
    for (std::size_t i = 0; i < count; ++i) {
      if (eightBit_) {
        samples[i] = static_cast<std::int16_t>((bytes_[i] - 128) * 256);
      } else {
        const unsigned lo = bytes_[2 * i], hi = bytes_[2 * i + 1];
        samples[i] = static_cast<std::int16_t>(static_cast<std::uint16_t>(lo | (hi << 8)));
      }
    }
    return true;
  }

 private:
  std::FILE* file_;
  bool eightBit_;
  std::vector<unsigned char> bytes_;
};

std::string SampleSizeProblem(std::string_view value) {
  return "--sample-size: " + std::string(value) + " is not a power of two from " + std::to_string(kSampleSizeMin) +
         " to " + std::to_string(kSampleSizeMax);
}

// The settings file's values over the defaults; false with a line on the error stream.
bool RecallSettings(const std::string& file, MainSettings& settings, std::ostream& error) {
  const auto text = ReadSettings(file, error);
  if (!text) return false;
  const auto profile = ProfileDocument::Parse(*text);
  if (!HoldsSettings(profile))
    error << kProgram << ": the settings file \"" << file << "\" holds no \"" << kDetectorSection << "\" or \""
          << kDisplaySection << "\" values; the built-in ones are used\n";
  ProfileRecall(profile, settings);
  return true;
}

// The recording, or nothing with a line on the error stream.
FilePtr OpenRecording(const std::string& file, std::ostream& error) {
  std::error_code e;
  FilePtr opened = Open(file, e);
  if (!opened) error << kProgram << ": cannot read the recording \"" << file << "\": " << ErrorText(e) << "\n";
  return opened;
}

// Buffer index's line: its start, level, verdict and the Pactor scores.
void PrintBufferLine(std::ostream& out, std::size_t index, std::int32_t n, bool valid, const Verdict& v,
                     const std::string& panel, const SignalAnalysis& analysis) {
  const DetectorResults& r = analysis.Results();
  const double seconds = static_cast<double>(index) * n / kSampleRateHz;
  out << index + 1 << ',' << FormatNumber(seconds, "0.000") << ','
      << FormatNumber(analysis.Spectrum().SignalLevel(), "0.0") << ',' << (valid ? 1 : 0) << ',' << (v.busy ? 1 : 0)
      << ',' << (v.noise ? 1 : 0) << ',' << Csv(valid ? panel : "Low Input Level") << ','
      << FormatNumber(r.pactor2Score, "0.0") << ',' << r.pactor3Variant << ','
      << FormatNumber(r.pactor3Score, "0.0") << '\n';
}

// Every whole buffer through the analysis as playback runs it, a line each;
// returns how many were read.
std::size_t AnalyseBuffers(BufferReader& reader, std::int32_t n, const DetectorSettings& detector,
                           SignalAnalysis& analysis, DetectorStatistics& statistics, std::ostream& out,
                           std::error_code& readError) {
  std::string panel;
  std::vector<std::int16_t> block;
  std::size_t buffer = 0;
  while (reader.Next(block, readError)) {
    if (buffer == 0)
      out << "buffer,seconds,level_db,valid,busy,noise,label,pactor2_score,pactor3_variant,pactor3_score\n";
    const bool valid = !IsSilentBuffer(block);
    analysis.Analyse(block, n);
    const Verdict v = analysis.Detect(panel);
    StatisticsUpdate(statistics, analysis.Results(), detector, analysis.Spectrum().SignalLevel(),
                     analysis.BufferSeconds());
    PrintBufferLine(out, buffer, n, valid, v, panel, analysis);
    ++buffer;
  }
  return buffer;
}

// The detectors' statistics after the last line.
void PrintStatistics(const DetectorStatistics& statistics, const DetectorSettings& settings, std::int32_t n,
                     std::ostream& out) {
  out << '\n';
  const float bufferSeconds = static_cast<float>(n) / kSampleRateHz;
  for (int k = 1; k <= kStatisticsDetectors; ++k) {
    const auto detector = static_cast<StatisticsDetector>(k);
    // The digital block only where it was asked for: without it the output is as it always was.
    if (detector == StatisticsDetector::Digital && !settings.digitalBusy) continue;
    out << Lines(statistics.Text(detector, bufferSeconds)) << '\n';
  }
}

}  // namespace

std::string AnalyseUsage() {
  return std::string("usage: ") + kProgram +
         " [--settings FILE] [--sample-size N] [--8bit] RECORDING.bin\n"
         "Runs a recording through Velmora's spectrum and detectors, as playback does,\n"
         "and prints one CSV line per buffer, then the detector statistics.\n"
         "  RECORDING.bin  headerless mono PCM at 11025 Hz, 16-bit signed little-endian\n"
         "                 (or 8-bit unsigned with --8bit); \"-\" reads standard input\n"
         "  --settings     a Velmora.Ini whose \"Detector Data\" and \"Sample Size\" are used\n"
         "  --sample-size  samples per buffer: 256, 512, ... 32768 (default: the settings', else 2048)\n"
         "  --help         this text\n"
         "Exit status: 0 done, 2 bad arguments, a recording that cannot be read or an output that cannot be written.\n";
}

std::optional<AnalyseOptions> ParseAnalyseOptions(std::span<const std::string_view> arguments, std::string& problem) {
  AnalyseOptions options;
  bool haveRecording = false;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string_view a = arguments[i];
    if (a == "--settings" || a == "--sample-size") {
      if (i + 1 >= arguments.size()) {
        problem = std::string(a) + (a == "--settings" ? ": a settings file must follow" : ": a size must follow");
        return std::nullopt;
      }
      const std::string_view value = arguments[++i];
      if (a == "--settings") {
        options.settingsFile = std::string(value);
      } else {
        const auto n = ParseInteger(value);
        if (!n || std::to_string(*n) != Trim(value) || !IsValidSampleSize(*n)) {
          problem = SampleSizeProblem(value);
          return std::nullopt;
        }
        options.sampleSize = static_cast<std::int32_t>(*n);
      }
    } else if (a == "--8bit") {
      options.eightBit = true;
    } else if (a == "-" || (!a.empty() && a.front() != '-')) {
      if (haveRecording) {
        problem = std::string(a) + ": one recording only, \"" + options.recording + "\" is the first";
        return std::nullopt;
      }
      options.recording = std::string(a);
      haveRecording = true;
    } else {
      problem = (a.empty() ? std::string("\"\"") : std::string(a)) + ": no such option";
      return std::nullopt;
    }
  }
  if (!haveRecording) {
    problem = "no recording given";
    return std::nullopt;
  }
  return options;
}

int AnalyseRecording(const AnalyseOptions& options, std::FILE* standardInput, std::ostream& out,
                     std::ostream& error) {
  MainSettings settings;
  Default(settings);
  if (options.settingsFile && !RecallSettings(*options.settingsFile, settings, error)) return 2;
  const std::int32_t n = options.sampleSize.value_or(settings.display.sampleSize);

  FilePtr opened;
  std::FILE* input = standardInput;
  if (options.recording != "-") {
    opened = OpenRecording(options.recording, error);
    if (!opened) return 2;
    input = opened.get();
  }
  BufferReader reader(input, options.eightBit, n);

  SignalAnalysis analysis(settings.detector);
  DetectorStatistics statistics;
  analysis.RestartContinuity();
  std::error_code readError;
  const std::size_t buffers = AnalyseBuffers(reader, n, settings.detector, analysis, statistics, out, readError);
  if (readError) {
    out.flush();
    error << kProgram << ": cannot read the recording \"" << options.recording << "\": " << ErrorText(readError)
          << "\n";
    return 2;
  }
  if (buffers == 0) {
    error << kProgram << ": the recording \"" << options.recording << "\" holds less than one buffer of " << n
          << " samples\n";
    return 2;
  }
  PrintStatistics(statistics, settings.detector, n, out);
  return 0;
}

}  // namespace velmora
