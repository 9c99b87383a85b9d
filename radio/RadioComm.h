#pragma once
// The serial link to the radio: remote control on and off, tuning to a
// frequency label and reading the S-meter. Replies arrive through the
// port's events while window events run, so a reading is the answer to
// the request before it.
#include <filesystem>
#include <optional>
#include <string_view>

#include "airmail/AutoConnectSettings.h"
#include "airmail/AutomationSeams.h"
#include "common/Messages.h"
#include "common/SystemLib.h"
#include "radio/RadioReplyLines.h"
#include "radio/SerialPort.h"

namespace velmora {

// Beside the program: the port and address of a radio switched to remote
// control and not handed back yet (the program was killed in a run).
inline constexpr const char* kRadioRemoteMarkFile = "RadioRemote.txt";

struct RadioCommSeams {
  SerialPort& port;
  Messenger& messenger;
  StatusPanel& status;             // the AutoConnect window's status line
  OwnWindowActivator& activator;   // in front before a message box
  EventPump& pump;
  Clock& clock;
  std::filesystem::path remoteMark = {};  // kRadioRemoteMarkFile's path; none: not kept
  // A run nobody watches: the status line is gone before anyone reads it,
  // so the radio handed back (or left locked) is noted in its log too.
  MessageNote* unattended = nullptr;
};

class RadioComm {
 public:
  // The port number and the radio's address are read from the settings at each use.
  RadioComm(const AutoConnectSettings& settings, RadioCommSeams seams) : settings_(settings), seams_(seams) {}
  RadioComm(const RadioComm&) = delete;
  RadioComm& operator=(const RadioComm&) = delete;
  // Ends with the port closed; RadioCommClose first hands the radio back to local control.
  ~RadioComm() { seams_.port.Close(); }

  bool RadioCommOpen();
  void RadioCommClose();
  void RadioSend(std::string_view command);
  void RadioSetFrequency(std::string_view label);
  int RadioSMeterGet();
  void RadioOnComm(const SerialEvent& event);
  // With no run going: a radio a killed program left in remote control (its
  // front panel locked) is handed back, and the status line says so.
  void RadioRemoteRelease();

  bool IsOpen() const { return seams_.port.IsOpen(); }
  const RadioReplyLines& Replies() const { return replies_; }

 private:
  bool PortOpen();
  void Receive(std::string_view bytes);
  void Refuse(std::string_view text, std::string_view status = {});
  void RemoteReleaseTell(const std::string& text);
  struct RemoteMark {
    int port, address;
  };
  void RemoteMarkSet();
  void RemoteMarkClear();
  std::optional<RemoteMark> RemoteMarkRead();

  const AutoConnectSettings& settings_;
  RadioCommSeams seams_;
  RadioReplyLines replies_;
  bool sMeterAsked_ = false;  // an S-meter request is still unanswered
  bool answerStale_ = false;  // and it was made before the last retune
};

}  // namespace velmora
