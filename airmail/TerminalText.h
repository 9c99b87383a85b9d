#pragma once
// Reading what AirMail's terminal shows: its status lines, its fields and
// the server line of a fresh connection.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "airmail/AirmailDesktop.h"
#include "airmail/TerminalStatus.h"

namespace velmora {

// The status told by the terminal's last line; first rule that matches wins.
TerminalStatus TerminalLineStatus(std::string_view line);

// The status after one appended debug-log line; lines that tell nothing
// leave the status as it was.
TerminalStatus DebugLogLineStatus(std::string_view line, TerminalStatus status);

// A frequency in kHz with four to six digits before the dot.
bool TerminalFieldIsFrequency(std::string_view text);
// The system field: "HAM", "SAILMAIL" or "FAX" in any case.
bool TerminalFieldIsSystem(std::string_view text);

// While looking upwards through the terminal after a connection: a line
// that ends the search without a warning, and a HAM server line to examine.
bool ConnectAidLineIsConnection(std::string_view line);
bool ConnectAidLineIsServer(std::string_view system, std::string_view line);
// The minutes of "... server 12 min ...", or -1 when they cannot be read.
int ConnectAidMinutes(std::string_view line);

// A point on the screen in the 0 to 65535 range of absolute mouse moves.
struct MousePoint {
  std::int32_t x = 0, y = 0;
};
// The centre of the part of the window on the screens (all of them, as one
// area); nullopt when no part of it is on any.
std::optional<MousePoint> MouseAbsoluteCentre(const ScreenRect& window, const ScreenRect& screens);

// Pactor detections since the call was made: Pactor 2 (100), then Pactor 3
// (200), (600), (1400/2800), (2800), (3200), (3600).
struct PactorCountValues {
  std::int32_t pactor2 = 0;
  std::array<std::int32_t, 6> pactor3{};
};
// Detections above this count show that a link was really on the air.
inline constexpr std::int32_t kPactorLinkThreshold = 10;
bool PactorCountsShowLink(const PactorCountValues& counts);
std::string PactorDetectorStatusText(const PactorCountValues& counts);

}  // namespace velmora
