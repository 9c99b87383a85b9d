// "StationOccupancyData.txt": read as a run's end reads it, what was heard
// added, faded and bounded, written and read back whole; and shown as the
// occupancy window and the "Busy" column show it.
#include "selection/BusyShare.h"
#include "selection/OccupancyHoursTable.h"
#include "selection/StationOccupancy.h"
#include "tests/fuzz/FuzzSupport.h"

using namespace velmora;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto file = fuzz::ScratchFile(kStationOccupancyDataFile, fuzz::Text(data, size));
  OccupancyRead read = StationOccupancyRead(file);
  if (read.unreadable) return 0;
  StationOccupancy& record = read.record;
  const OccupancyDay today = OccupancyDayOf({2026, 12, 7, 15, 30, 0, 0});
  record.Add({"HAM", "W1AW", "14075.0", 15}, 60, 30, today, 30);
  record.Bound(today, 30);

  OccupancyHoursRequest request{"HAM", "W1AW", {"14075.0", "14080.0(p3)"}, today, 30};
  if (!record.All().empty()) {  // the first station the file knows, one of its labels among those asked for
    const auto& first = record.All().begin()->first;
    request = {first.system, first.station, {"14075.0", "14080.0(p3)", first.frequency}, today, 30};
  }
  FrequencyTable table;
  OccupancyHoursFill(table, record, request, fuzz::Width);
  OccupancyNow now{record, 15, today, 30};
  if (auto entry = now.At(request.system, request.station, request.labels.front())) {
    BusyCellText(*entry);
    BusyToolTipText(*entry, 15, today);
  }

  std::error_code error;
  fuzz::Require(StationOccupancyWrite(file, record, error));
  OccupancyRead again = StationOccupancyRead(file);
  // What the program writes it reads back whole.
  fuzz::Require(again.problem.empty() && again.record.All().size() == record.All().size());
  return 0;
}
