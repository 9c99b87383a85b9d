#pragma once
// A COM port with a reader thread: the thread polls the port for bytes and
// line states, and a message-only window of the port's own hands what it
// heard to the user-interface thread, where the events are delivered
// whenever window events run.
#include <windows.h>

#include <functional>
#include <mutex>
#include <thread>
#include <vector>

#include "common/win32/Handles.h"
#include "radio/SerialPort.h"

namespace velmora {

// What the port's lines show at one moment: the error flags gathered since
// the last look, and the modem lines when the port has them.
struct SerialLineState {
  DWORD errors = 0;    // CE_ flags
  bool modemKnown = false;
  DWORD modem = 0;     // MS_ flags
};

// Reads (and clears) the port's line state.
SerialLineState SerialLineRead(HANDLE port);

using SerialLineProbe = std::function<SerialLineState(HANDLE port)>;

class Win32SerialPort final : public SerialPort {
 public:
  // The probe runs on the reader thread.
  explicit Win32SerialPort(SerialLineProbe probe = SerialLineRead);
  Win32SerialPort(const Win32SerialPort&) = delete;
  Win32SerialPort& operator=(const Win32SerialPort&) = delete;
  ~Win32SerialPort() override;

  SerialOpenResult Open(int port, const SerialSettings& settings, SerialEventHandler onEvent) override;
  bool IsOpen() const override { return static_cast<bool>(port_); }
  void Write(std::string_view bytes) override;
  void Close() override;

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM w, LPARAM l);
  void ReaderRun(HANDLE port, HANDLE stop);
  void LineChangesPost(const SerialLineState& before, const SerialLineState& now);
  void Post(SerialEvent event);
  void PendingDeliver();

  SerialLineProbe probe_;
  HWND window_ = nullptr;
  KernelHandle port_;
  KernelHandle stop_;
  std::thread reader_;
  SerialEventHandler onEvent_;
  std::mutex pendingMutex_;
  std::vector<SerialEvent> pending_;
};

}  // namespace velmora
