#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

#include "radio/RadioComm.h"
#include "radio/RadioSentences.h"
#include "tests/airmail/FakeSeams.h"
#include "tests/common/TempFolder.h"

namespace velmora {
namespace {

// The S-meter digit of a reply (the sentences sent: RadioLinkTest, as the
// radio received them).
TEST(RadioSentence, SMeterDigitOfReply) {
  const std::pair<const char*, int> cases[] = {
      {"$PICOA,03,90,SIGM,5<13><10>", 5},
      {"SIGM,12<10>", 1},  // one character only
      {"SIGM<13><10>", -1}, {"SIGM,", -1}, {"$PICOA,03,90,REMOTE,ON<13><10>", -1},
  };
  for (auto [reply, digit] : cases) EXPECT_EQ(RadioSMeterFromReply(reply), digit) << reply;
}

TEST(RadioReplyLines, AssemblesVisibleLinesAndCapsThem) {
  struct Case { std::vector<std::string> chunks; std::string lastReply; std::string pending; } cases[] = {
      {{"SIG", "M,4\r", "\nREM"}, "SIGM,4<13><10>", "REM"},
      {{std::string(kRadioLineLimit - 8, 'y') + "\r\n"}, std::string(kRadioLineLimit - 8, 'y') + "<13><10>", ""},
      // A line cut by the cap is no reply: its bytes past the cap are
      // lost, and what stays could read as a digit the radio never sent.
      {{std::string(kRadioLineLimit - 2, 'y') + "\r\n"}, "", ""},
      {{"0123456789SIGM,\x1b" "7\r", "\nSI"}, "0123456789SIGM,<27>7<13><10>", "SI"},
  };
  for (const auto& c : cases) {
    RadioReplyLines lines;
    for (const auto& chunk : c.chunks) lines.Receive(chunk);
    EXPECT_EQ(lines.LastReply(), c.lastReply);
    EXPECT_EQ(lines.Pending(), c.pending);
  }
}

// A radio on the other end of a port: its answers to each sentence arrive
// when window events next run, as a real port's would.
class FakeRadioPort final : public SerialPort, public EventPump {
 public:
  SerialOpenResult Open(int, const SerialSettings&, SerialEventHandler onEvent) override {
    if (openResult.opened) { handler_ = std::move(onEvent); open_ = true; }
    return openResult;
  }
  bool IsOpen() const override { return open_; }
  void Write(std::string_view bytes) override {
    written.emplace_back(bytes);
    if (!answers.empty()) {
      if (!answers.front().empty()) incoming_.push_back(answers.front());
      answers.pop_front();
    }
  }
  void Close() override { open_ = false; }
  void RunPending() override {
    for (; !incoming_.empty(); incoming_.pop_front())
      if (open_) handler_({SerialEventKind::Received, incoming_.front()});
  }
  void Idle(std::chrono::milliseconds) override {}

  SerialOpenResult openResult{true, false, ""};
  std::deque<std::string> answers;  // one per sentence written; empty: silence
  std::vector<std::string> written;

