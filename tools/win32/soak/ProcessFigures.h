#pragma once
// One look at a running program from outside: its memory, handles, GUI
// objects, windows and open message boxes, as the soak samples them.
#include <windows.h>

#include <string>

namespace soak {

struct ProcessFigures {
  unsigned long long privateBytes = 0;  // GetProcessMemoryInfo's PrivateUsage
  unsigned long long workingSet = 0;
  unsigned long handles = 0;
  unsigned long gdiObjects = 0;   // GetGuiResources; Wine may answer 0
  unsigned long userObjects = 0;
  unsigned long windows = 0;      // every window of the process, top-level and child
  double cpuSeconds = 0;          // user and kernel
  unsigned long boxes = 0;        // visible dialog-class windows (message boxes)
  std::string boxText;            // the first box's caption and texts
};

// Null when the process is gone.
class WatchedProcess {
 public:
  explicit WatchedProcess(DWORD id);
  ~WatchedProcess();
  WatchedProcess(const WatchedProcess&) = delete;
  WatchedProcess& operator=(const WatchedProcess&) = delete;

  bool Open() const { return handle_ != nullptr; }
  bool Alive() const;
  DWORD Id() const { return id_; }
  ProcessFigures Sample() const;
  // The visible message boxes only, cheaper than a whole sample.
  unsigned long Boxes(std::string* text = nullptr) const;

 private:
  DWORD id_;
  HANDLE handle_;
};

// Resident and private (anonymous) kilobytes and processor seconds of a
// Linux process from /proc, reached through Wine's Z: drive; zero when
// unreadable.
struct UnixFigures {
  unsigned long long rssKb = 0;
  unsigned long long anonKb = 0;
  double cpuSeconds = 0;
};
UnixFigures UnixFiguresOf(unsigned long unixPid);

}  // namespace soak
