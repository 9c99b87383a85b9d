#pragma once
// The occupancy record's side of the listening port: what a run heard is
// gathered per station, frequency, UTC hour and day, and added to
// "StationOccupancyData.txt" once the run ends, the old knowledge faded to
// the day heard. A file that cannot be read, or holds a line that does not
// read, is left as it is, and what was heard waits for the next end, as it
// does when the write fails.
#include <filesystem>
#include <vector>

#include "airmail/AutoConnectSettings.h"
#include "autoconnect/ChannelListening.h"
#include "common/Messages.h"
#include "selection/SelectionPorts.h"
#include "selection/StationOccupancy.h"

namespace velmora {

class OccupancyRecorder final : public ChannelListening {
 public:
  // `settings` give the half-life; the run's own, taken at its start.
  OccupancyRecorder(std::filesystem::path file, const AutoConnectSettings& settings, UtcClock& clock,
                    Messenger& messenger)
      : file_(std::move(file)), settings_(settings), clock_(clock), messenger_(messenger) {}

  void Heard(const CallTarget& where, double seconds, bool busy) override;
  void ListeningEnded() override;

  // Heard and not kept yet: seconds heard in all.
  double PendingSeconds() const;

 private:
  struct Stretch {
    OccupancyKey key;
    OccupancyDay day;
    double heard = 0, busy = 0;
    bool Holds(const CallTarget& where, int hour, OccupancyDay on) const {
      return key.hour == hour && day == on && key.frequency == where.frequency && key.station == where.station &&
             key.system == where.system;
    }
  };

  std::filesystem::path file_;
  const AutoConnectSettings& settings_;
  UtcClock& clock_;
  Messenger& messenger_;
  std::vector<Stretch> pending_;
};

}  // namespace velmora
