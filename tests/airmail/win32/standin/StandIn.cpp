// A stand-in for AirMail in the tests, built as "Airmail3.exe" and never
// shipped. It offers what the automation relies on of AirMail and nothing
// more: a main window of class "TMainForm" in which F6 opens the terminal
// window "Terminal" of class "TTerminalForm"; the terminal's system, station
// and frequency fields reached with Tab and Shift+Tab, each selected whole
// when entered; a text area ending with the last status line; F5 makes a
// call whose outcome comes from "Scenario.ini" beside the program and is
// written as terminal text and as lines appended to the data folder's
// "Logfiles\Debug.log". Every key command and field change is appended to
// the record file, so the tests can see what arrived.
//
// Scenario.ini, section [Scenario]:
//   DataFolder         folder holding Logfiles\Debug.log
//   RecordTimes        1: each record line starts with its UTC time in
//                      milliseconds since 1601 (the system's file time) and a blank
//   System, Station, Frequency   the fields' first contents
//   Terminal           1: the terminal is open from the start
//   Outcome            connected, noanswer, cancelled or disconnected
//   Seconds            seconds from the call to its outcome (default 1)
//   DisconnectSeconds  seconds from connected to disconnected (0: stays connected)
//   ServerLine         a terminal line written after the connection
//   Lifetime           seconds before the stand-in ends by itself (default 90)
//   HangSeconds        seconds it stops answering its windows' messages right
//                      after a call goes out, as a hung AirMail does
#include <windows.h>

#include <string>

