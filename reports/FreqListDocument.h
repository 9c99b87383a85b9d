#pragma once
// AirMail's "FreqList.rtf" read by colour: a station's name is a red run
// followed by ".", its entry runs to the next red character after other
// colours, frequencies are blue runs, a directional antenna is " B ".
// Positions are character offsets; -1 is "not found"; `last` is included.
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "airmail/StationRadioData.h"
#include "reports/ColouredText.h"

namespace velmora {

// Told of a document that cannot be read or is no rich text.
inline constexpr std::string_view kFreqListUnreadable = "Unable to open AirMail's \"FreqList.rtf\" file.";
// That message with the folder to check, as every message about AirMail's
// files: a wrong data folder is the likeliest cause.
std::string FreqListUnreadableText(const std::filesystem::path& freqList);

struct FoundFrequency {
  std::string text;  // the blue run as written, "14080#"
  long next = -1;    // the position after it
};

class FreqListDocument {
 public:
  explicit FreqListDocument(ColouredText document) : d_(std::move(document)) {}

  long Last() const { return static_cast<long>(d_.text.size()) - 1; }

  long GetStationBegin(long first, long last) const;
  long GetStationNameEnd(long first, long last) const;
  long GetStationEnd(long first, long last) const;
  std::string GetStationText(long first, long last) const;
  long GetStationStation(int transceiver, long first, long last) const;
  std::optional<FoundFrequency> GetStationFrequency(long first, long last) const;

  // The start of the station's red name followed by "."; black mentions
  // of the name, and the tail of a longer red name, do not count.
  long FindStation(std::string_view station) const;
  // The entry starting there describes a directional antenna, looked for
  // no further than 5000 characters on.
  bool HasBeam(long nameStart) const;

 private:
  bool IsRed(long at) const { return d_.colours[at] == kRed; }
  bool InsideRedName(long at) const;
  long Find(std::string_view what, long first, long last) const;

  ColouredText d_;
};

// One record per station and transceiver heading, with the labels of the
// frequencies under that heading, system "HAM".
std::vector<StationRadioRecord> FreqListTransceivers(const FreqListDocument& document);

// The stations whose entry describes a directional antenna, nearest first
// (a station without a range last); ties keep the list's order.
// `searching` hears of each station, from the list's end back, as it is
// looked for: a long list keeps the status line moving.
std::vector<std::string> FreqListBeams(const FreqListDocument& document, const std::vector<std::string>& stations,
                                       const std::function<std::optional<double>(const std::string&)>& range,
                                       const std::function<void(const std::string&)>& searching = {});

}  // namespace velmora
