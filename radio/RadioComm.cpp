#include "radio/RadioComm.h"

#include <string>

#include "common/AtomicFile.h"
#include "common/Format.h"
#include "common/RecordFile.h"
#include "common/TextParse.h"
#include "radio/RadioSentences.h"

namespace velmora {
namespace {

constexpr double kRemoteAnswerSeconds = 0.5;
constexpr double kRemoteOffSeconds = 0.1;

// A description that ends with its own full stop gets no second one.
std::string_view WithoutFullStop(std::string_view text) {
  while (!text.empty() && (text.back() == '.' || text.back() == ' ')) text.remove_suffix(1);
  return text;
}

std::string_view LineEventText(SerialEventKind kind) {
  switch (kind) {
    case SerialEventKind::Break: return "Radio, Break signal received";
    case SerialEventKind::FramingError: return "Radio, Framing Error";
    case SerialEventKind::Overrun: return "Radio, Port Overrun";
    case SerialEventKind::ReceiveOverflow: return "Radio, Receive buffer overflow";
    case SerialEventKind::ParityError: return "Radio, Parity error";
    case SerialEventKind::TransmitFull: return "Radio, Transmit buffer full";
    case SerialEventKind::DcbError: return "Radio, Unexpected error in DCB";
    default: return {};
  }
}

}  // namespace

void RadioComm::Refuse(std::string_view text, std::string_view status) {
  seams_.activator.WindowActivate();
  seams_.messenger.Show(text);
  if (!status.empty()) seams_.status.StatusSet(status);
}

bool RadioComm::PortOpen() {
  seams_.port.Close();
  auto result = seams_.port.Open(settings_.radioCommPort, SerialSettings{},
                                 [this](const SerialEvent& event) { RadioOnComm(event); });
  if (result.opened) return true;
  const std::string problem(WithoutFullStop(result.problem));
  if (result.inUse)
    Refuse("RadioCommOpen, " + problem +
           ".  Please close Terminal Window to release Radio/Modem Comm Port or Uncheck S-Meter Option.");
  else
    // Most often a port that is not there: the box says which one was tried and the way out.
    Refuse("RadioCommOpen, " + problem + ".  Please check that the Radio's Comm Port " +
           std::to_string(settings_.radioCommPort) + " is correct or Uncheck S-Meter Option.");
  return false;
}

void RadioComm::RemoteMarkSet() {
  if (seams_.remoteMark.empty()) return;
  const Record mark{std::to_string(settings_.radioCommPort), std::to_string(settings_.radioIcomAddress)};
  std::error_code ignored;  // without it the radio is handed back at the run's end as ever
  WriteRecords(seams_.remoteMark, "", std::span(&mark, 1), ignored);
}

std::optional<RadioComm::RemoteMark> RadioComm::RemoteMarkRead() {
  std::error_code error;
  auto text = ReadWholeFile(seams_.remoteMark, error, 64);
  if (!text) return std::nullopt;
  auto lines = SplitLines(*text);
  Record fields = lines.empty() ? Record{} : SplitRecord(lines[0]);
  auto port = ParseInteger(fields.empty() ? "" : fields[0]);
  auto address = ParseInteger(fields.size() < 2 ? "" : fields[1]);
  // A mark that makes no sense is dropped: no port is opened on a guess.
  if (!port || !address || *port < 1 || *port > 255 || *address < 0 || *address > 99) {
    RemoteMarkClear();
    return std::nullopt;
  }
  return RemoteMark{static_cast<int>(*port), static_cast<int>(*address)};
}

void RadioComm::RemoteMarkClear() {
  std::error_code ignored;
  if (!seams_.remoteMark.empty()) std::filesystem::remove(seams_.remoteMark, ignored);
}

void RadioComm::RadioRemoteRelease() {
  if (seams_.remoteMark.empty() || seams_.port.IsOpen()) return;
  auto mark = RemoteMarkRead();
  if (!mark) return;
  auto opened = seams_.port.Open(mark->port, SerialSettings{}, [](const SerialEvent&) {});
  if (!opened.opened) {
    RemoteReleaseTell("Radio, Left in Remote Control on Comm Port " + std::to_string(mark->port) + ": " +
                      std::string(WithoutFullStop(opened.problem)));
    // Held by another program: tried again at the next opening. A port no
    // longer there cannot be tried again; told once is enough.
    if (!opened.inUse) RemoteMarkClear();
    return;
  }
  seams_.port.Write(RadioSentence(mark->address, kRadioRemoteOff));
  WaitSeconds(seams_.pump, seams_.clock, kRemoteOffSeconds);
  seams_.port.Close();
  RemoteMarkClear();
  RemoteReleaseTell("Radio, Remote Control Off");
}

void RadioComm::RemoteReleaseTell(const std::string& text) {
  seams_.status.StatusSet(text);
  if (seams_.unattended) seams_.unattended->Note(text);
}

bool RadioComm::RadioCommOpen() {
  replies_.Clear();
  sMeterAsked_ = answerStale_ = false;
  if (!PortOpen()) return false;
  // Kept until the radio is handed back: a killed run's radio is found at the next start.
  RemoteMarkSet();
  RadioSend(kRadioRemoteOn);
  WaitSeconds(seams_.pump, seams_.clock, kRemoteAnswerSeconds);
  if (replies_.LastReply().find(kRadioRemoteOn) != std::string::npos) return true;
  Refuse("RadioCommOpen, Radio not Responding.  Check cable and power.", "Radio, Not Responding");
  // Its answer may be what was lost: a radio that went to remote control
  // all the same would keep its front panel locked.
  RadioCommClose();
  return false;
}

void RadioComm::RadioCommClose() {
  if (!seams_.port.IsOpen()) return;
  RadioSend(kRadioRemoteOff);
  WaitSeconds(seams_.pump, seams_.clock, kRemoteOffSeconds);
  seams_.port.Close();
  RemoteMarkClear();
}

void RadioComm::RadioSend(std::string_view command) {
  if (seams_.port.IsOpen()) seams_.port.Write(RadioSentence(settings_.radioIcomAddress, command));
}

void RadioComm::RadioSetFrequency(std::string_view label) {
  // A reading from before the retune belongs to the old frequency, and so
  // does the answer still on its way to a request made before it.
  replies_.LastReplyClear();
  answerStale_ = sMeterAsked_;
  for (const auto& command : RadioTuneCommands(label)) RadioSend(command);
}

int RadioComm::RadioSMeterGet() {
  RadioSend(kRadioSMeterRequest);
  sMeterAsked_ = true;
  // Taken once: a radio that stops answering gives no reading rather than its last one.
  const int reading = RadioSMeterFromReply(replies_.LastReply());
  replies_.LastReplyClear();
  return reading;
}

void RadioComm::Receive(std::string_view bytes) {
  const auto linesBefore = replies_.LinesEnded();
  replies_.Receive(bytes);
  if (replies_.LinesEnded() == linesBefore || replies_.LastReply().find(kRadioSMeterRequest) == std::string::npos)
    return;
  if (answerStale_) replies_.LastReplyClear();
  sMeterAsked_ = answerStale_ = false;
}

void RadioComm::RadioOnComm(const SerialEvent& event) {
  switch (event.kind) {
    case SerialEventKind::Received: Receive(event.bytes); return;
    case SerialEventKind::CtsChanged:
      seams_.status.StatusSet("Radio, CTS " + std::string(BooleanText(event.state)));
      return;
    case SerialEventKind::DsrChanged:
      seams_.status.StatusSet("Radio, DSR " + std::string(BooleanText(event.state)));
      return;
    default: seams_.status.StatusSet(LineEventText(event.kind)); return;
  }
}

}  // namespace velmora
