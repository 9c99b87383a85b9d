#pragma once
// A serial port as the radio link uses it: opened by number with fixed line
// settings, written to, and heard from through events that arrive on the
// user-interface thread while window events run.
#include <functional>
#include <string>
#include <string_view>

namespace velmora {

struct SerialSettings {
  int baud = 4800;
  int dataBits = 8;
  char parity = 'N';  // "N", "E" or "O"
  int stopBits = 1;
};

enum class SerialEventKind {
  Received,
  CtsChanged,
  DsrChanged,
  Break,
  FramingError,
  Overrun,
  ReceiveOverflow,
  ParityError,
  TransmitFull,
  DcbError,
};

struct SerialEvent {
  SerialEventKind kind = SerialEventKind::Received;
  std::string bytes;   // Received: the characters that arrived
  bool state = false;  // CtsChanged, DsrChanged: the line's new state
};

using SerialEventHandler = std::function<void(const SerialEvent&)>;

struct SerialOpenResult {
  bool opened = false;
  bool inUse = false;    // another program holds the port
  std::string problem;   // the system's description of why it failed
};

class SerialPort {
 public:
  virtual ~SerialPort() = default;
  virtual SerialOpenResult Open(int port, const SerialSettings& settings, SerialEventHandler onEvent) = 0;
  virtual bool IsOpen() const = 0;
  virtual void Write(std::string_view bytes) = 0;
  virtual void Close() = 0;
};

}  // namespace velmora
