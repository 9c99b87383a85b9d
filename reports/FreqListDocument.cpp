#include "reports/FreqListDocument.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "airmail/AirmailProfile.h"
#include "airmail/FrequencyLabel.h"
#include "common/SystemLib.h"
#include "common/TextParse.h"

namespace velmora {
namespace {

constexpr long kLongestEntry = 5000;
// Past any range on earth (the antipode is 10800 nmi): a station without a
// position goes after every one with a range.
constexpr double kUnknownRange = std::numeric_limits<double>::infinity();

// A blue run may carry the list's separators with its frequencies
// ("3590," or "7102#;10145"): split there, as AirMail's lists are.
void LabelsAdd(std::string_view run, std::vector<std::string>& labels) {
  while (!run.empty()) {
    size_t end = std::min(run.find_first_of(",;"), run.size());
    if (auto label = FrequencyReformat(run.substr(0, end))) labels.push_back(*label);
    run.remove_prefix(std::min(end + 1, run.size()));
  }
}

// The red run without the full stop or blanks coloured with it.
std::string StationName(std::string_view run) {
  while (!run.empty() && (run.back() == '.' || run.back() == ' ')) run.remove_suffix(1);
  while (!run.empty() && run.front() == ' ') run.remove_prefix(1);
  return std::string(run);
}

}  // namespace

std::string FreqListUnreadableText(const std::filesystem::path& freqList) {
  return std::string(kFreqListUnreadable) + AirmailErrorDataMessage(PathText(freqList.parent_path()));
}

long FreqListDocument::GetStationBegin(long first, long last) const {
  for (long at = std::max(first, 0L); at <= std::min(last, Last()); ++at)
    if (IsRed(at)) return at;
  return -1;
}

long FreqListDocument::GetStationNameEnd(long first, long last) const {
  long at = std::max(first, 0L);
  while (at <= std::min(last, Last()) && IsRed(at)) ++at;
  return at - 1;
}

long FreqListDocument::GetStationEnd(long first, long last) const {
  bool otherSeen = false;
  for (long at = std::max(first, 0L); at <= std::min(last, Last()); ++at) {
    if (!IsRed(at)) otherSeen = true;
    else if (otherSeen) return at - 1;
  }
  return std::min(last, Last());
}

std::string FreqListDocument::GetStationText(long first, long last) const {
  first = std::max(first, 0L);
  last = std::min(last, Last());
  return first > last ? std::string() : d_.text.substr(first, last - first + 1);
}

long FreqListDocument::Find(std::string_view what, long first, long last) const {
  first = std::max(first, 0L);
  last = std::min(last, Last());
  if (first > last) return -1;
  // Searched no further than `last`: an entry's search never runs on to the
  // document's end, which made reading every entry take time squared.
  std::string_view text(d_.text);
  std::string_view range = text.substr(0, static_cast<size_t>(last) + 1);
  for (size_t at = range.find(what, static_cast<size_t>(first)); at != std::string_view::npos;
       at = range.find(what, at + 1)) {
    // "Station 1" is no heading of "Station 12".
    size_t after = at + what.size();
    if (after >= text.size() || !IsAsciiDigit(text[after])) return static_cast<long>(at);
  }
  return -1;
}

long FreqListDocument::GetStationStation(int transceiver, long first, long last) const {
  long at = Find("Station " + std::to_string(transceiver), first, last);
  return at >= 0 ? at : Find("Station-" + std::to_string(transceiver), first, last);
}

std::optional<FoundFrequency> FreqListDocument::GetStationFrequency(long first, long last) const {
  last = std::min(last, Last());
  long at = std::max(first, 0L);
  // A blank ends a frequency and starts none, so a blue blank is passed
  // over: each call moves on, however the runs are coloured.
  while (at <= last && (d_.colours[at] != kBlue || d_.text[at] == ' ')) ++at;
  if (at > last) return std::nullopt;
  FoundFrequency found;
  while (at <= last && d_.colours[at] == kBlue && d_.text[at] != ' ') found.text += d_.text[at++];
  found.next = at;
  return found;
}

long FreqListDocument::FindStation(std::string_view station) const {
  if (station.empty()) return -1;
  std::string name = std::string(station) + ".";
  for (size_t at = d_.text.find(name); at != std::string::npos; at = d_.text.find(name, at + 1))
    if (IsRed(static_cast<long>(at)) && !InsideRedName(static_cast<long>(at))) return static_cast<long>(at);
  return -1;
}

// The red character before `at` is a call sign's (W1AW inside KW1AW or
// VE2/W1AW); a red blank, line end or mark before it is not.
bool FreqListDocument::InsideRedName(long at) const {
  if (at <= 0 || !IsRed(at - 1)) return false;
  char before = d_.text[at - 1];
  return (IsAsciiLetter(before) || IsAsciiDigit(before)) || before == '/' || before == '-';
}

bool FreqListDocument::HasBeam(long nameStart) const {
  long end = GetStationEnd(nameStart, nameStart + kLongestEntry);
  return GetStationText(nameStart, end).find(" B ") != std::string::npos;
}

std::vector<StationRadioRecord> FreqListTransceivers(const FreqListDocument& document) {
  std::vector<StationRadioRecord> records;
  const long last = document.Last();
  for (long begin = document.GetStationBegin(0, last); begin >= 0;) {
    long nameEnd = document.GetStationNameEnd(begin, last);
    long next = document.GetStationBegin(document.GetStationEnd(begin, last) + 1, last);
    long entryEnd = next >= 0 ? next - 1 : last;
    std::string station = StationName(document.GetStationText(begin, nameEnd));
    for (int n = 1;; ++n) {
      long heading = document.GetStationStation(n, nameEnd + 1, entryEnd);
      if (heading < 0) break;
      long following = document.GetStationStation(n + 1, heading + 1, entryEnd);
      long upTo = following >= 0 ? following - 1 : entryEnd;
      StationRadioRecord record{"HAM", station, std::to_string(n), {}};
      for (auto f = document.GetStationFrequency(heading, upTo); f; f = document.GetStationFrequency(f->next, upTo))
        LabelsAdd(f->text, record.labels);
      records.push_back(std::move(record));
    }
    begin = next;
  }
  return records;
}

std::vector<std::string> FreqListBeams(const FreqListDocument& document, const std::vector<std::string>& stations,
                                       const std::function<std::optional<double>(const std::string&)>& range,
                                       const std::function<void(const std::string&)>& searching) {
  std::vector<std::pair<double, std::string>> beams;
  for (auto station = stations.rbegin(); station != stations.rend(); ++station) {
    if (searching) searching(*station);
    long at = document.FindStation(*station);
    if (at < 0 || !document.HasBeam(at)) continue;
    auto r = range(*station);
    beams.emplace_back(r ? std::round(*r) : kUnknownRange, *station);
  }
  std::reverse(beams.begin(), beams.end());  // back in the list's order before the ties are kept
  std::stable_sort(beams.begin(), beams.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
  std::vector<std::string> out;
  for (auto& [r, station] : beams) out.push_back(std::move(station));
  return out;
}

}  // namespace velmora
