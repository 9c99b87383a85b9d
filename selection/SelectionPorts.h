#pragma once
// What the frequency selection needs from the rest of the program: the
// prediction for a station, the positions of the ship and the stations with
// the range and azimuth between them, and the present UTC time. Each of
// them reports its own failures to the user.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "airmail/Locator.h"
#include "common/SystemLib.h"
#include "propagation/PredictionNow.h"
#include "propagation/PropagationHours.h"

namespace velmora {

struct PredictionRequest {
  std::string system;
  std::string station;
  LatLon stationPosition;  // the transmitter
  LatLon ship;             // the receiver
  UtcDateTime time;        // the present UTC time plus "Propagation Model Time Shift"
  std::vector<double> frequencies;  // kHz, one per row, in row order
  // Recalled data is predicted again with the sunspot number of its day.
  std::optional<float> sunSpotNumber;
};

class PredictionSource {
 public:
  virtual ~PredictionSource() = default;
  // The prediction, one entry per asked frequency in the same order;
  // nullopt when it failed (the failure has been reported).
  virtual std::optional<PredictionNow> PredictionGet(const PredictionRequest& request) = 0;

  // A fill of this many stations begins, or has ended: what every station
  // of one fill shares (the sunspot number) is read once, and the fill's
  // progress is shown.
  virtual void PredictionsBegin(int stationCount) {}
  virtual void PredictionsEnd() {}
  // Within a fill: the requests it will make next, in its order, so that
  // they can be predicted together; each is still asked for on its own.
  virtual void PredictionsAhead(const std::vector<PredictionRequest>& requests) {}
};

// One fill's predictions, begun and ended with the scope.
class PredictionFill {
 public:
  PredictionFill(PredictionSource& source, size_t stationCount) : source_(source) {
    source_.PredictionsBegin(static_cast<int>(stationCount));
  }
  PredictionFill(const PredictionFill&) = delete;
  PredictionFill& operator=(const PredictionFill&) = delete;
  ~PredictionFill() { source_.PredictionsEnd(); }

 private:
  PredictionSource& source_;
};

// The prediction of every hour of a day, for the hours window.
class DayPredictionSource {
 public:
  virtual ~DayPredictionSource() = default;
  // The hours 00 to 23 UTC of the request's month (the time's day and hour
  // do not matter), one frequency column per asked frequency; nullopt when
  // it failed (reported).
  virtual std::optional<PropagationHours> PredictionDayGet(const PredictionRequest& request) = 0;
};

// Until predictions are attached: none for any station, told to nobody.
// The rows keep their frequencies, all boxes checked, and empty cells.
class NoPredictions final : public PredictionSource {
 public:
  std::optional<PredictionNow> PredictionGet(const PredictionRequest&) override { return std::nullopt; }
};

struct StationBearing {
  double range = 0;    // nautical miles
  // Degrees, the true bearing at the ship towards the station; none at the
  // station's own place or its antipode.
  std::optional<double> azimuth;
};

class StationGeometry {
 public:
  virtual ~StationGeometry() = default;
  // The ship's position from AirMail's files; nullopt (reported) when none can be read.
  virtual std::optional<LatLon> ShipPosition() = 0;
  // The station's position from its locator; nullopt (reported) when it has none.
  virtual std::optional<LatLon> StationPosition(std::string_view system, std::string_view station) = 0;
  virtual StationBearing Bearing(const LatLon& ship, const LatLon& station) = 0;
};

class UtcClock {
 public:
  virtual ~UtcClock() = default;
  virtual UtcDateTime Now() = 0;
};

class SystemUtcClock final : public UtcClock {
 public:
  UtcDateTime Now() override { return UtcNow(); }
};

}  // namespace velmora
