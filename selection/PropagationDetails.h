#pragma once
// One station's rows of the frequency table with every additional
// propagation column shown, for the propagation details window.
#include <string_view>

#include "selection/AutoSelect.h"
#include "selection/TableColumns.h"

namespace velmora {

struct PropagationDetailsServices {
  StationRowsServices rows;
  SelectionWindow& window;
  UtcClock& clock;
  TextWidth measure;
};

// Rebuilds the table with the columns of the mode, "Propagation Model
// Additional Data" on whatever the settings say, adds the station's rows
// and fills them with the prediction for `time`. On the "HAM" system the
// choice among them follows, as for one selected station. False (reported)
// when the rows could not be added or predicted.
bool UpdatePropagationDetails(FrequencyTable& table, const AutoConnectSettings& settings, int mode,
                              std::string_view system, std::string_view station, const UtcDateTime& time,
                              const PropagationDetailsServices& services);

}  // namespace velmora
