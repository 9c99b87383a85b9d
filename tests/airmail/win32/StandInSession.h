#pragma once
// One test's AirMail: copies of the fixture's program and data folders,
// the stand-in as the program with a scenario beside it, and the record of
// what the stand-in received.
#include <algorithm>
#include <map>

#include "airmail/win32/AirmailWindows.h"
#include "common/TextFileLines.h"
#include "tests/common/TempFolder.h"
#include "tests/common/win32/TestWin32.h"

namespace velmora::testing {

class StandInSession {
 public:
  using Scenario = std::map<std::string, std::string>;

  explicit StandInSession(const Scenario& scenario) {
    const auto fixture = HostPath(VELMORA_SOURCE_DIR) / "tests" / "airmail" / "fixture";
    const auto copy = std::filesystem::copy_options::recursive | std::filesystem::copy_options::overwrite_existing;
    std::filesystem::copy(fixture / "data", data_.path(), copy);
    std::filesystem::copy(fixture / "program", program_.path(), copy);
    std::filesystem::copy_file(HostPath(VELMORA_STANDIN), program_.path() / kAirmailProgramFile,
                               std::filesystem::copy_options::overwrite_existing);
    std::ofstream ini(program_.path() / "Scenario.ini", std::ios::binary);
    ini << "[Scenario]\r\nDataFolder=" << DataFolder() << "\r\nLifetime=60\r\n";
    for (const auto& [key, value] : scenario) ini << key << "=" << value << "\r\n";
  }
  ~StandInSession() { End(); }

  std::string ProgramFolder() const { return program_.path().string(); }
  std::string DataFolder() const { return data_.path().string(); }

  // Starts it as a user would, and waits for its main window and terminal.
  bool Start() {
    child_ = std::make_unique<ChildProcess>("\"" + ProgramFolder() + "\\" + kAirmailProgramFile + "\"",
                                            ProgramFolder());
    return child_->Started() &&
           PumpUntil([&] { return AirmailWindowGet() && TerminalWindowGet(); }, 10);
  }

  // Ends the stand-in however it was started, and waits until it is gone.
  void End() {
    HWND main = AirmailWindowGet();
    if (!main) return;
    DWORD id = 0;
    GetWindowThreadProcessId(main, &id);
    HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, id);
    PostMessageA(main, WM_CLOSE, 0, 0);
    if (process) {
      if (WaitForSingleObject(process, 3000) != WAIT_OBJECT_0) TerminateProcess(process, 1);
      WaitForSingleObject(process, 3000);
      CloseHandle(process);
    }
    PumpUntil([] { return AirmailWindowGet() == nullptr; }, 3);
  }

  std::vector<std::string> Record() const { return SplitLines(ReadBytes(program_.path() / "Record.txt")); }
  // The stand-in writes its record as it handles what it got, a moment
  // after the keys or the paste that caused it.
  bool Recorded(const std::string& line) const {
    return PumpUntil([&] { return std::ranges::count(Record(), line) > 0; }, 2);
  }

 private:
  TempFolder program_, data_;
  std::unique_ptr<ChildProcess> child_;
};

}  // namespace velmora::testing
