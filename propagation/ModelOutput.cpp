#include "propagation/ModelOutput.h"

#include <cmath>
#include <optional>

#include "common/TextFileLines.h"
#include "common/TextParse.h"

namespace velmora {
namespace {

// The output's lines and a reading position that only moves forward.
class OutputLines {
 public:
  explicit OutputLines(std::string_view text) : lines_(text) {}

  // The next line that holds the text anywhere.
  std::optional<std::string_view> Find(std::string_view text) {
    while (auto line = lines_.Next())
      if (line->find(text) != std::string_view::npos) return line;
    return std::nullopt;
  }
  std::optional<std::string_view> Next() { return lines_.Next(); }

 private:
  TextLines lines_;
};

std::string EndsBefore(std::string_view what, int hour = -1) {
  std::string text = "The output ends before \"" + std::string(what) + "\"";
  if (hour >= 0) text += " of hour " + std::to_string(hour + 1);
  return text + ".";
}

// Columns first..last of a line, counted from 1.
std::string_view Columns(std::string_view line, size_t first, size_t last) {
  return Mid(line, first - 1, last - first + 1);
}

// A field that holds no number ("-", blanks) leaves the value as it was.
void SetNumber(std::string_view field, double& value, double scale = 1) {
  if (auto number = ParseLeadingNumber(field)) value = *number * scale;
}

// The 5-column field of the k-th frequency, the first at 'column'.
std::string_view FrequencyField(std::string_view line, size_t column, size_t k) {
  return Columns(line, column + 5 * k, column + 5 * k + 4);
}

// The hour of day (1-24) a line of the MUF table begins with.
std::optional<int> TableHour(std::string_view line) {
  auto hour = ParseLeadingNumber(line);
  if (!hour || *hour != std::floor(*hour) || *hour < 1 || *hour > 24) return std::nullopt;
  return static_cast<int>(*hour);
}

// The program lists the MUF table by the hour of day and puts midnight
// (hour 24) last, even when the run starts there: each line goes to the
// hour it names, and only a line of an hour outside the run by its place.
size_t HourIndex(int hour, int firstHour, int hourCount, size_t place) {
  int index = ((hour - firstHour) % 24 + 24) % 24;
  return index < hourCount ? static_cast<size_t>(index) : place;
}

bool ReadAzimuths(OutputLines& out, PropagationHours& results, std::string& problem) {
  auto line = out.Find("AZIMUTHS") ? out.Next() : std::nullopt;
  if (!line) {
    problem = EndsBefore("AZIMUTHS");
    return false;
  }
  SetNumber(Columns(*line, 43, 48), results.transmitterAzimuth);
  SetNumber(Columns(*line, 51, 56), results.receiverAzimuth);
  SetNumber(Columns(*line, 60, 66), results.pathLength);
  return true;
}

// The MUF and LUF of every hour, from the table below "MUF    LUF".
bool ReadMufLuf(OutputLines& out, int firstHour, int hourCount, PropagationHours& results, std::string& problem) {
  if (!out.Find("MUF    LUF") || !out.Next()) {
    problem = EndsBefore("MUF    LUF");
    return false;
  }
  for (int i = 0; i < hourCount; ++i) {
    // A line without an hour and both numbers is the page after a table
    // cut short (its "METHOD 20" would read as a MUF of 20 MHz).
    auto line = out.Next();
    auto hour = line ? TableHour(*line) : std::nullopt;
    auto muf = line ? ParseLeadingNumber(Columns(*line, 39, 43)) : std::nullopt;
    auto luf = line ? ParseLeadingNumber(Columns(*line, 46, 50)) : std::nullopt;
    if (!hour || !muf || !luf) {
      problem = EndsBefore("MUF    LUF", i);
      return false;
    }
    auto& prediction = results.hours[HourIndex(*hour, firstHour, hourCount, static_cast<size_t>(i))];
    prediction.muf = *muf * 1000;
    // A minus sign before the LUF is a mark of the program's, not a
    // frequency below zero; below 10 MHz it falls inside the columns.
    prediction.luf = std::fabs(*luf) * 1000;
  }
  return true;
}

// The lines of an hour's block, each with a value per frequency.
struct FrequencyTableLine {
  std::string_view search;
  double FrequencyHour::*value;  // nullptr: the mode text
};
constexpr FrequencyTableLine kFrequencyTableLines[] = {
    {"MODE", nullptr},
    {"ANGLE", &FrequencyHour::takeoffAngle},
    {"DELAY", &FrequencyHour::delay},
    {"V HITE", &FrequencyHour::virtualHeight},
    {"S DBW", &FrequencyHour::signal},
    {"N DBW", &FrequencyHour::noise},
    {"SNRxx", &FrequencyHour::snr},
};

bool ReadFrequencyTables(OutputLines& out, int hourCount, size_t firstColumn, size_t frequencyCount,
                         PropagationHours& results, std::string& problem) {
  for (int h = 0; h < hourCount; ++h) {
    for (const auto& table : kFrequencyTableLines) {
      auto line = out.Find(table.search);
      if (!line) {
        problem = EndsBefore(table.search, h);
        return false;
      }
      for (size_t k = 0; k < frequencyCount; ++k) {
        auto field = FrequencyField(*line, 12, k);
        auto& cell = results.hours[h].frequencies[firstColumn + k];
        if (table.value)
          SetNumber(field, cell.*table.value);
        else
          cell.mode = std::string(field);
      }
    }
  }
  return true;
}

// The next line of hour h that holds the text, or the problem of an output
// that ends before it.
std::optional<std::string_view> FindInHour(OutputLines& out, std::string_view search, int h, std::string& problem) {
  auto line = out.Find(search);
  if (!line) problem = EndsBefore(search, h);
  return line;
}

void SetSignals(std::string_view dbu, size_t firstColumn, std::span<const float> frequencies, HourPrediction& hour) {
  for (size_t k = 0; k < frequencies.size(); ++k) {
    double fieldStrength = 0;
    auto& cell = hour.frequencies[firstColumn + k];
    if (!ParseLeadingNumber(FrequencyField(dbu, 9, k)) || frequencies[k] <= 0) continue;
    SetNumber(FrequencyField(dbu, 9, k), fieldStrength);
    // Field strength in dBuV/m to the power of an isotropic receiving antenna.
    cell.signal = fieldStrength - 137 - 20 * std::log10(frequencies[k] / 20000.0);
  }
}

void SetNoises(std::string_view signalToNoise, size_t firstColumn, size_t frequencyCount, HourPrediction& hour) {
  for (size_t k = 0; k < frequencyCount; ++k) {
    double ratio = 0;
    auto& cell = hour.frequencies[firstColumn + k];
    if (!ParseLeadingNumber(FrequencyField(signalToNoise, 9, k))) continue;
    SetNumber(FrequencyField(signalToNoise, 9, k), ratio);
    cell.noise = cell.signal - ratio;
  }
}

bool ReadRec533Hour(OutputLines& out, int h, size_t firstColumn, std::span<const float> frequencies,
                    HourPrediction& hour, std::string& problem) {
  auto freq = FindInHour(out, "FREQ", h, problem);
  if (!freq) return false;
  SetNumber(Columns(*freq, 5, 8), hour.muf, 1000);
  SetNumber(Columns(*freq, 65, 68), hour.luf, 1000);
  auto mode = FindInHour(out, "MODE", h, problem);
  if (!mode) return false;
  for (size_t k = 0; k < frequencies.size(); ++k)
    hour.frequencies[firstColumn + k].mode = std::string(FrequencyField(*mode, 9, k));
  auto angle = FindInHour(out, "ANGL", h, problem);
  if (!angle) return false;
  for (size_t k = 0; k < frequencies.size(); ++k)
    SetNumber(FrequencyField(*angle, 9, k), hour.frequencies[firstColumn + k].takeoffAngle);
  auto dbu = FindInHour(out, "DBU", h, problem);
  if (!dbu) return false;
  SetSignals(*dbu, firstColumn, frequencies, hour);
  auto signalToNoise = FindInHour(out, "S/N", h, problem);
  if (!signalToNoise) return false;
  SetNoises(*signalToNoise, firstColumn, frequencies.size(), hour);
  auto snr = FindInHour(out, "SNxx", h, problem);
  if (!snr) return false;
  for (size_t k = 0; k < frequencies.size(); ++k)
    SetNumber(FrequencyField(*snr, 9, k), hour.frequencies[firstColumn + k].snr);
  return true;
}

}  // namespace

bool IcepacVoacapOutputRead(std::string_view output, int firstHour, int hourCount, size_t firstColumn,
                            size_t frequencyCount, PropagationHours& results, std::string& problem) {
  OutputLines out(output);
  if (!ReadMufLuf(out, firstHour, hourCount, results, problem)) return false;
  if (!ReadAzimuths(out, results, problem)) return false;
  return ReadFrequencyTables(out, hourCount, firstColumn, frequencyCount, results, problem);
}

bool Rec533OutputRead(std::string_view output, int hourCount, size_t firstColumn, std::span<const float> frequencies,
                      PropagationHours& results, std::string& problem) {
  OutputLines out(output);
  if (!ReadAzimuths(out, results, problem)) return false;
  for (int h = 0; h < hourCount; ++h)
    if (!ReadRec533Hour(out, h, firstColumn, frequencies, results.hours[h], problem)) return false;
  return true;
}

}  // namespace velmora
