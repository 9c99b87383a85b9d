#pragma once
// The noise measurement's final choice: of a block of rows, the checked Tx
// Connect rows with the lowest measured noise stay checked.
#include "common/Messages.h"
#include "selection/FrequencyTable.h"

namespace velmora {

// Sorts rows [first, last] by "Noise" ascending, then "Snr" and "Tx Connect"
// descending, and unchecks every checked Tx Connect row after the first
// `top`. With a top of 1 the block is then put in frequency order again.
void NoiseSelect(FrequencyTable& table, int first, int last, int top, Messenger& messenger);

// In mode 1 the whole table is one block, in mode 2 each run of rows of
// one station; other modes keep every row. Drawn once, at the end.
void NoiseSelectByMode(FrequencyTable& table, int mode, int top, Messenger& messenger);

}  // namespace velmora
