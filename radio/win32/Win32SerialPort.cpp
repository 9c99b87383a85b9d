#include "radio/win32/Win32SerialPort.h"

#include <array>
#include <string>

#include "common/win32/SystemErrorText.h"
#include "common/win32/WindowObject.h"

namespace velmora {
namespace {

constexpr const char* kWindowClass = "VelmoraSerialPort";
constexpr UINT kEventsArrived = WM_APP + 1;
// At 4800 baud some 5 characters arrive in this time: replies come in
// promptly, and the idle thread costs next to nothing.
constexpr DWORD kPollMilliseconds = 10;
constexpr DWORD kWriteTimeoutMilliseconds = 2000;

void ClassRegister(WNDPROC procedure) {
  static const bool registered = [procedure] {
    WNDCLASSA type{};
    type.lpfnWndProc = procedure;
    type.hInstance = GetModuleHandleA(nullptr);
    type.lpszClassName = kWindowClass;
    return RegisterClassA(&type) != 0;
  }();
  (void)registered;
}

BYTE ParityOf(char parity) {
  if (parity == 'E') return EVENPARITY;
  if (parity == 'O') return ODDPARITY;
  return NOPARITY;
}

// Line settings with no flow control; DTR and RTS on, as radio interfaces
// that take their power from them need.
bool LineSet(HANDLE port, const SerialSettings& settings) {
  DCB dcb{};
  dcb.DCBlength = sizeof dcb;
  if (!GetCommState(port, &dcb)) return false;
  dcb.BaudRate = static_cast<DWORD>(settings.baud);
  dcb.ByteSize = static_cast<BYTE>(settings.dataBits);
  dcb.Parity = ParityOf(settings.parity);
  dcb.StopBits = settings.stopBits == 2 ? TWOSTOPBITS : ONESTOPBIT;
  dcb.fBinary = TRUE;
  dcb.fParity = dcb.Parity != NOPARITY;
  dcb.fOutxCtsFlow = dcb.fOutxDsrFlow = FALSE;
  dcb.fDtrControl = DTR_CONTROL_ENABLE;
  dcb.fRtsControl = RTS_CONTROL_ENABLE;
  dcb.fOutX = dcb.fInX = FALSE;
  dcb.fDsrSensitivity = FALSE;
  if (!SetCommState(port, &dcb)) return false;
  // Reads return at once with what is there; the reader thread paces itself.
  COMMTIMEOUTS timeouts{};
  timeouts.ReadIntervalTimeout = MAXDWORD;
  timeouts.WriteTotalTimeoutConstant = kWriteTimeoutMilliseconds;
  return SetCommTimeouts(port, &timeouts);
}

SerialOpenResult Failure(DWORD code) {
  const bool inUse = code == ERROR_ACCESS_DENIED || code == ERROR_SHARING_VIOLATION;
  return {false, inUse, SystemErrorText(code)};
}

constexpr std::array<std::pair<DWORD, SerialEventKind>, 7> kErrorEvents{{
    {CE_BREAK, SerialEventKind::Break},
    {CE_FRAME, SerialEventKind::FramingError},
    {CE_OVERRUN, SerialEventKind::Overrun},
    {CE_RXOVER, SerialEventKind::ReceiveOverflow},
    {CE_RXPARITY, SerialEventKind::ParityError},
    {CE_TXFULL, SerialEventKind::TransmitFull},
    {CE_MODE, SerialEventKind::DcbError},
}};

}  // namespace

SerialLineState SerialLineRead(HANDLE port) {
  SerialLineState state;
  if (!ClearCommError(port, &state.errors, nullptr)) state.errors = 0;
  state.modemKnown = GetCommModemStatus(port, &state.modem) != FALSE;
  return state;
}

Win32SerialPort::Win32SerialPort(SerialLineProbe probe) : probe_(std::move(probe)) {
  ClassRegister(&Win32SerialPort::Procedure);
  window_ = CreateWindowExA(0, kWindowClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, GetModuleHandleA(nullptr),
                            nullptr);
  if (window_) WindowObjectSet(window_, this);
}

Win32SerialPort::~Win32SerialPort() {
  Close();
  if (window_) {
    WindowObjectClear(window_);
    DestroyWindow(window_);
  }
}

SerialOpenResult Win32SerialPort::Open(int port, const SerialSettings& settings, SerialEventHandler onEvent) {
  Close();
  const std::string name = "\\\\.\\COM" + std::to_string(port);
  KernelHandle handle(CreateFileA(name.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr));
  if (handle.get() == INVALID_HANDLE_VALUE) {
    const DWORD code = GetLastError();
    handle.release();
    return Failure(code);
  }
  if (!LineSet(handle.get(), settings)) return Failure(GetLastError());
  KernelHandle stop(CreateEventA(nullptr, TRUE, FALSE, nullptr));
  if (!stop) return Failure(GetLastError());
  PurgeComm(handle.get(), PURGE_RXCLEAR | PURGE_TXCLEAR);
  onEvent_ = std::move(onEvent);
  port_ = std::move(handle);
  stop_ = std::move(stop);
  reader_ = std::thread([this, p = port_.get(), s = stop_.get()] { ReaderRun(p, s); });
  return {true, false, {}};
}

void Win32SerialPort::Write(std::string_view bytes) {
  while (port_ && !bytes.empty()) {
    DWORD written = 0;
    if (!WriteFile(port_.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) || written == 0)
      return;
    bytes.remove_prefix(written);
  }
}

void Win32SerialPort::Close() {
  if (reader_.joinable()) {
    SetEvent(stop_.get());
    reader_.join();
  }
  port_.reset();
  stop_.reset();
  // What the reader heard before the close is no longer wanted.
  std::lock_guard lock(pendingMutex_);
  pending_.clear();
}

void Win32SerialPort::ReaderRun(HANDLE port, HANDLE stop) {
  SerialLineState before = probe_(port);
  std::array<char, 256> buffer;
  do {
    DWORD got = 0;
    while (ReadFile(port, buffer.data(), static_cast<DWORD>(buffer.size()), &got, nullptr) && got > 0)
      Post({SerialEventKind::Received, std::string(buffer.data(), got), false});
    const SerialLineState now = probe_(port);
    LineChangesPost(before, now);
    before = now;
  } while (WaitForSingleObject(stop, kPollMilliseconds) == WAIT_TIMEOUT);
}

void Win32SerialPort::LineChangesPost(const SerialLineState& before, const SerialLineState& now) {
  if (before.modemKnown && now.modemKnown) {
    const DWORD changed = before.modem ^ now.modem;
    if (changed & MS_CTS_ON) Post({SerialEventKind::CtsChanged, {}, (now.modem & MS_CTS_ON) != 0});
    if (changed & MS_DSR_ON) Post({SerialEventKind::DsrChanged, {}, (now.modem & MS_DSR_ON) != 0});
  }
  for (const auto& [flag, kind] : kErrorEvents)
    if (now.errors & flag) Post({kind, {}, false});
}

// Reader thread: queued, and the window told once per batch.
void Win32SerialPort::Post(SerialEvent event) {
  std::lock_guard lock(pendingMutex_);
  if (pending_.empty()) PostMessageA(window_, kEventsArrived, 0, 0);
  pending_.push_back(std::move(event));
}

// User-interface thread.
void Win32SerialPort::PendingDeliver() {
  std::vector<SerialEvent> events;
  {
    std::lock_guard lock(pendingMutex_);
    events.swap(pending_);
  }
  for (const auto& event : events) {
    if (!port_) return;  // closed by an earlier event's handler
    if (onEvent_) onEvent_(event);
  }
}

LRESULT CALLBACK Win32SerialPort::Procedure(HWND window, UINT message, WPARAM w, LPARAM l) {
  if (message == kEventsArrived) {
    if (auto* self = WindowObject<Win32SerialPort>(window)) self->PendingDeliver();
    return 0;
  }
  return DefWindowProcA(window, message, w, l);
}

}  // namespace velmora
