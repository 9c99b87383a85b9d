#include "autoconnect/OccupancyRecorder.h"

#include <algorithm>
#include <iterator>

#include "common/SystemLib.h"
#include "common/TextParse.h"

namespace velmora {

void OccupancyRecorder::Heard(const CallTarget& where, double seconds, bool busy) {
  // Without a system, station or frequency it tells of no channel, and its
  // line would not read back: the whole record would be refused from then on.
  if (Trim(where.system).empty() || Trim(where.station).empty() || Trim(where.frequency).empty()) return;
  UtcDateTime now = clock_.Now();
  OccupancyDay day = OccupancyDayOf(now);
  // A run listens on few frequencies: the last one heard is nearly always the one.
  auto stretch = std::find_if(pending_.rbegin(), pending_.rend(),
                              [&](const Stretch& s) { return s.Holds(where, now.hour, day); });
  if (stretch == pending_.rend()) {
    pending_.push_back({{where.system, where.station, where.frequency, now.hour}, day});
    stretch = pending_.rbegin();
  }
  stretch->heard += seconds;
  if (busy) stretch->busy += seconds;
}

void OccupancyRecorder::ListeningEnded() {
  if (pending_.empty()) return;
  // Taken out first: a box below lets events run, and a new run may hear meanwhile.
  std::vector<Stretch> heard = std::move(pending_);
  pending_.clear();
  auto keep = [&] { pending_.insert(pending_.begin(), std::make_move_iterator(heard.begin()),
                                    std::make_move_iterator(heard.end())); };
  // A line that does not read would be lost in the rewrite: the file is
  // left whole, as one that cannot be read is.
  OccupancyRead read = StationOccupancyRead(file_);
  if (!read.problem.empty()) {
    messenger_.Show("StationOccupancyGet - " + read.problem);
    return keep();
  }
  StationOccupancy& record = read.record;
  double halfLife = settings_.stationOccupancyHalfLife;
  for (const auto& s : heard) record.Add(s.key, s.heard, s.busy, s.day, halfLife);
  record.Bound(OccupancyDayOf(clock_.Now()), halfLife);
  std::error_code error;
  if (StationOccupancyWrite(file_, record, error)) return;
  messenger_.Show("StationOccupancySet, " + ErrorText(error) + "\r" + NotWrittenText(file_) + ".");
  keep();
}

double OccupancyRecorder::PendingSeconds() const {
  double seconds = 0;
  for (const auto& s : pending_) seconds += s.heard;
  return seconds;
}

}  // namespace velmora
