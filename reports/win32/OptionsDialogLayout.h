#pragma once
// The AutoConnect options dialog's pages as a table: each control's page,
// kind, setting, caption and place, and the grids' columns and tool-tips;
// and the few control queries its files share.
#include <windows.h>

#include <array>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "reports/OptionsGrids.h"
#include "reports/win32/AutoConnectOptionsDialog.h"

namespace velmora::options_layout {

inline constexpr int kLeft = 20, kTop = 44;  // a page's controls, from the dialog's corner

inline constexpr int GridControl(int grid) { return AutoConnectOptionsDialog::kGridId + grid; }

enum class Kind { Label, Group, Check, Edit, Choice, ListEdit, RadioBool, RadioChoice, Button, Grid };

// One control of a page: where it sits and, for a box, the setting it edits.
struct Layout {
  int page;
  Kind kind;
  const char* key;      // the setting, or nullptr
  const char* caption;  // an option pair's two captions are separated by "|"
  int x, y, w, h;
  int id = 0;  // for a control bound to no setting
};

inline constexpr Layout kLayout[] = {
    {0, Kind::Label, nullptr, "AirMail &Data Folder", 0, 3, 150, 18},
    {0, Kind::Edit, "Airmail Directory Data", nullptr, 160, 0, 440, 22},
    {0, Kind::Label, nullptr, "AirMail &Program Folder", 0, 33, 150, 18},
    {0, Kind::Edit, "Airmail Directory Program", nullptr, 160, 30, 440, 22},
    {0, Kind::Check, "Airmail Lat/Lon Check", "&Check the Position's Age", 0, 66, 220, 20},
    {0, Kind::Label, nullptr, "Da&ys", 230, 68, 60, 18},
    {0, Kind::Edit, "Airmail Lat/Lon Check Days", nullptr, 300, 64, 60, 22},
    {0, Kind::Check, "Last Connect Check", "Check the &Last Connection", 0, 96, 220, 20},
    {0, Kind::Label, nullptr, "&Minutes", 230, 98, 60, 18},
    {0, Kind::Edit, "Last Connect Check Minutes", nullptr, 300, 94, 60, 22},
    {0, Kind::Check, "Airmail Resize", "&Resize AirMail's Windows", 0, 126, 300, 20},
    {0, Kind::Check, "Airmail Startup", "Start AirMail &when it is not Running", 0, 152, 300, 20},
    {0, Kind::Check, "Log File", "Log &File", 0, 178, 300, 20},
    {0, Kind::Group, nullptr, "Connection Status", 0, 208, 400, 74},
    {0, Kind::RadioBool, "Terminal Connect Check File",
     "Read the &Terminal's Status Line|Watch AirMail's De&bug Log", 12, 228, 370, 20},
    {0, Kind::Label, nullptr, "", 0, 300, 600, 34, AutoConnectOptionsDialog::kVersionId},
    {0, Kind::Label, nullptr, "", 0, 342, 600, 34, AutoConnectOptionsDialog::kPositionId},
    {1, Kind::Check, "Station Stations", "Use the Station &Transceivers", 0, 0, 300, 20},
    {1, Kind::RadioChoice, "Station Stations File", "System.HAM.ini Frequency &Groups|Station&RadioData.txt", 0, 26,
     260, 20},
    {1, Kind::Button, nullptr, "&Update", 520, 22, 80, 24, AutoConnectOptionsDialog::kUpdateId},
    {1, Kind::Button, nullptr, "&Info", 520, 50, 80, 24, AutoConnectOptionsDialog::kRadioInfoId},
    {1, Kind::Check, nullptr, "", 310, 0, 290, 20, AutoConnectOptionsDialog::kCompareId},
    {1, Kind::Label, nullptr, "", 0, 54, 500, 18, AutoConnectOptionsDialog::kLastModifiedId},
    {1, Kind::Grid, nullptr, nullptr, 0, 78, 600, 300, GridControl(AutoConnectOptionsDialog::kRadioGrid)},
    {2, Kind::Check, "Station Offset", "Apply the Station Antenna &Offsets", 0, 0, 300, 20},
    {2, Kind::Grid, nullptr, nullptr, 0, 28, 600, 320, GridControl(AutoConnectOptionsDialog::kOffsetGrid)},
    {2, Kind::Button, nullptr, "I&nsert", 0, 356, 80, 24, AutoConnectOptionsDialog::kInsertId},
    {2, Kind::Button, nullptr, "&Delete", 90, 356, 80, 24, AutoConnectOptionsDialog::kDeleteId},
    {2, Kind::Button, nullptr, "So&rt", 180, 356, 80, 24, AutoConnectOptionsDialog::kSortId},
    {2, Kind::Button, nullptr, "&Check", 270, 356, 80, 24, AutoConnectOptionsDialog::kCheckId},
    {2, Kind::Button, nullptr, "&Info", 360, 356, 80, 24, AutoConnectOptionsDialog::kOffsetInfoId},
    {3, Kind::Check, "Station History", "Apply the Station &History", 0, 0, 220, 20},
    {3, Kind::Check, "Station History Debug", "&Debug", 240, 0, 100, 20},
    {3, Kind::Label, nullptr, "&Good", 0, 32, 40, 18},
    {3, Kind::Edit, "Station History Good", nullptr, 45, 28, 60, 22},
    {3, Kind::Label, nullptr, "&Bad", 125, 32, 40, 18},
    {3, Kind::Edit, "Station History Bad", nullptr, 165, 28, 60, 22},
    {3, Kind::Label, nullptr, "&Max", 245, 32, 40, 18},
    {3, Kind::Edit, "Station History Max", nullptr, 285, 28, 60, 22},
    {3, Kind::Label, nullptr, "M&in", 365, 32, 40, 18},
    {3, Kind::Edit, "Station History Min", nullptr, 405, 28, 60, 22},
    {3, Kind::Grid, nullptr, nullptr, 0, 60, 600, 288, GridControl(AutoConnectOptionsDialog::kHistoryGrid)},
    {3, Kind::Button, nullptr, "&Reset", 0, 356, 80, 24, AutoConnectOptionsDialog::kResetId},
    {3, Kind::Group, nullptr, "Channel Occupancy", 100, 348, 500, 50},
    {3, Kind::Label, nullptr, "Ha&lf Life (Days)", 112, 370, 100, 18},
    {3, Kind::Edit, "Station Occupancy Half Life", nullptr, 215, 366, 50, 22},
    {3, Kind::Button, nullptr, "R&eset", 280, 365, 80, 24, AutoConnectOptionsDialog::kOccupancyResetId},
    {4, Kind::Label, nullptr, "&Model", 0, 3, 150, 18},
    {4, Kind::Choice, "Propagation Model Model", "ICEPAC|VOACAP|REC533", 160, 0, 140, 200},
    {4, Kind::Label, nullptr, "&Ionospheric Coefficients", 0, 33, 150, 18},
    {4, Kind::ListEdit, "Propagation Model Ion Coefficients", "URSI|CCIR", 160, 30, 140, 200},
    {4, Kind::Label, nullptr, "&E Layer Adjust", 0, 69, 150, 18},
    {4, Kind::Edit, "Propagation Model Layer Adjust E", nullptr, 160, 66, 80, 22},
    {4, Kind::Label, nullptr, "Es &Layer Adjust", 0, 99, 150, 18},
    {4, Kind::Edit, "Propagation Model Layer Adjust Es", nullptr, 160, 96, 80, 22},
    {4, Kind::Label, nullptr, "F&1 Layer Adjust", 0, 129, 150, 18},
    {4, Kind::Edit, "Propagation Model Layer Adjust F1", nullptr, 160, 126, 80, 22},
    {4, Kind::Label, nullptr, "F&2 Layer Adjust", 0, 159, 150, 18},
    {4, Kind::Edit, "Propagation Model Layer Adjust F2", nullptr, 160, 156, 80, 22},
    {4, Kind::Label, nullptr, "Multipath &Delay (ms)", 0, 189, 150, 18},
    {4, Kind::Edit, "Propagation Model Multipath Delay", nullptr, 160, 186, 80, 22},
    {4, Kind::Label, nullptr, "Multipath &Power (dB)", 0, 219, 150, 18},
    {4, Kind::Edit, "Propagation Model Multipath Power", nullptr, 160, 216, 80, 22},
    {4, Kind::Label, nullptr, "&Noise Level (dBW)", 0, 249, 150, 18},
    {4, Kind::Edit, "Propagation Model Noise Level", nullptr, 160, 246, 80, 22},
    {4, Kind::Label, nullptr, "&Q Index", 320, 69, 120, 18},
    {4, Kind::Edit, "Propagation Model Q Index", nullptr, 450, 66, 60, 22},
    {4, Kind::Label, nullptr, "", 520, 69, 80, 18, AutoConnectOptionsDialog::kKIndexId},
    {4, Kind::Label, nullptr, "&Reliability (%)", 320, 99, 120, 18},
    {4, Kind::Edit, "Propagation Model Reliability", nullptr, 450, 96, 60, 22},
    {4, Kind::Check, "Propagation Model Sun Spot", "S&un Spots from AirMail", 320, 126, 200, 20},
    {4, Kind::Label, nullptr, "Sun Spot Num&ber", 320, 159, 120, 18},
    {4, Kind::Edit, "Propagation Model Sun Spot Number", nullptr, 450, 156, 60, 22},
    {4, Kind::Label, nullptr, "&Takeoff Angle (Deg)", 320, 189, 120, 18},
    {4, Kind::Edit, "Propagation Model Takeoff Angle", nullptr, 450, 186, 60, 22},
    {4, Kind::Label, nullptr, "Time S&hift (Hours)", 320, 219, 120, 18},
    {4, Kind::Edit, "Propagation Model Time Shift", nullptr, 450, 216, 60, 22},
};

// Each grid's headers, the sample texts that set its columns' widths and
// the tool-tips over the grid and over each header.
struct GridColumns {
  std::span<const char* const> headers;
  std::array<const char*, 8> samples;
  const char* gridTip;
  std::span<const char* const> columnTips;
};
inline constexpr const char* kRadioGridTips[] = {"System", "Station", "Transceiver Number", "Frequency (KHz)"};
inline constexpr const char* kOffsetGridTips[] = {"System",
                                                  "Station",
                                                  "Frequency (KHz)",
                                                  "Snr Offset (dB)",
                                                  "Antenna 3 dB Beamwidth (Deg), Default is 360 for Omni",
                                                  "Antenna Mainbeam Azimuth (Deg), Default is 0",
                                                  "Start Time Zulu (hhmm), Default is 0000",
                                                  "Stop Time Zulu (hhmm), Default is 2400"};
inline const GridColumns kGrids[] = {
    {kRadioGridHeaders, {"--System-", "-----Station-", "-Tx Rc-", "------------------------Frequency-"}, nullptr,
     kRadioGridTips},
    {kOffsetGridHeaders,
     {"--------System-", "-------------------Station-", "-----10000.0(p3)--", "-Offset-", "-Ant Bw-", "-Ant Az-",
      "--Start--", "--Stop--"},
     "Antenna Offset Data",
     kOffsetGridTips},
    {kHistoryGridHeaders, {"--------System-", "-------------------Station-", "-----10000.0(p3)--", "--Offset--"},
     nullptr,
     {}},
};

inline bool ClassIs(HWND window, const char* cls) {
  char name[16] = {};
  GetClassNameA(window, name, sizeof name);
  return lstrcmpiA(name, cls) == 0;
}
inline bool Checked(HWND control) { return SendMessageA(control, BM_GETCHECK, 0, 0) == BST_CHECKED; }
inline void Check(HWND control, bool on) {
  SendMessageA(control, BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0);
}

// The setting's place in the settings table; -1 for none.
int BindingIndex(std::string_view key);
// A label or frame of its own has an id of its own, so each shows with its page.
int IdOf(const Layout& l);
// A caption's parts between "|".
std::vector<std::string> Parts(const char* caption);

}  // namespace velmora::options_layout
