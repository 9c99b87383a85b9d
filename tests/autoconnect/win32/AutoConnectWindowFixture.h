#pragma once
// The AutoConnect window opened from the main window on the AirMail
// fixture, with the stand-in AirMail started beside it where a test runs.
#include <string>
#include <vector>

#include "common/Verdict.h"
#include "tests/airmail/win32/StandInSession.h"
#include "tests/autoconnect/win32/AutoConnectFixture.h"

namespace velmora::testing {

class AutoConnectWindowTest : public AutoConnectFixture {
 protected:
  // The settings for the stand-in `airmail`, started with its terminal.
  bool StartAirmail(StandInSession& airmail, const std::string& lines) {
    Settings(lines, airmail.ProgramFolder(), airmail.DataFolder());
    return airmail.Start();
  }
};

inline constexpr Verdict kFree{}, kBusy{true, true, false, false};
// The fixture's HAM list has a station whose grid square is no place.
inline const std::vector<std::string> kNoPlace = {"[Velmora]\n\nOK\nUnable to Convert Grid CM8 to Lat/Lon\n"};

}  // namespace velmora::testing
