#pragma once
// Scripted stand-ins for the device, the window and the clock, so the loops'
// state machine can be driven buffer by buffer.
#include <array>
#include <cstring>
#include <deque>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "audio/SignalSide.h"

namespace velmora::testing {

// A wave device whose driver is a script: each wait on the event runs the
// next step (fill the oldest queued buffer, fill both, time out, or act).
class FakeWaveDevice final : public WaveDevice {
 public:
  using Step = std::function<bool(FakeWaveDevice&)>;  // false: the wait times out

  std::vector<std::string> log;
  std::deque<Step> script;
  std::function<void()> onScriptEnd;  // when the script runs out (must stop the loop)
  bool failEvent = false;
  unsigned openCode = kWaveOk;
  bool openTimesOut = false;
  int failQueueAt = -1;  // the n-th Queue call (from 0) fails
  bool failReset = false;
  std::function<std::int16_t(int)> sample = [](int n) { return static_cast<std::int16_t>(n % 100 + 1); };
  int samplesMade = 0;
  int queueCalls = 0;
  std::uint32_t lastQueuedBytes = 0;

  bool CreateEvent(std::string& errorText) override {
    log.push_back("event");
    if (failEvent) errorText = "Not enough memory";
    return !failEvent;
  }
  void CloseEvent() override { log.push_back("close event"); }
  bool WaitEvent(std::chrono::milliseconds) override {
    if (justOpened_) {
      justOpened_ = false;
      return !openTimesOut;
    }
    if (script.empty()) {
      if (onScriptEnd) onScriptEnd();
      return true;
    }
    Step step = std::move(script.front());
    script.pop_front();
    return step(*this);
  }
  unsigned Open(const WaveFormat& format) override {
    log.push_back("open " + std::to_string(format.bitsPerSample));
    format_ = format;
    if (openCode == kWaveOk) {
      open_ = true;
      justOpened_ = true;
    }
    return openCode;
  }
  unsigned PrepareHeader(int index, void* data, std::uint32_t bytes) override {
    log.push_back("prepare " + std::to_string(index));
    headers_.at(index) = {data, bytes, true, false, 0, false};
    return kWaveOk;
  }
  unsigned Queue(int index, std::uint32_t bytes) override {
    log.push_back("queue " + std::to_string(index));
    if (queueCalls++ == failQueueAt) return 5;
    auto& h = headers_.at(index);
    h.bytes = bytes;
    h.done = false;
    h.recorded = 0;
    h.queued = true;
    order_.push_back(index);
    lastQueuedBytes = bytes;
    return kWaveOk;
  }
  unsigned Start() override {
    log.push_back("start");
    return kWaveOk;
  }
  unsigned Reset() override {
    log.push_back("reset");
    // The driver hands back every queued buffer, done.
    for (auto& h : headers_)
      if (h.queued) {
        h.queued = false;
        h.done = true;
      }
    order_.clear();
    return failReset ? 11 : kWaveOk;
  }
  unsigned UnprepareHeader(int index) override {
    log.push_back("unprepare " + std::to_string(index));
    headers_.at(index).prepared = false;
    return kWaveOk;
  }
  unsigned Close() override {
    log.push_back("close");
    open_ = false;
    return kWaveOk;
  }
  bool IsOpen() const override { return open_; }
  bool Prepared(int index) const override { return headers_.at(index).prepared; }
  bool Done(int index) const override { return headers_.at(index).done; }
  void MarkDone(int index) override { headers_.at(index).done = true; }
  std::uint32_t BytesRecorded(int index) const override { return headers_.at(index).recorded; }

  // The driver finishes the oldest queued buffer with the given number of bytes (all by default).
  bool Fill(std::int64_t bytes = -1) {
    if (order_.empty()) return true;
    int index = order_.front();
    order_.pop_front();
    auto& h = headers_.at(index);
    std::uint32_t n = bytes < 0 ? h.bytes : static_cast<std::uint32_t>(bytes);
    if (format_.bitsPerSample == 16) {
      auto* out = static_cast<std::int16_t*>(h.data);
      for (std::uint32_t i = 0; i < n / 2; ++i) out[i] = sample(samplesMade++);
    } else {
      auto* out = static_cast<std::uint8_t*>(h.data);
      for (std::uint32_t i = 0; i < n; ++i) out[i] = static_cast<std::uint8_t>(sample(samplesMade++));
    }
    h.recorded = n;
    h.done = true;
    h.queued = false;
    return true;
  }

