#pragma once
// The AutoConnect window's names and numbers: its class and caption, the
// toolbar's buttons, the ids of its child controls, its timers and the
// messages it posts to itself.
#include <windows.h>

#include "common/win32/Toolbar.h"

namespace velmora {

inline constexpr const char* kAutoConnectWindowClass = "VelmoraAutoConnect";
inline constexpr const char* kAutoConnectCaption = "AutoConnect";

inline constexpr ToolbarButton kAutoConnectToolbar[] = {
    {"Menu", ToolbarButtonKind::Check},        {"Start"},
    {"Stop"},                                  {"Propagation", ToolbarButtonKind::Check},
    {"Reference", ToolbarButtonKind::Check},   {"Settings", ToolbarButtonKind::DropDown},
    {"Placeholder", ToolbarButtonKind::Spacer}};
inline constexpr int kAutoConnectToolbarFirstId = 5001;
inline constexpr int kAutoConnectFieldFirstId = 6001;
inline constexpr int kAutoConnectGridId = 7001;
inline constexpr int kAutoConnectWorkingGridId = 7002;

inline constexpr UINT_PTR kAutoConnectTimeTimer = 1;   // tmrTime: the UTC clock
inline constexpr UINT_PTR kAutoConnectBlinkTimer = 2;  // tmrBlink: the blinking cell
inline constexpr UINT kAutoConnectFirstActivation = WM_APP + 1;
inline constexpr UINT kAutoConnectRebuildAfterRun = WM_APP + 2;

inline constexpr const char* kReferenceUnsavedQuestion =
    "You have not Saved the Reference Station Data.  Do you want to save this data?";

}  // namespace velmora
