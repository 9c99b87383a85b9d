// velmora-soakwatch: drives and watches a running Velmora for tools/soak.
//   velmora-soakwatch.exe --folder PROGRAM_FOLDER --recording FILE --sample-size N
//                         --minutes M --buffers B --csv FILE [--unix-pid P] [--xvfb-pid P]
// Finds Velmora's main window, switches its input to the recording through
// the Options dialog (as a user does: the input source is no setting),
// starts the playback loop and an AutoConnect run, and restarts the run
// whenever it ends. The playback's buffers are counted from the main
// window's "Playback N" (N restarts with each pass over the file). Once a
// minute one CSV line of figures goes to the file. Ends after M minutes or
// B buffers (exit 0), when a message box opens (3) or the program ends (4).
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "common/win32/ControlFind.h"
#include "display/win32/OptionsIds.h"
#include "tools/win32/soak/ProcessFigures.h"
#include "tools/win32/soak/ProgramFiles.h"

namespace {

// The program's own command ids (app/MenuModel.h, app/win32/MainWindow.h,
// autoconnect/win32/AutoConnectWindow.h).
constexpr int kOptionsInputCommand = 1009;
constexpr int kMainStartCommand = 2002;
constexpr int kAutoConnectStartCommand = 5002;
constexpr int kBufferPollMs = 100;
constexpr int kRunPollMs = 1000;
constexpr int kSampleMs = 60000;
constexpr int kRestartGapMs = 5000;  // a run asked for but not seen started yet

enum Exit { kFinished = 0, kUsage = 2, kMessageBox = 3, kGone = 4, kSetupFailed = 5 };

struct Options {
  std::string folder, recording, csv;
  int sampleSize = 256;
  double minutes = 60;
  unsigned long long buffers = 1000000;
  unsigned long unixPid = 0, xvfbPid = 0;
};

bool ReadOptions(int argc, char** argv, Options& o) {
  for (int i = 1; i + 1 < argc; i += 2) {
    std::string key = argv[i], value = argv[i + 1];
    if (key == "--folder") o.folder = value;
    else if (key == "--recording") o.recording = value;
    else if (key == "--csv") o.csv = value;
    else if (key == "--sample-size") o.sampleSize = std::atoi(value.c_str());
    else if (key == "--minutes") o.minutes = std::atof(value.c_str());
    else if (key == "--buffers") o.buffers = std::strtoull(value.c_str(), nullptr, 10);
    else if (key == "--unix-pid") o.unixPid = std::strtoul(value.c_str(), nullptr, 10);
    else if (key == "--xvfb-pid") o.xvfbPid = std::strtoul(value.c_str(), nullptr, 10);
    else return false;
  }
  return argc % 2 == 1 && !o.folder.empty() && !o.recording.empty() && !o.csv.empty() && o.sampleSize > 0;
}

DWORD Now() { return GetTickCount(); }

template <typename Found>
HWND WaitFor(Found found, double seconds) {
  DWORD end = Now() + static_cast<DWORD>(seconds * 1000);
  do {
    if (HWND w = found()) return w;
    Sleep(100);
  } while (static_cast<LONG>(end - Now()) > 0);
  return nullptr;
}

HWND VisibleTopLevel(const char* cls, const char* caption) {
  HWND w = FindWindowA(cls, caption);
  return w && IsWindowVisible(w) ? w : nullptr;
}

// A window's first status bar panel; empty when it does not answer in time.
std::string PanelOne(HWND window) {
  HWND bar = FindWindowExA(window, nullptr, "msctls_statusbar32", nullptr);
  char text[256] = {};
  DWORD_PTR ignored = 0;
  if (!bar || !SendMessageTimeoutA(bar, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_NORMAL, 5000,
                                   &ignored))
    return {};
  return text;
}

HWND Control(HWND dialog, int id) { return velmora::ControlFindById(dialog, id); }

// Options, Input: "Playback File" with the recording, then OK.
bool PlaybackChoose(HWND main, DWORD process, const std::string& recording) {
  PostMessageA(main, WM_COMMAND, kOptionsInputCommand, 0);
  HWND dialog = WaitFor(
      [&]() -> HWND {
        HWND w = nullptr;
        while ((w = FindWindowExA(nullptr, w, "#32770", nullptr)) != nullptr) {
          DWORD owner = 0;
          GetWindowThreadProcessId(w, &owner);
          if (owner == process && IsWindowVisible(w) && Control(w, IDC_TXTPLAYBACKFILE)) return w;
        }
        return nullptr;
      },
      30);
  if (!dialog) return false;
  SendMessageA(Control(dialog, IDC_OPTINPUT0), BM_SETCHECK, BST_UNCHECKED, 0);
  SendMessageA(Control(dialog, IDC_OPTINPUT2), BM_SETCHECK, BST_UNCHECKED, 0);
  SendMessageA(Control(dialog, IDC_OPTINPUT1), BM_CLICK, 0, 0);
  SendMessageA(Control(dialog, IDC_OPTINPUT1), BM_SETCHECK, BST_CHECKED, 0);
  SendMessageA(Control(dialog, IDC_TXTPLAYBACKFILE), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(recording.c_str()));
  SendMessageA(Control(dialog, IDC_CMDOK), BM_CLICK, 0, 0);
  return WaitFor([&]() -> HWND { return IsWindowVisible(dialog) ? nullptr : dialog; }, 10) != nullptr;
}

// Buffers processed, from "Playback N" read often enough to see every pass.
class BufferCount {
 public:
  explicit BufferCount(unsigned long long perPass) : perPass_(perPass) {}
  void Read(const std::string& panel) {
    if (panel.rfind("Playback ", 0) != 0) return;
    unsigned long long n = std::strtoull(panel.c_str() + 9, nullptr, 10);
    if (seen_) total_ += n >= last_ ? n - last_ : perPass_ - last_ + n;
    last_ = n;
    seen_ = true;
  }
  unsigned long long Total() const { return total_; }

