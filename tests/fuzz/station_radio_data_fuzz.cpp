// "StationRadioData.txt": the transceivers' frequencies read for the
// table's filter, and the options dialog's grid recalled, compared with
// itself and, when it agrees to, written: the rows read back as shown.
#include "airmail/FrequencyFilters.h"
#include "airmail/StationRadioData.h"
#include "reports/OptionsGrids.h"
#include "tests/fuzz/FuzzSupport.h"

using namespace velmora;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto file = fuzz::ScratchFile(kStationRadioDataFile, fuzz::Text(data, size));
  fuzz::QuietMessenger messages;

  FileFailure failure;
  if (auto records = StationRadioDataRead(file, failure); records && !records->empty()) {
    const auto& first = records->front();
    std::vector<FrequencyRow> rows;
    for (const auto& label : first.labels) rows.push_back({first.station, label, 1, false, rows.empty()});
    rows.push_back({first.station, "14075.0", 1, false, false});
    size_t end = rows.size();
    StationStationsGetFile(file, messages, first.system, first.station, rows, 0, end);
  }

  auto shown = RadioGridRecall(file, messages);
  RadioSourcesDifference(shown.rows, shown.rows);
  RadioSourcesCompare(shown.rows, shown.rows, messages);
  fuzz::RequireReadsBack(testing::GridKind::Radio, shown.rows, RadioGridText, RadioGridRecall);
  return 0;
}
