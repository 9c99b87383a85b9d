#pragma once
// "StationOccupancyData.txt": how busy each station's frequency has been,
// hour by hour. Per system, station, frequency label and UTC hour it keeps
// the seconds heard and the seconds of them judged busy, as of the day the
// channel was last heard there. Old knowledge fades by half every
// "Station Occupancy Half Life" days, counted in whole days, so a channel
// that changed its habits is learned again within weeks; the busy share
// itself does not fade, only the weight of what was heard.
#include <chrono>
#include <cmath>
#include <compare>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>

#include "common/Messages.h"
#include "common/SystemLib.h"

namespace velmora {

inline constexpr const char* kStationOccupancyDataFile = "StationOccupancyData.txt";
inline constexpr const char* kStationOccupancyHeading =
    "System,Station,Frequency,Hour,Heard(Sec),Busy(Sec),Last Heard";
inline constexpr int kOccupancyHours = 24;
// The most entries kept: 650 station frequencies heard at every hour, some
// 35 KB a frequency. What was heard longest ago goes first.
inline constexpr size_t kOccupancyEntriesMost = 16000;
// An entry faded below this is forgotten.
inline constexpr double kOccupancyForgottenSeconds = 1;
// The file is never written near this size; a bigger one is none of ours
// and is refused unread.
inline constexpr size_t kOccupancyFileLimit = 4 << 20;

using OccupancyDay = std::chrono::sys_days;

OccupancyDay OccupancyDayOf(const UtcDateTime& time);
// "yyyy-mm-dd"; and back, nullopt for no real date.
std::string OccupancyDayText(OccupancyDay day);
std::optional<OccupancyDay> OccupancyDayParse(std::string_view text);

struct OccupancyKey {
  std::string system, station, frequency;  // the frequency label as the table shows it
  int hour = 0;                            // UTC, 0 to 23

  auto operator<=>(const OccupancyKey&) const = default;
};

struct OccupancyEntry {
  double heard = 0, busy = 0;  // seconds, as of the last day heard
  OccupancyDay lastHeard{};

  // Busy seconds per second heard, 0 to 1.
  double Share() const { return heard > 0 ? busy / heard : 0; }
  // The share in whole per cent, as it is shown and as the "Busy" rule weighs it.
  int Percent() const { return static_cast<int>(std::lround(100 * Share())); }
};

// The weight left after `days` whole days: halved every half-life. No
// days, or no half-life to go by, takes nothing away.
double OccupancyFade(long long days, double halfLifeDays);
// The entry as it counts on `day`.
OccupancyEntry OccupancyFadedTo(const OccupancyEntry& entry, OccupancyDay day, double halfLifeDays);

class StationOccupancy {
 public:
  using Entries = std::map<OccupancyKey, OccupancyEntry>;

  const Entries& All() const { return entries_; }
  bool Empty() const { return entries_.empty(); }
  const OccupancyEntry* Find(const OccupancyKey& key) const;
  // As Find, but a frequency that AirMail's list has since come to mark
  // Pactor 3 (or no longer marks) is found under its former label too.
  const OccupancyEntry* FindAsListed(const OccupancyKey& key) const;

  // Seconds heard on `day`: the entry's knowledge is faded to that day
  // first. Kept under its former Pactor 3 form, it takes the label now heard.
  void Add(const OccupancyKey& key, double heard, double busy, OccupancyDay day, double halfLifeDays);
  // Forgets what faded away by `day`, then, past kOccupancyEntriesMost, what
  // was heard longest ago (of one day, what was heard least).
  void Bound(OccupancyDay day, double halfLifeDays);
  // As read from the file: a key met twice keeps its sum.
  void Insert(OccupancyKey key, const OccupancyEntry& entry);

 private:
  Entries entries_;
};

// What a read found, for the message of its caller's name.
struct OccupancyRead {
  StationOccupancy record;
  // The file could not be opened or read (or is too big): nothing of it
  // was taken. With any problem it must not be written over.
  bool unreadable = false;
  std::string problem;  // "Open, ..." or "Read, ...", empty when the read was clean
};

// A missing file is an empty record. A line that does not read is left
// out with its number in the problem; every other line is taken.
OccupancyRead StationOccupancyRead(const std::filesystem::path& file);

// The record, with any problem told as "StationOccupancyGet - " + problem.
// `unreadable` says whether nothing of the file could be taken.
StationOccupancy StationOccupancyGet(const std::filesystem::path& file, Messenger& messenger,
                                     bool* unreadable = nullptr);

// Replaces the file whole: the heading, then one line per entry.
bool StationOccupancyWrite(const std::filesystem::path& file, const StationOccupancy& record,
                           std::error_code& error);

}  // namespace velmora