 private:
  unsigned long long perPass_;
  unsigned long long last_ = 0, total_ = 0;
  bool seen_ = false;
};

// Asks for a run at once, and again whenever the AutoConnect window's
// state says the last one ended (or the ask was not taken within a few
// seconds); counts the runs seen going and seen ended. A state not read in
// time (the program is busy in a keystroke script) counts for nothing.
class RunKeeper {
 public:
  explicit RunKeeper(HWND window) : window_(window) { Ask(); }
  void Check() {
    std::string state = PanelOne(window_);
    if (state.empty()) return;
    bool ended = state == "Done" || state == "Stopped";
    if (!ended) {
      started_ += !active_;
      active_ = true;
    } else if (active_) {
      ++ended_;
      active_ = false;
      Ask();
    } else if (Now() - askedAt_ >= kRestartGapMs) {
      Ask();
    }
  }
  unsigned long Started() const { return started_; }
  unsigned long Ended() const { return ended_; }

 private:
  void Ask() {
    PostMessageA(window_, WM_COMMAND, kAutoConnectStartCommand, 0);
    askedAt_ = Now();
  }
  HWND window_;
  bool active_ = false;
  DWORD askedAt_ = 0;
  unsigned long started_ = 0, ended_ = 0;
};

std::string UtcText() {
  SYSTEMTIME t;
  GetSystemTime(&t);
  char text[32];
  std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02dZ", t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute,
                t.wSecond);
  return text;
}

std::string CsvSafe(std::string text) {
  for (char& c : text)
    if (c == ',' || c == '\r' || c == '\n' || c == '"') c = ' ';
  return text;
}

constexpr const char* kHeading =
    "utc,minutes,buffers,private_bytes,working_set,handles,gdi,user,windows,cpu_s,rss_kb,anon_kb,xvfb_rss_kb,"
    "runs_started,runs_ended,log_records,malformed_records,velmora_log_bytes,autoconnect_log_bytes,history_bytes,"
    "other_files,other_bytes,boxes,box_text";

