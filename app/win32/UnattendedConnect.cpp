#include "app/win32/UnattendedConnect.h"

#include "app/WindowProfile.h"
#include "common/AtomicFile.h"
#include "common/win32/WindowObject.h"

namespace velmora {
namespace {

constexpr const char* kTickerClass = "VelmoraUnattended";
constexpr UINT_PTR kTickTimer = 1;
constexpr UINT kTickMilliseconds = 1000;

}  // namespace

UnattendedConnect::UnattendedConnect(MainWindow& main, AutoConnectWindow& autoConnect, LoggingMessenger& messages)
    : main_(main), autoConnect_(autoConnect), messages_(messages), session_(*this, messages, messages) {
  autoConnect_.RunObserverSet(&session_);
  main_.SessionEndingSet([this] { SessionEnding(); });
  WNDCLASSA wc{};
  if (!GetClassInfoA(GetModuleHandleA(nullptr), kTickerClass, &wc)) {
    wc.lpfnWndProc = &UnattendedConnect::WndProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = kTickerClass;
    RegisterClassA(&wc);
  }
  // A message-only window: it has nothing to show, only the timer.
  ticker_ = CreateWindowExA(0, kTickerClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, GetModuleHandleA(nullptr),
                            this);
  // Made before the settings are recalled, so what the start-up tells is
  // logged after the run's first line. A run ended by a crash, a kill or a
  // power cut never logged its end: whoever reads the log learns of it first.
  std::error_code error;
  auto log = ReadWholeFile(messages_.File(), error);
  if (auto begun = log ? UnattendedUnfinishedBegin(*log) : std::nullopt)
    messages_.Note(UnattendedUnfinishedText(*begun));
  messages_.Note(UnattendedBeginText());
}

UnattendedConnect::~UnattendedConnect() {
  autoConnect_.RunObserverSet(nullptr);
  main_.SessionEndingSet({});
  if (ticker_) DestroyWindow(ticker_);
}

void UnattendedConnect::Begin() {
  auto profile = ProfileDocument::Load(main_.ProfileFile());
  wasVisible_ = AutoConnectWasVisible(profile);
  autoConnect_.ProfileRecallWindow(profile);
  // On the defaults no run starts (the first tick says so): the window's
  // first activation would start AirMail and build a table for nothing.
  if (!SettingsUnread()) autoConnect_.Show();
  if (ticker_) SetTimer(ticker_, kTickTimer, kTickMilliseconds, nullptr);
}

void UnattendedConnect::WindowLeaveAsFound() {
  if (!wasVisible_ && autoConnect_.Handle()) ShowWindow(autoConnect_.Handle(), SW_HIDE);
}

void UnattendedConnect::SessionEnding() {
  session_.SessionEnding();
  // The settings are saved next, with the window's visibility.
  WindowLeaveAsFound();
}

void UnattendedConnect::ProgramEnd() {
  if (ticker_) KillTimer(ticker_, kTickTimer);
  WindowLeaveAsFound();
  // Posted: the run's last step may still be on the stack. The main window
  // closes as when the user closes it: the loop stops, the settings are saved.
  PostMessageA(main_.Handle(), WM_CLOSE, 0, 0);
}

LRESULT CALLBACK UnattendedConnect::WndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* self = WindowObjectOf<UnattendedConnect>(hwnd, message, lParam);
  if (self && message == WM_TIMER && wParam == kTickTimer) {
    self->session_.Tick();
    return 0;
  }
  if (message == WM_DESTROY) WindowObjectClear(hwnd);
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

}  // namespace velmora