  static Step Filled() {
    return [](FakeWaveDevice& d) { return d.Fill(); };
  }
  static Step BothFilled() {
    return [](FakeWaveDevice& d) {
      d.Fill();
      return d.Fill();
    };
  }
  static Step TimedOut() {
    return [](FakeWaveDevice&) { return false; };
  }
  static Step Do(std::function<void()> action) {
    return [action](FakeWaveDevice&) {
      action();
      return true;
    };
  }

 private:
  struct Header {
    void* data = nullptr;
    std::uint32_t bytes = 0;
    bool prepared = false;
    bool done = false;
    std::uint32_t recorded = 0;
    bool queued = false;
  };
  std::array<Header, 2> headers_;  // the loops' two buffers
  std::deque<int> order_;
  WaveFormat format_;
  bool open_ = false;
  bool justOpened_ = false;
};

class FakeHost final : public SignalHost {
 public:
  std::map<int, std::vector<std::string>> status;
  std::map<std::string, bool> pressed;
  int timers = 0;
  int captionChanges = 0;
  int endProgram = 0;

  void SetStatus(int panel, std::string_view text) override { status[panel].emplace_back(text); }
  void SetToolbarPressed(std::string_view key, bool p) override { pressed[std::string(key)] = p; }
  void StartProcessTimer() override { ++timers; }
  void CaptionChanged() override { ++captionChanges; }
  void HideReadoutIfOutside() override {}
  void BufferAnalysed() override {}
  void EndProgram() override { ++endProgram; }
  std::string Last(int panel) const {
    auto it = status.find(panel);
    return it == status.end() || it->second.empty() ? "" : it->second.back();
  }
  bool Saw(int panel, const std::string& text) const {
    auto it = status.find(panel);
    if (it == status.end()) return false;
    for (const auto& t : it->second)
      if (t == text) return true;
    return false;
  }
};

// Window events: each pass may run the next scripted action.
class FakePump final : public EventPump {
 public:
  std::deque<std::function<void()>> passes;
  int runs = 0;
  bool quit = false;  // the program is ending
  bool QuitRequested() const override { return quit; }
  void RunPending() override {
    ++runs;
    if (!passes.empty()) {
      auto action = std::move(passes.front());
      passes.pop_front();
      if (action) action();
    }
  }
  void Idle(std::chrono::milliseconds) override {}
};

// Every reading of the clock moves it on by a fixed step.
class FakeClock final : public Clock {
 public:
  double now = 1000;
  double step = 0.01;
  double Seconds() override {
    double t = now;
    now += step;
    return t;
  }
};

class FakeAnalysis final : public BufferAnalysis {
 public:
  std::vector<std::vector<std::int16_t>> analysed;
  int detects = 0;
  int restarts = 0;
  std::vector<int> restartsBeforeBuffer;  // continuity restarts seen before each analysed buffer
  std::deque<Verdict> verdicts;
  std::string label = "Pactor 2";

  void Analyse(std::span<const std::int16_t> samples, std::int32_t) override {
    analysed.emplace_back(samples.begin(), samples.end());
    restartsBeforeBuffer.push_back(restarts);
  }
  Verdict Detect(std::string& panelText) override {
    ++detects;
    Verdict v;
    if (!verdicts.empty()) {
      v = verdicts.front();
      verdicts.pop_front();
    }
    panelText = v.busy ? label : "";
    return v;
  }
  void RestartContinuity() override { ++restarts; }
};

class FakeAutoConnect final : public VerdictListener {
 public:
  bool visible = false;
  std::vector<Verdict> updates;
  bool Visible() const override { return visible; }
  void Update(Verdict verdict) override { updates.push_back(verdict); }
};

// Everything a SignalSide needs, wired together.
struct SignalRig {
  MainSettings settings;
  FakeWaveDevice input, output;
  FakeHost host;
  RecordingMessenger messages;
  FakePump pump;
  FakeClock clock;
  FakeAutoConnect autoConnect;
  FakeAnalysis analysis;
  SignalSide signal{settings, SignalDevices{input, output}, host, messages, pump, clock, autoConnect};

  SignalRig() {
    signal.SetAnalysis(analysis);
    input.onScriptEnd = [this] { signal.ProcessStop(); };
  }
  // The toolbar's "Start", then the timer tick that enters the loop.
  void Start() {
    signal.Start();
    signal.StartLoopFromTimer();
  }
};

}  // namespace velmora::testing