void WriteSample(const Options& o, double minutes, unsigned long long buffers, const soak::WatchedProcess& process,
                 const RunKeeper& runs) {
  soak::ProcessFigures f = process.Sample();
  soak::UnixFigures unix = soak::UnixFiguresOf(o.unixPid), xvfb = soak::UnixFiguresOf(o.xvfbPid);
  // Wine's own figure for another process misses most of its time.
  if (unix.cpuSeconds > 0) f.cpuSeconds = unix.cpuSeconds;
  soak::ProgramFiles files = soak::ProgramFilesIn(o.folder);
  bool fresh = !std::filesystem::exists(o.csv);
  std::ofstream csv(o.csv, std::ios::app);
  if (fresh) csv << kHeading << "\n";
  char line[1024];
  std::snprintf(
      line, sizeof line,
      "%s,%.2f,%llu,%llu,%llu,%lu,%lu,%lu,%lu,%.1f,%llu,%llu,%llu,%lu,%lu,%lu,%lu,%llu,%llu,%llu,%lu,%llu,%lu,",
      UtcText().c_str(), minutes, buffers, f.privateBytes, f.workingSet, f.handles, f.gdiObjects, f.userObjects,
      f.windows, f.cpuSeconds, unix.rssKb, unix.anonKb, xvfb.rssKb, runs.Started(), runs.Ended(),
      files.autoConnectRecords, files.malformedRecords, files.messageLogBytes, files.autoConnectLogBytes,
      files.historyBytes, files.otherFiles, files.otherBytes, f.boxes);
  csv << line << CsvSafe(f.boxText) << "\n";
}

// Velmora's process once its input is the recording and the playback goes;
// 0 when that did not come about.
DWORD PlaybackStarted(HWND main, const std::string& recording) {
  DWORD id = 0;
  GetWindowThreadProcessId(main, &id);
  if (!PlaybackChoose(main, id, recording)) {
    std::fprintf(stderr, "soak: could not switch the input to %s\n", recording.c_str());
    return 0;
  }
  PostMessageA(main, WM_COMMAND, kMainStartCommand, 0);
  if (!WaitFor([&]() -> HWND { return PanelOne(main).rfind("Playback ", 0) == 0 ? main : nullptr; }, 30)) {
    std::fprintf(stderr, "soak: the playback did not start\n");
    return 0;
  }
  return id;
}

Exit Watch(const Options& o, HWND main, const soak::WatchedProcess& process, RunKeeper& runs) {
  std::error_code error;
  auto bytes = std::filesystem::file_size(o.recording, error);
  BufferCount buffers(bytes / 2 / static_cast<unsigned>(o.sampleSize));
  const DWORD start = Now();
  DWORD nextRun = start, nextSample = start;
  for (;;) {
    DWORD now = Now();
    double minutes = (now - start) / 60000.0;
    buffers.Read(PanelOne(main));
    bool done = minutes >= o.minutes || buffers.Total() >= o.buffers;
    if (static_cast<LONG>(now - nextSample) >= 0 || done) {
      WriteSample(o, minutes, buffers.Total(), process, runs);
      nextSample += kSampleMs;
    }
    if (done) return kFinished;
    if (!process.Alive()) return kGone;
    if (static_cast<LONG>(now - nextRun) >= 0) {
      std::string text;
      if (process.Boxes(&text) > 0) {
        WriteSample(o, minutes, buffers.Total(), process, runs);
        std::fprintf(stderr, "soak: a message box: %s\n", text.c_str());
        return kMessageBox;
      }
      runs.Check();
      nextRun += kRunPollMs;
    }
    Sleep(kBufferPollMs);
  }
}

}  // namespace

int main(int argc, char** argv) {
  Options o;
  if (!ReadOptions(argc, argv, o)) {
    std::fprintf(stderr, "usage: velmora-soakwatch --folder F --recording R --sample-size N --minutes M "
                         "--buffers B --csv C [--unix-pid P] [--xvfb-pid P]\n");
    return kUsage;
  }
  HWND main = WaitFor([] { return VisibleTopLevel("VelmoraMain", nullptr); }, 60);
  HWND autoConnect = WaitFor([] { return VisibleTopLevel(nullptr, "AutoConnect"); }, 60);
  if (!main || !autoConnect) {
    std::fprintf(stderr, "soak: %s did not appear\n", main ? "the AutoConnect window" : "Velmora's main window");
    return kSetupFailed;
  }
  // The run is asked for once the playback goes, as a user would: asked
  // for earlier, its waits would let the playback loop start inside them.
  DWORD id = PlaybackStarted(main, o.recording);
  soak::WatchedProcess process(id);
  if (!id || !process.Open()) return kSetupFailed;
  RunKeeper runs(autoConnect);
  return Watch(o, main, process, runs);
}