 private:
  SerialEventHandler handler_;
  std::deque<std::string> incoming_;
  bool open_ = false;
};

struct StepClock final : Clock {
  double now = 0;
  double Seconds() override { return now += 0.01; }
};

class RadioLink : public ::testing::Test {
 protected:
  AutoConnectSettings settings;
  FakeRadioPort port;
  RecordingMessenger messenger;
  testing::RecordingStatus status;
  testing::CountingActivator activator;
  StepClock clock;
  testing::TempFolder folder;
  std::filesystem::path mark = folder.path() / kRadioRemoteMarkFile;
  RadioComm radio{settings, {port, messenger, status, activator, port, clock, mark}};
};

// A port another program holds, which Wine cannot show (the rest of opening:
// RadioLinkTest under Wine).

TEST_F(RadioLink, RefusesWhenThePortIsInUseAndADcbErrorShowsItsStatusText) {
  port.openResult = {false, true, "Access denied."};
  EXPECT_FALSE(radio.RadioCommOpen());
  EXPECT_EQ(messenger.Texts(), std::vector<std::string>{
                                   "RadioCommOpen, Access denied.  Please close Terminal Window to release Radio/Modem "
                                   "Comm Port or Uncheck S-Meter Option."});
  EXPECT_TRUE(status.texts.empty());
  EXPECT_FALSE(radio.IsOpen());
  EXPECT_EQ(activator.count, 1);
  // CTS, DSR and framing errors come from the reader thread: RadioLinkTest under Wine.
  radio.RadioOnComm({SerialEventKind::DcbError, "", false});
  EXPECT_EQ(status.texts.back(), "Radio, Unexpected error in DCB");
}

// A port that is not there (S-Meter ticked on a laptop without the radio's
// cable) names the port and the way out, not only the system's words.
TEST_F(RadioLink, AMissingPortNamesThePortToCheck) {
  port.openResult = {false, false, "File not found."};
  EXPECT_FALSE(radio.RadioCommOpen());
  EXPECT_EQ(messenger.Texts(), std::vector<std::string>{"RadioCommOpen, File not found.  Please check that the "
                                                        "Radio's Comm Port 8 is correct or Uncheck S-Meter Option."});
}

// A radio whose answer was lost may have gone to remote control all the
// same: it is handed back before the port closes.
TEST_F(RadioLink, ARadioThatDoesNotAnswerIsLeftInLocalControl) {
  EXPECT_FALSE(radio.RadioCommOpen());
  EXPECT_EQ(port.written, (std::vector<std::string>{"$PICOA,90,03,REMOTE,ON\r\n", "$PICOA,90,03,REMOTE,OFF\r\n"}));
  EXPECT_FALSE(radio.IsOpen());
  EXPECT_EQ(status.texts, std::vector<std::string>{"Radio, Not Responding"});
}

// A program killed in a run leaves the radio in remote control, its front
// panel locked: the next start hands it back once, on the port it was left
// on; a port held or gone is told once and tried again at the next start.
TEST_F(RadioLink, ARadioLeftInRemoteControlIsHandedBackAtTheNextStart) {
  port.answers = {"REMOTE,ON\r\n"};
  ASSERT_TRUE(radio.RadioCommOpen());
  settings.radioCommPort = 4;  // changed since
  // An unattended run's log gets what the status line shows.
  struct Notes final : MessageNote {
    std::vector<std::string> texts;
    void Note(std::string_view text) override { texts.emplace_back(text); }
  } notes;
  RadioComm next{settings, {port, messenger, status, activator, port, clock, mark, &notes}};
  port.Close();  // killed: nothing sent
  port.written.clear();
  port.openResult = {false, true, "Access denied."};
  next.RadioRemoteRelease();
  port.openResult = {true, false, ""};
  for (int start = 0; start < 2; ++start) next.RadioRemoteRelease();
  EXPECT_EQ(port.written, std::vector<std::string>{"$PICOA,90,03,REMOTE,OFF\r\n"});
  EXPECT_EQ(status.texts, (std::vector<std::string>{"Radio, Left in Remote Control on Comm Port 8: Access denied",
                                                    "Radio, Remote Control Off"}));
  EXPECT_FALSE(port.IsOpen());
  EXPECT_TRUE(messenger.Texts().empty());
  // A run that ended well leaves nothing to hand back.
  port.answers = {"REMOTE,ON\r\n"};
  ASSERT_TRUE(next.RadioCommOpen());
  next.RadioCommClose();
  port.written.clear();
  next.RadioRemoteRelease();
  EXPECT_TRUE(port.written.empty());
  testing::WriteBytes(mark, "8,3\r\n");
  port.openResult = {false, false, "File not found."};
  for (int start = 0; start < 2; ++start) next.RadioRemoteRelease();
  EXPECT_EQ(status.texts.size(), 3u);
  EXPECT_EQ(status.texts.back(), "Radio, Left in Remote Control on Comm Port 8: File not found");
  EXPECT_EQ(notes.texts, status.texts);
}

// A reading taken once, and silence after it: RadioLinkTest under Wine.
TEST_F(RadioLink, TuningForgetsTheLastReading) {
  port.answers = {"REMOTE,ON\r\n"};
  ASSERT_TRUE(radio.RadioCommOpen());
  port.answers = {"", "", "SIGM,4\r\n"};
  radio.RadioSetFrequency("14075.0(p3)");
  EXPECT_EQ(radio.RadioSMeterGet(), -1);  // the answer comes after the request
  port.RunPending();
  port.answers = {"", "", "SIGM,6\r\n"};
  radio.RadioSetFrequency("10145.0");  // the 4 belongs to the frequency before
  EXPECT_EQ(radio.RadioSMeterGet(), -1);
  // The answer to the request just before a retune comes after it: the 6 is
  // the old frequency's too. The next answer is the new one's.
  port.answers = {"", "", "SIGM,3\r\n"};
  radio.RadioSetFrequency("7102.0");
  port.RunPending();
  EXPECT_EQ(radio.RadioSMeterGet(), -1);
  port.RunPending();
  EXPECT_EQ(radio.RadioSMeterGet(), 3);
}

}  // namespace
}  // namespace velmora
