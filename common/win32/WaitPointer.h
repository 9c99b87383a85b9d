#pragma once
// The hourglass while the window thread does a long piece of work that
// handles no messages meanwhile; the pointer it replaced comes back after.
#include <windows.h>

namespace velmora {

class WaitPointer {
 public:
  WaitPointer() : before_(SetCursor(LoadCursor(nullptr, IDC_WAIT))) {}
  ~WaitPointer() { SetCursor(before_ ? before_ : LoadCursor(nullptr, IDC_ARROW)); }
  WaitPointer(const WaitPointer&) = delete;
  WaitPointer& operator=(const WaitPointer&) = delete;

 private:
  HCURSOR before_;
};

}  // namespace velmora
