// The radio link over a real serial line: COM8 here, the radio stand-in on
// COM9 at the pair's other end (radio-line.sh makes the pair).
#include <gtest/gtest.h>

#include "common/TextFileLines.h"
#include "common/win32/MessagePump.h"
#include "radio/RadioComm.h"
#include "radio/win32/Win32SerialPort.h"
#include "tests/airmail/FakeSeams.h"
#include "tests/common/TempFolder.h"
#include "tests/common/win32/TestWin32.h"

namespace velmora {
namespace {

using testing::ChildProcess;
using testing::PumpUntil;

// Passes everything on, and notes whether each event reached us on this thread.
class ThreadCheckingPort final : public SerialPort {
 public:
  explicit ThreadCheckingPort(SerialPort& port) : port_(port) {}
  SerialOpenResult Open(int port, const SerialSettings& settings, SerialEventHandler onEvent) override {
    return port_.Open(port, settings, [this, onEvent](const SerialEvent& event) {
      (GetCurrentThreadId() == uiThread_ ? onUiThread : elsewhere) += 1;
      onEvent(event);
    });
  }
  bool IsOpen() const override { return port_.IsOpen(); }
  void Write(std::string_view bytes) override { port_.Write(bytes); }
  void Close() override { port_.Close(); }
  int onUiThread = 0, elsewhere = 0;

 private:
  SerialPort& port_;
  DWORD uiThread_ = GetCurrentThreadId();
};

class RadioOverSerialLine : public ::testing::Test {
 protected:
  RadioOverSerialLine() {
    settings.radioCommPort = 8;
    settings.radioIcomAddress = 3;
  }

  std::string RecordPath() const { return (folder_.path() / "Record.txt").string(); }
  std::vector<std::string> Record() const { return SplitLines(testing::ReadBytes(RecordPath())); }

  AutoConnectSettings settings;
  SerialLineProbe probe = SerialLineRead;  // on the reader thread
  Win32SerialPort serial{[this](HANDLE line) { return probe(line); }};
  ThreadCheckingPort port{serial};
  RecordingMessenger messenger;
  testing::RecordingStatus status;
  testing::CountingActivator activator;
  MessagePump pump;
  SteadyClock clock;
  RadioComm radio{settings, {port, messenger, status, activator, pump, clock}};

 private:
  testing::TempFolder folder_;
};

// (Wine lets a second program open a COM port that one holds, so the
// refusal of a port in use is seen in the native tests only.)
TEST_F(RadioOverSerialLine, MissingPortIsRefusedWithTheSystemsWords) {
  settings.radioCommPort = 42;
  EXPECT_FALSE(radio.RadioCommOpen());
  ASSERT_EQ(messenger.entries.size(), 1u);
  const std::string& text = messenger.entries[0].text;
  EXPECT_TRUE(text.starts_with("RadioCommOpen, ") && text.ends_with(".")) << text;
  EXPECT_GT(text.size(), std::string("RadioCommOpen, .").size() + 2) << text;  // the system's words between
  EXPECT_EQ(text.find(".."), std::string::npos) << text;
  EXPECT_TRUE(status.texts.empty());
}

// Opened, tuned twice, read while window events run, and closed twice: the
// radio receives each sentence once.
TEST_F(RadioOverSerialLine, TunedAndReadWhileWindowEventsRun) {
  // The stand-in on COM9 with its script, once it holds its port.
  ChildProcess standIn("\"" + testing::HostPath(VELMORA_RADIO_STANDIN).string() + "\" COM9 \"" + RecordPath() +
                       "\" --readings 5,x,long,garbage,7,silence");
  ASSERT_TRUE(standIn.Started() && PumpUntil([&] { return !Record().empty(); }, 10));
  ASSERT_TRUE(radio.RadioCommOpen());
  radio.RadioSetFrequency("14075.0(p3)");
  radio.RadioSetFrequency("10145.0");
  // A timer of this thread keeps firing while the replies come in.
  static std::atomic<int> ticks = 0;
  const UINT_PTR timer = SetTimer(nullptr, 0, 20, [](HWND, UINT, UINT_PTR, DWORD) { ++ticks; });
  std::vector<int> readings;
  std::vector<bool> answered;  // a line came while the timer fired
  EXPECT_EQ(radio.RadioSMeterGet(), -1);  // nothing asked before
  for (int i = 0; i < 6; ++i) {
    const int ticksBefore = ticks;
    const auto linesBefore = radio.Replies().LinesEnded();
    // Silence is waited out; every other answer ends the wait.
    answered.push_back(PumpUntil([&] { return radio.Replies().LinesEnded() > linesBefore && ticks > ticksBefore; }, 1));
    readings.push_back(radio.RadioSMeterGet());
  }
  KillTimer(nullptr, timer);
  radio.RadioCommClose();
  radio.RadioCommClose();  // already closed: nothing more is sent
  EXPECT_EQ(readings, (std::vector<int>{5, -1, -1, -1, 7, -1}));
  EXPECT_EQ(answered, (std::vector<bool>{true, true, true, true, true, false}));
  EXPECT_GT(port.onUiThread, 0);
  EXPECT_EQ(port.elsewhere, 0);
  // What the radio received, each sentence without its CR LF.
  std::vector<std::string> expected = {"OPEN", "$PICOA,90,03,REMOTE,ON", "$PICOA,90,03,MODE,USB",
                                       "$PICOA,90,03,RXF,14.07350", "$PICOA,90,03,MODE,AFS",
                                       "$PICOA,90,03,RXF,10.14500"};
  expected.insert(expected.end(), 7, "$PICOA,90,03,SIGM");  // one before the first reading and one per reading
  expected.push_back("$PICOA,90,03,REMOTE,OFF");
  EXPECT_TRUE(PumpUntil([&] { return Record().size() >= expected.size(); }, 5));
  EXPECT_EQ(Record(), expected);
  EXPECT_TRUE(messenger.entries.empty());
  EXPECT_FALSE(radio.IsOpen());
}

// Lines a pseudo-terminal does not carry (CTS, DSR, framing errors) come from a
// scripted look at the line; the reader thread still reports them. No radio
// answers "REMOTE,ON": the port is closed with its message.
TEST_F(RadioOverSerialLine, LineEventsReachTheStatusLineFromTheReaderThread) {
  std::atomic<int> looks = 0;
  probe = [&looks](HANDLE) {
    const int look = looks++;
    SerialLineState state;
    state.modemKnown = true;
    state.modem = look >= 3 ? MS_CTS_ON : MS_DSR_ON;
    state.errors = look == 5 ? CE_FRAME : 0;
    return state;
  };
  EXPECT_FALSE(radio.RadioCommOpen());  // no radio listens, but the line was watched meanwhile
  EXPECT_EQ(status.texts,
            (std::vector<std::string>{"Radio, CTS True", "Radio, DSR False", "Radio, Framing Error",
                                      "Radio, Not Responding"}));
  EXPECT_EQ(messenger.Texts(), std::vector<std::string>{"RadioCommOpen, Radio not Responding.  Check cable and power."});
  EXPECT_EQ(activator.count, 1);
  EXPECT_FALSE(radio.IsOpen());
}

}  // namespace
}  // namespace velmora
