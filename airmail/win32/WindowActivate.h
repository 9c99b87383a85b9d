#pragma once
// Bringing one of the program's own windows back in front of AirMail.
#include <windows.h>

#include <string>
#include <string_view>

#include "airmail/AutomationSeams.h"
#include "common/Messages.h"

namespace velmora {

// The program's own top-level window with this caption to the foreground;
// tells the user when it is missing or would not come to the front.
bool WindowActivate(std::string_view caption, Messenger& messenger);

// Brings this window forward by the caption it has when asked: a caption
// that changes (a selected no-connect file names itself there) is followed.
class HandleWindowActivator final : public OwnWindowActivator {
 public:
  HandleWindowActivator(HWND window, Messenger& messenger) : window_(window), messenger_(messenger) {}
  void WindowActivate() override;

 private:
  HWND window_;
  Messenger& messenger_;
};

}  // namespace velmora
