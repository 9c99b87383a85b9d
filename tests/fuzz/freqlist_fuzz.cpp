// AirMail's "FreqList.rtf" read by its colours: the RTF as the rich-text
// view shows it, each station's transceivers and frequencies, the stations
// with a directional antenna, and a station's entry as the station
// information window finds it, and the RTF made fit for a white page as
// that window shows it.
#include "reports/ColouredText.h"
#include "reports/FreqListDocument.h"
#include "reports/RtfAutomaticBlack.h"
#include "tests/fuzz/FuzzSupport.h"

using namespace velmora;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view rtf = fuzz::Text(data, size);
  RtfColouredText(RtfAutomaticMadeBlack(rtf));
  FreqListDocument document(RtfColouredText(rtf));
  std::vector<std::string> stations = {"W1AW", "KX1", "K4CJX"};
  for (const auto& record : FreqListTransceivers(document)) stations.push_back(record.station);
  FreqListBeams(document, stations, [](const std::string& s) { return std::optional<double>(s.size() * 100.0); });
  for (const auto& station : stations)
    if (long at = document.FindStation(station); at >= 0) document.GetStationText(at, document.Last());
  return 0;
}
