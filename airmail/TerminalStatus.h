#pragma once
// Where a call to a station stands, as the terminal's text or AirMail's
// debug log tells it. The values are those the AutoConnect engine acts on.
namespace velmora {

enum class TerminalStatus : int {
  Error = 0,         // the terminal window cannot be reached
  Canceled = 1,      // the call was canceled by hand
  Disconnected = 2,  // the link has ended
  NoAnswer = 3,
  Calling = 4,  // no result yet
  Idle = 5,     // AirMail's idle prompt, no call in progress
  Connected = 6,
};

}  // namespace velmora
