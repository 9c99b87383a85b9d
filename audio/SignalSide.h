#pragma once
// The signal side of the main window: the processing loop on the sound
// card, playback of recordings, the built-in test signal, recording, and
// the per-buffer work they all share. Everything runs on the one window
// thread; the loops let window events run once per buffer, and the flags
// they watch are set by handlers running inside those passes.
#include <array>
#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "audio/BufferWork.h"
#include "audio/MainSettings.h"
#include "audio/CaptureBuffers.h"
#include "audio/PlaybackFile.h"
#include "audio/Recorder.h"
#include "audio/Simulator.h"
#include "audio/WaveDevice.h"
#include "common/Messages.h"
#include "common/SystemLib.h"

namespace velmora {

enum InputSourceKind : std::int32_t { kSoundCard = 0, kPlayback = 1, kSimulated = 2 };

inline constexpr const char* kRecordNothingText =
    "RecordClose - Nothing was recorded: no buffer came from the input while recording (press Start first).";

// What the loops need of the window.
class SignalHost {
 public:
  virtual ~SignalHost() = default;
  virtual void SetStatus(int panel, std::string_view text) = 0;
  virtual void SetToolbarPressed(std::string_view key, bool pressed) = 0;
  virtual void StartProcessTimer() = 0;  // one short tick later, StartLoopFromTimer
  virtual void CaptionChanged() = 0;     // recording started or stopped, playback file opened or closed
  virtual void HideReadoutIfOutside() = 0;
  virtual void BufferAnalysed() = 0;  // the caption is rebuilt on every analysed buffer
  // The device can no longer be trusted: leave through the normal close path.
  virtual void EndProgram() = 0;
};

struct SignalDevices {
  WaveDevice& input;
  WaveDevice& output;
};

class SignalSide {
 public:
  SignalSide(MainSettings& settings, SignalDevices devices, SignalHost& host, Messenger& messages, EventPump& pump,
             Clock& clock, VerdictListener& autoConnect);

  void SetAnalysis(BufferAnalysis& analysis) { analysis_ = &analysis; }
  void SetDisplay(BufferDisplay& display) { display_ = &display; }
  void SetDetectObserver(DetectObserver* observer) { observer_ = observer; }

  // Toolbar and menu actions.
  void ProcessStart();
  void ProcessStop();
  void ProcessStep();
  void ProcessReset();  // after each frequency change of AutoConnect
  void StartLoopFromTimer();
  void Start();  // toolbar "Start" by source
  void Stop();   // toolbar "Stop" by source
  void Step();   // toolbar "Step" by source
  void StopForClose();  // the first step of closing the main window

  // Recording.
  bool Recording() const { return recorder_.Recording(); }
  void RecordOpen();
  // A recording that got not one buffer (the input not started) is told
  // and its empty file removed.
  void RecordClose() { RecordEnd(true); }
  void RecordToggle() { Recording() ? RecordClose() : RecordOpen(); }

  // Playback.
  void PlaybackLoop();
  void PlaybackStop();
  void PlaybackEnd();
  void PlaybackStep();
  bool PlaybackOpen();
  void PlaybackClose();
  std::string PlaybackCaption() const;  // "Velmora - " + the file's title while a file is open

  // The test signal.
  void SimulateLoop();
  void SimulateData();
  // The test signal's settings changed: generated again at once when it is
  // shown stopped, and from the next buffer while it plays.
  void SimulateChanged();

  // Processes the last buffer again so the displays are redrawn: from a copy
  // of its samples, with no recording, detection, counting or hand-over.
  void Redraw();

  // Members the other windows read or set.
  bool Running() const { return running_; }
  bool LoopActive() const { return running_ || playing_; }
  std::int32_t inputSource = kSoundCard;
  bool use16Bit = true;
  std::filesystem::path playbackFile;
  bool playbackOutput = false;
  bool playbackStopDetected = false;
  SimulateSettings simulate;
  std::filesystem::path dataFolder;  // recordings go here

  std::uint16_t CurrentBuffer() const { return currentBuffer_; }
  std::int32_t SampleCount() const { return sampleCount_; }
  float BufferSeconds() const { return bufferSeconds_; }
  std::span<const std::int16_t> Samples() const { return {samples_.data(), static_cast<size_t>(sampleCount_)}; }
  const PlaybackFile& Playback() const { return playback_; }

  // The per-buffer work for capture buffer index holding count samples.
  void ProcessBuffer(int index, std::int32_t count);

 private:
  // Sound card.
  void Process();
  bool StartCapture();
  bool RunCapture();
  double ProcessRecorded(int index);
  bool RequeueBuffer(int index, double seconds);
  bool RestartCapture();
  int WaveInputOpen();
  void WaveInputClose();
  bool QueueBuffer(WaveDevice& device, int index);
  bool WaitForBuffer(int index, bool& stop);
  bool Restart();
  void ProcessStopped();

  // Sound output, for playback and the test signal.
  int WaveOutputOpen();
  void WaveOutputClose();
  bool PrepareOutputHeaders(std::string_view operation);
  bool WaitOutputBuffer(int index, std::string_view operation, std::string_view waitingText,
                        std::string_view overflowText);

  bool PlaybackRead(int index);
  bool PlaybackBuffers(bool output);
  bool PlaybackNext(int index, bool output, bool previous);
  void CopySamples(int index, std::int32_t count, bool wide);
  void RecordWrite(int index, std::int32_t count, bool wide);
  // Closes the recording; an empty one leaves no file, and is told when asked.
  void RecordEnd(bool tellEmpty);
  void AnalyseBuffer(std::int32_t count);
  void TakeLoopSampleSize();
  std::uint32_t BufferBytes() const;
  void SetFirstBuffer();
  void ShowError(std::string_view text) { messages_.Show(text); }

  MainSettings& settings_;
  SignalDevices devices_;
  SignalHost& host_;
  Messenger& messages_;
  EventPump& pump_;
  Clock& clock_;
  VerdictListener& autoConnect_;
  NoAnalysis noAnalysis_;
  BufferAnalysis* analysis_ = &noAnalysis_;
  BufferDisplay* display_ = nullptr;
  DetectObserver* observer_ = nullptr;

  CaptureBuffers buffers_;
  Recorder recorder_;
  PlaybackFile playback_;
  std::vector<std::int16_t> samples_ = std::vector<std::int16_t>(kSampleSizeMax + 1, 0);

  bool running_ = false;
  bool playing_ = false;  // the playback loop is on the stack
  bool stopRequest_ = false;
  bool stepRequest_ = false;
  bool resetRequest_ = false;
  bool playbackPressed_ = false;  // the toolbar's "Start" while playing
  bool startCalledOff_ = false;   // "Stop" pressed while a start waited for its tick
  WaveDevice* openDevice_ = nullptr;  // opened by the running loop, closed when it stops
  std::array<SimulateSettings, 2> simulated_;  // what each output buffer of the test signal holds
  std::int32_t loopSampleSize_ = kSampleSizeDefault;
  std::uint16_t currentBuffer_ = kNoBuffer;
  std::int32_t sampleCount_ = 0;
  float bufferSeconds_ = 0;
  bool lowInput_ = false;
  Verdict verdict_;
};

}  // namespace velmora
