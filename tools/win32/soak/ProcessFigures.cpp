#include "tools/win32/soak/ProcessFigures.h"

#include <psapi.h>
#include <winternl.h>

#include <cstdio>
#include <algorithm>
#include <cstring>
#include <fstream>
#include <iterator>
#include <sstream>
#include <vector>

namespace soak {
namespace {

struct WindowSearch {
  DWORD process = 0;
  unsigned long windows = 0;
  unsigned long boxes = 0;
  std::string boxText;
};

BOOL CALLBACK CountChild(HWND, LPARAM data) {
  ++reinterpret_cast<WindowSearch*>(data)->windows;
  return TRUE;
}

BOOL CALLBACK AppendText(HWND child, LPARAM data) {
  char text[512] = {};
  GetWindowTextA(child, text, sizeof text);
  auto& out = *reinterpret_cast<std::string*>(data);
  if (*text) out += std::string(" | ") + text;
  return TRUE;
}

BOOL CALLBACK CountTopLevel(HWND w, LPARAM data) {
  auto& search = *reinterpret_cast<WindowSearch*>(data);
  DWORD owner = 0;
  GetWindowThreadProcessId(w, &owner);
  if (owner != search.process) return TRUE;
  ++search.windows;
  EnumChildWindows(w, CountChild, data);
  char cls[64] = {};
  GetClassNameA(w, cls, sizeof cls);
  if (IsWindowVisible(w) && std::strcmp(cls, "#32770") == 0) {
    if (search.boxes++ == 0) {
      char caption[256] = {};
      GetWindowTextA(w, caption, sizeof caption);
      search.boxText = caption;
      EnumChildWindows(w, AppendText, reinterpret_cast<LPARAM>(&search.boxText));
    }
  }
  return TRUE;
}

WindowSearch SearchWindows(DWORD process) {
  WindowSearch search;
  search.process = process;
  EnumWindows(CountTopLevel, reinterpret_cast<LPARAM>(&search));
  return search;
}

// Wine answers neither GetProcessHandleCount nor GetGuiResources for
// another process; the system's handle list and the process's own GDI
// handle table (which its PEB points to, as on Windows) do tell.
struct HandleEntry {
  ULONG process;
  UCHAR type, flags;
  USHORT value;
  PVOID object;
  ACCESS_MASK access;
};
constexpr auto kSystemHandleInformation = static_cast<SYSTEM_INFORMATION_CLASS>(16);
constexpr NTSTATUS kInfoLengthMismatch = static_cast<NTSTATUS>(0xC0000004);

unsigned long HandlesFromSystemList(DWORD process) {
  std::vector<unsigned char> buffer(1 << 20);
  ULONG needed = 0;
  NTSTATUS status;
  while ((status = NtQuerySystemInformation(kSystemHandleInformation, buffer.data(), static_cast<ULONG>(buffer.size()),
                                            &needed)) == kInfoLengthMismatch)
    buffer.resize(std::max<size_t>(buffer.size() * 2, needed));
  if (status < 0) return 0;
  ULONG count = *reinterpret_cast<const ULONG*>(buffer.data());
  const auto* entries = reinterpret_cast<const HandleEntry*>(buffer.data() + sizeof(ULONG_PTR));
  unsigned long own = 0;
  for (ULONG i = 0; i < count; ++i) own += entries[i].process == process;
  return own;
}

struct GdiEntry {
  UINT64 object;
  ULONG owner;
  USHORT unique;
  UCHAR type, flags;
  UINT64 user;
};
constexpr size_t kGdiEntries = 0x10000;
constexpr size_t kPebGdiTable = 0xF8;  // GdiSharedHandleTable in a 64-bit PEB

unsigned long GdiFromHandleTable(HANDLE process) {
  PROCESS_BASIC_INFORMATION basic{};
  if (NtQueryInformationProcess(process, ProcessBasicInformation, &basic, sizeof basic, nullptr) < 0) return 0;
  UINT64 table = 0;
  SIZE_T got = 0;
  auto* peb = static_cast<const unsigned char*>(static_cast<const void*>(basic.PebBaseAddress));
  if (!ReadProcessMemory(process, peb + kPebGdiTable, &table, sizeof table, &got) || !table) return 0;
  std::vector<GdiEntry> entries(kGdiEntries);
  if (!ReadProcessMemory(process, reinterpret_cast<const void*>(table), entries.data(),
                         entries.size() * sizeof(GdiEntry), &got))
    return 0;
  unsigned long used = 0;
  for (const auto& e : entries) used += e.type != 0;
  return used;
}

double Seconds(const FILETIME& t) {
  return static_cast<double>((static_cast<unsigned long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime) / 1e7;
}

}  // namespace

WatchedProcess::WatchedProcess(DWORD id)
    : id_(id), handle_(OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ | SYNCHRONIZE, FALSE, id)) {}

WatchedProcess::~WatchedProcess() {
  if (handle_) CloseHandle(handle_);
}

bool WatchedProcess::Alive() const { return handle_ && WaitForSingleObject(handle_, 0) == WAIT_TIMEOUT; }

ProcessFigures WatchedProcess::Sample() const {
  ProcessFigures f;
  PROCESS_MEMORY_COUNTERS_EX memory{};
  memory.cb = sizeof memory;
  if (GetProcessMemoryInfo(handle_, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory), sizeof memory)) {
    // Wine fills only the older counters, whose commit charge is the same figure.
    f.privateBytes = memory.PrivateUsage ? memory.PrivateUsage : memory.PagefileUsage;
    f.workingSet = memory.WorkingSetSize;
  }
  DWORD handles = 0;
  f.handles = GetProcessHandleCount(handle_, &handles) && handles ? handles : HandlesFromSystemList(id_);
  f.gdiObjects = GetGuiResources(handle_, GR_GDIOBJECTS);
  if (!f.gdiObjects) f.gdiObjects = GdiFromHandleTable(handle_);
  f.userObjects = GetGuiResources(handle_, GR_USEROBJECTS);
  FILETIME created, exited, kernel, user;
  if (GetProcessTimes(handle_, &created, &exited, &kernel, &user)) f.cpuSeconds = Seconds(kernel) + Seconds(user);
  WindowSearch search = SearchWindows(id_);
  f.windows = search.windows;
  f.boxes = search.boxes;
  f.boxText = search.boxText;
  return f;
}

unsigned long WatchedProcess::Boxes(std::string* text) const {
  WindowSearch search = SearchWindows(id_);
  if (text) *text = search.boxText;
  return search.boxes;
}

UnixFigures UnixFiguresOf(unsigned long unixPid) {
  UnixFigures m;
  if (unixPid == 0) return m;
  const std::string folder = "Z:\\proc\\" + std::to_string(unixPid) + "\\";
  std::ifstream stat(folder + "stat");
  std::string all((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
  // utime and stime, the 12th and 13th fields after the name's closing bracket, in ticks of 1/100 s.
  if (auto end = all.rfind(')'); end != std::string::npos) {
    std::istringstream fields(all.substr(end + 1));
    std::string skipped;
    for (int i = 0; i < 11; ++i) fields >> skipped;
    unsigned long long user = 0, system = 0;
    if (fields >> user >> system) m.cpuSeconds = (user + system) / 100.0;
  }
  std::ifstream status(folder + "status");
  std::string line;
  while (std::getline(status, line)) {
    unsigned long long kb = 0;
    if (std::sscanf(line.c_str(), "VmRSS: %llu", &kb) == 1) m.rssKb = kb;
    if (std::sscanf(line.c_str(), "RssAnon: %llu", &kb) == 1) m.anonKb = kb;
  }
  return m;
}

}  // namespace soak