namespace {

constexpr UINT_PTR kOutcomeTimer = 1, kDisconnectTimer = 2, kLifetimeTimer = 3, kHangTimer = 4;
enum Field { kSystem, kStation, kFrequency, kFieldCount };
constexpr const char* kFieldNames[kFieldCount] = {"system", "station", "frequency"};

struct StandIn {
  std::string folder, scenario;
  HWND main = nullptr, terminal = nullptr, text = nullptr;
  HWND fields[kFieldCount] = {};
  HWND lastFocus = nullptr;
  HANDLE record = INVALID_HANDLE_VALUE, log = INVALID_HANDLE_VALUE;
  bool recordTimes = false;
  std::string callStation, callFrequency;
};
StandIn app;

std::string Setting(const char* key, const char* fallback = "") {
  char value[1024] = {};
  GetPrivateProfileStringA("Scenario", key, fallback, value, sizeof value, app.scenario.c_str());
  return value;
}
double Seconds(const char* key, const char* fallback) { return atof(Setting(key, fallback).c_str()); }

void WriteLine(HANDLE file, const std::string& line) {
  if (file == INVALID_HANDLE_VALUE) return;
  std::string bytes = line + "\r\n";
  DWORD written = 0;
  WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

void Record(const std::string& line) {
  if (!app.recordTimes) return WriteLine(app.record, line);
  FILETIME now;
  GetSystemTimeAsFileTime(&now);
  unsigned long long ms = ((static_cast<unsigned long long>(now.dwHighDateTime) << 32) | now.dwLowDateTime) / 10000;
  WriteLine(app.record, std::to_string(ms) + " " + line);
}

// Without AirMail's time stamps: the automation reads only the words.
void LogLine(const std::string& line) { WriteLine(app.log, line); }

void TerminalLine(const std::string& line) {
  if (!app.text) return;
  int end = GetWindowTextLengthA(app.text);
  SendMessageA(app.text, EM_SETSEL, end, end);
  SendMessageA(app.text, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>((line + "\r\n").c_str()));
}

std::string TextOf(HWND window) {
  char text[1024] = {};
  GetWindowTextA(window, text, sizeof text);
  return text;
}

void Call() {
  app.callStation = TextOf(app.fields[kStation]);
  app.callFrequency = TextOf(app.fields[kFrequency]);
  Record("call " + TextOf(app.fields[kSystem]) + " " + app.callStation + " " + app.callFrequency);
  TerminalLine("*** Calling " + app.callStation + " on " + app.callFrequency + " kHz");
  LogLine("Calling " + app.callStation);
  SetTimer(app.main, kOutcomeTimer, static_cast<UINT>(Seconds("Seconds", "1") * 1000), nullptr);
  if (Seconds("HangSeconds", "0") > 0) SetTimer(app.main, kHangTimer, 10, nullptr);
}

void Outcome() {
  std::string outcome = Setting("Outcome", "connected");
  const std::string& station = app.callStation;
  if (outcome == "connected") {
    TerminalLine("*** Connected to " + station);
    LogLine("Connected to " + station);
    std::string server = Setting("ServerLine");
    if (!server.empty()) TerminalLine(server);
    double after = Seconds("DisconnectSeconds", "0");
    if (after > 0) SetTimer(app.main, kDisconnectTimer, static_cast<UINT>(after * 1000), nullptr);
  } else if (outcome == "noanswer") {
    TerminalLine("*** " + station + ", " + app.callFrequency + " kHz, no answer");
    LogLine("No answer from " + station);
  } else if (outcome == "cancelled") {  // for tools/screenshot --airmail cancelled
    TerminalLine("*** " + station + ", " + app.callFrequency + " kHz, canceled");
    LogLine("No answer from " + station + " (manual)");
  } else {
    TerminalLine("*** Disconnected from " + station);
    LogLine("Disconnected from " + station);
  }
}

int FieldIndex(HWND window) {
  for (int i = 0; i < kFieldCount; ++i)
    if (app.fields[i] == window) return i;
  return -1;
}

// The tab order: system, station, frequency, the text area, and round again.
void TabFrom(HWND from, bool back) {
  HWND order[] = {app.fields[kSystem], app.fields[kStation], app.fields[kFrequency], app.text};
  int at = 0;
  for (int i = 0; i < 4; ++i)
    if (order[i] == from) at = i;
  HWND next = order[(at + (back ? 3 : 1)) % 4];
  SetFocus(next);
  if (FieldIndex(next) >= 0) SendMessageA(next, EM_SETSEL, 0, -1);
}

LRESULT CALLBACK TerminalProc(HWND window, UINT message, WPARAM w, LPARAM l) {
  switch (message) {
    case WM_CREATE: {
      HINSTANCE instance = GetModuleHandleA(nullptr);
      const char* initial[kFieldCount] = {"System", "Station", "Frequency"};
      for (int i = 0; i < kFieldCount; ++i)
        app.fields[i] = CreateWindowExA(WS_EX_CLIENTEDGE, "EDIT", Setting(initial[i]).c_str(),
                                        WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, 8 + i * 150, 8, 140, 24, window,
                                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(100 + i)), instance, nullptr);
      app.text = CreateWindowExA(WS_EX_CLIENTEDGE, "EDIT", "AirMail terminal\r\n< id >\r\n",
                                 WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL, 8,
                                 40, 560, 330, window, reinterpret_cast<HMENU>(200), instance, nullptr);
      app.lastFocus = app.fields[kSystem];
      return 0;
    }
    case WM_ACTIVATE:
      if (LOWORD(w) != WA_INACTIVE && app.lastFocus) SetFocus(app.lastFocus);
      return 0;
    case WM_COMMAND: {
      HWND control = reinterpret_cast<HWND>(l);
      if (HIWORD(w) == EN_SETFOCUS) app.lastFocus = control;
      int field = FieldIndex(control);
      if (HIWORD(w) == EN_CHANGE && field >= 0)
        Record(std::string("field ") + kFieldNames[field] + " " + TextOf(control));
      return 0;
    }
  }
  return DefWindowProcA(window, message, w, l);
}

// The tests never close the terminal alone: it lives as long as the main window.
void TerminalOpen() {
  if (!app.terminal)
    app.terminal = CreateWindowExA(0, "TTerminalForm", "Terminal", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 600, 400, 600,
                                   420, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  SetForegroundWindow(app.terminal);
}

LRESULT CALLBACK MainProc(HWND window, UINT message, WPARAM w, LPARAM l) {
  switch (message) {
    case WM_TIMER:
      KillTimer(window, w);
      if (w == kOutcomeTimer) Outcome();
      if (w == kDisconnectTimer) {
        TerminalLine("*** Disconnected from " + app.callStation);
        LogLine("Disconnected from " + app.callStation);
      }
      if (w == kLifetimeTimer) DestroyWindow(window);
      if (w == kHangTimer) Sleep(static_cast<DWORD>(Seconds("HangSeconds", "0") * 1000));
      return 0;
    case WM_DESTROY:
      if (app.terminal) DestroyWindow(app.terminal);
      PostQuitMessage(0);
      return 0;
  }
  return DefWindowProcA(window, message, w, l);
}

bool InTerminal(HWND window) { return app.terminal && (window == app.terminal || IsChild(app.terminal, window)); }
bool InMain(HWND window) { return app.main && (window == app.main || IsChild(app.main, window)); }

// Key commands, seen before the focused control gets them.
bool KeyCommand(const MSG& msg) {
  if (msg.message == WM_KEYDOWN && msg.wParam == VK_F6 && InMain(msg.hwnd)) {
    Record("key F6");
    TerminalOpen();
    return true;
  }
  if (msg.message == WM_KEYDOWN && msg.wParam == VK_F5 && InTerminal(msg.hwnd)) {
    Record("key F5");
    Call();
    return true;
  }
  bool inTabOrder = FieldIndex(msg.hwnd) >= 0 || (app.text && msg.hwnd == app.text);
  if (msg.message == WM_KEYDOWN && msg.wParam == VK_TAB && inTabOrder) {
    TabFrom(msg.hwnd, GetKeyState(VK_SHIFT) < 0);
    return true;
  }
  return msg.message == WM_CHAR && msg.wParam == '\t' && inTabOrder;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, sizeof path);
  app.folder = path;
  app.folder.resize(app.folder.find_last_of('\\'));
  app.scenario = app.folder + "\\Scenario.ini";
  app.recordTimes = Setting("RecordTimes") == "1";
  app.record = CreateFileA((app.folder + "\\Record.txt").c_str(), FILE_APPEND_DATA,
                           FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
  // AirMail keeps its log open while it runs; only reading is shared.
  std::string data = Setting("DataFolder");
  if (!data.empty())
    app.log = CreateFileA((data + "\\Logfiles\\Debug.log").c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr,
                          OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);

  WNDCLASSA windowClass{.lpfnWndProc = MainProc, .hInstance = instance, .hCursor = LoadCursor(nullptr, IDC_ARROW),
                        .hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1), .lpszClassName = "TMainForm"};
  RegisterClassA(&windowClass);
  windowClass.lpfnWndProc = TerminalProc;
  windowClass.lpszClassName = "TTerminalForm";
  RegisterClassA(&windowClass);

  app.main = CreateWindowExA(0, "TMainForm", "AirMail 3.5 - Stand-in", WS_OVERLAPPEDWINDOW, 40, 40, 700, 400,
                             nullptr, nullptr, instance, nullptr);
  ShowWindow(app.main, show);
  SetTimer(app.main, kLifetimeTimer, static_cast<UINT>(Seconds("Lifetime", "90") * 1000), nullptr);
  if (Setting("Terminal") == "1") TerminalOpen();
  Record("started");

  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    if (KeyCommand(msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return 0;
}
