#pragma once
// velmora-predict's work: the table of a mode filled and chosen from as the
// AutoConnect window's Refresh does it, written as CSV.
#include <ostream>
#include <string>

#include "propagation/ModelProgram.h"
#include "tools/predict/PredictOptions.h"

namespace velmora {

inline constexpr int kPredictDone = 0;
inline constexpr int kPredictFailed = 1;
inline constexpr int kPredictBadArguments = 2;

inline constexpr const char* kPredictHeading =
    "station,range_nmi,azimuth,frequency,luf_muf,layer,t_ang,s_dbw,n_dbw,snr,slope,offset_db,history_db,rx_check,"
    "tx_connect,reason_slot";

struct PredictPlatform {
  ModelProgram& program;        // runs the ITS HF programs
  std::string itshfbcFolder;    // when --itshfbc gives none
  double waitSeconds = 5;       // per run of a program
  std::string programFolder;    // where Velmora keeps its offset and history files
};

// The CSV on `out`, every message on `err`; the exit status.
int PredictRun(const PredictOptions& options, PredictPlatform platform, std::ostream& out, std::ostream& err);

}  // namespace velmora
