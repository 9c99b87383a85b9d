#pragma once
// The averages a reference measurement writes into a row's "Rx Pwr" and
// "Rx Snr" cells. Nothing measured, or a quiet level of nothing, gives 0:
// a division by zero would put "NaN" into the table and the saved file.
#include <optional>

namespace velmora {

// The mean of `count` samples summing to `sum`; 0 without samples.
double ReferenceMean(double sum, int count);

// The SNR of a station of an AirMail system from its busy and quiet
// buffers: 10 log10 of (busy mean − quiet mean) / quiet mean, when the
// quiet mean is above 0 dB and that ratio is positive; 0 otherwise. No
// figure at all (the station was not heard) with 3 busy buffers or fewer
// or no quiet one: a 0 would rank it above a weak station heard.
std::optional<double> ReferenceAirmailSnr(double busySum, int busyCount, double quietSum, int quietCount);

}  // namespace velmora
