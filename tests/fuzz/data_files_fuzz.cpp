// The reference (".ref") and no-connect (".nct") data files: recalled into
// the frequency table of modes 4 and 5 and fitted, and the reference file
// read for the calling modes' look-ups.
#include "airmail/AutoConnectSettings.h"
#include "selection/NoConnectData.h"
#include "selection/ReferenceData.h"
#include "selection/ReferenceLookup.h"
#include "selection/TableColumns.h"
#include "tests/fuzz/FuzzSupport.h"

using namespace velmora;

namespace {

int Width(std::string_view text) { return static_cast<int>(text.size()); }

FrequencyTable TableOfMode(int mode) {
  FrequencyTable table;
  ColumnsBuild(table, mode, AutoConnectSettings{}, Width);
  return table;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto text = fuzz::Text(data, size);
  fuzz::QuietMessenger messages;

  const auto reference = fuzz::ScratchFile("2005-03-14 183000.ref", text);
  auto referenceTable = TableOfMode(kModeReferenceData);
  for (int column : {0, 1}) ReferenceDataRecall(referenceTable, reference, column, messages);
  ReferenceLookup::Load(reference, messages);

  const auto noConnect = fuzz::ScratchFile("2005-03-14 183000.nct", text);
  auto noConnectTable = TableOfMode(kModeNoConnectData);
  NoConnectDataRecall(noConnectTable, noConnect, messages);
  return 0;
}
