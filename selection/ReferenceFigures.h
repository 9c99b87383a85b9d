#pragma once
// The averages a reference measurement writes into a row's "Rx Pwr" and
// "Rx Snr" cells. Nothing measured, or a quiet level of nothing, gives 0:
// a division by zero would put "NaN" into the table and the saved file.
namespace velmora {

// The mean of `count` samples summing to `sum`; 0 without samples.
double ReferenceMean(double sum, int count);

// The SNR of a station of an AirMail system from its busy and quiet
// buffers: 10 log10 of (busy mean − quiet mean) / quiet mean, when more
// than 3 busy and at least one quiet buffer were heard, the quiet mean is
// above 0 dB and that ratio is positive; 0 otherwise.
double ReferenceAirmailSnr(double busySum, int busyCount, double quietSum, int quietCount);

}  // namespace velmora
