#pragma once
// Scripted stand-ins for the device, the window and the clock, so the loops'
// state machine can be driven buffer by buffer.
#include <algorithm>
#include <array>
#include <deque>
#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "audio/SignalSide.h"

namespace velmora::testing {

// A wave device whose driver is a script: each wait on the event runs the
// next step (fill the oldest queued buffer, fill both, time out, or act).
class FakeWaveDevice final : public WaveDevice {
 public:
  using Step = std::function<bool(FakeWaveDevice&)>;  // false: the wait times out

  std::deque<Step> script;
  std::function<void()> onScriptEnd;  // when the script runs out (must stop the loop)
  bool failEvent = false, openTimesOut = false, failReset = false;
  unsigned openCode = kWaveOk;
  // The n-th Queue call (from 0) fails; buffers queued longer than the memory their header was prepared with.
  int failQueueAt = -1, overlongQueues = 0;
  std::vector<std::vector<std::int16_t>> played;  // an output's 16-bit buffers as queued
  std::function<std::int16_t(int)> sample = [](int n) { return static_cast<std::int16_t>(n % 100 + 1); };

  bool CreateEvent(std::string& errorText) override {
    if (failEvent) errorText = "Not enough memory";
    return !failEvent;
  }
  void CloseEvent() override {}
  bool WaitEvent(std::chrono::milliseconds) override {
    if (std::exchange(justOpened_, false)) return !openTimesOut;
    if (script.empty()) {
      if (onScriptEnd) onScriptEnd();
      return true;
    }
    Step step = std::move(script.front());
    script.pop_front();
    return step(*this);
  }
  unsigned Open(const WaveFormat& format) override {
    bits_ = format.bitsPerSample;
    open_ = justOpened_ = openCode == kWaveOk;
    return openCode;
  }
  unsigned PrepareHeader(int index, void* data, std::uint32_t bytes) override {
    headers_.at(index) = {data, bytes, bytes, 0, true};
    return kWaveOk;
  }
  unsigned Queue(int index, std::uint32_t bytes) override {
    if (queueCalls_++ == failQueueAt) return 5;
    auto& h = headers_.at(index);
    if (bytes > h.preparedBytes) ++overlongQueues;
    h = {h.data, bytes, h.preparedBytes, 0, h.prepared, false, true};
    if (bits_ == 16) {
      const auto* samples = static_cast<const std::int16_t*>(h.data);
      played.emplace_back(samples, samples + bytes / 2);
    }
    order_.push_back(index);
    return kWaveOk;
  }
  unsigned Start() override { return kWaveOk; }
  unsigned Reset() override {
    // The driver hands back every queued buffer, done.
    for (auto& h : headers_) h.done = h.done || std::exchange(h.queued, false);
    order_.clear();
    return failReset ? 11 : kWaveOk;
  }
  unsigned UnprepareHeader(int index) override {
    headers_.at(index).prepared = false;
    return kWaveOk;
  }
  unsigned Close() override { open_ = false; return kWaveOk; }
  bool IsOpen() const override { return open_; }
  bool Prepared(int index) const override { return headers_.at(index).prepared; }
  bool Done(int index) const override { return headers_.at(index).done; }
  void MarkDone(int index) override { headers_.at(index).done = true; }
  std::uint32_t BytesRecorded(int index) const override { return headers_.at(index).recorded; }

  // The driver finishes the oldest queued buffer with the given number of bytes (all by default).
  bool Fill(std::int64_t bytes = -1) {
    if (order_.empty()) return true;
    auto& h = headers_.at(order_.front());
    order_.pop_front();
    std::uint32_t n = bytes < 0 ? h.bytes : static_cast<std::uint32_t>(bytes);
    for (std::uint32_t i = 0; i < (bits_ == 16 ? n / 2 : n); ++i) {
      std::int16_t v = sample(samplesMade_++);
      if (bits_ == 16)
        static_cast<std::int16_t*>(h.data)[i] = v;
      else
        static_cast<std::uint8_t*>(h.data)[i] = static_cast<std::uint8_t>(v);
    }
    h.recorded = n;
    h.done = true;
    h.queued = false;
    return true;
  }

  static Step Filled() { return [](FakeWaveDevice& d) { return d.Fill(); }; }
  static std::deque<Step> Filled(int buffers) { return std::deque<Step>(buffers, Filled()); }
  static Step BothFilled() { return [](FakeWaveDevice& d) { return d.Fill() && d.Fill(); }; }
  static Step Do(std::function<void()> action) { return [action](FakeWaveDevice&) { return action(), true; }; }

 private:
  struct Header {
    void* data = nullptr;
    std::uint32_t bytes = 0, preparedBytes = 0, recorded = 0;
    bool prepared = false, done = false, queued = false;
  };
  std::array<Header, 2> headers_;  // the loops' two buffers
  std::deque<int> order_;
  int bits_ = 16, samplesMade_ = 0, queueCalls_ = 0;
  bool open_ = false, justOpened_ = false;
};

class FakeHost final : public SignalHost {
 public:
  std::map<int, std::vector<std::string>> status;
  std::map<std::string, bool> pressed;
  int captionChanges = 0, endProgram = 0, timerStarts = 0;

  void SetStatus(int panel, std::string_view text) override { status[panel].emplace_back(text); }
  void SetToolbarPressed(std::string_view key, bool p) override { pressed[std::string(key)] = p; }
  void StartProcessTimer() override { ++timerStarts; }
  void CaptionChanged() override { ++captionChanges; }
  void HideReadoutIfOutside() override {}
  void BufferAnalysed() override {}
  void EndProgram() override { ++endProgram; }
  std::string Last(int panel) { return status[panel].empty() ? "" : status[panel].back(); }
  bool Saw(int panel, const std::string& text) { return std::ranges::count(status[panel], text) > 0; }
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
    if (passes.empty()) return;
    auto action = std::move(passes.front());
    passes.pop_front();
    if (action) action();
  }
  void Idle(std::chrono::milliseconds) override {}
};

// Every reading of the clock moves it on by 10 ms.
class FakeClock final : public Clock {
 public:
  double Seconds() override { return now_ += 0.01; }

 private:
  double now_ = 1000;
};

class FakeAnalysis final : public BufferAnalysis {
 public:
  std::vector<std::vector<std::int16_t>> analysed;
  int detects = 0, restarts = 0, channels = 0;
  std::vector<int> restartsBeforeBuffer;  // continuity restarts seen before each analysed buffer
  std::vector<int> channelsBeforeBuffer;  // new channels, likewise
  std::deque<Verdict> verdicts;

  void Analyse(std::span<const std::int16_t> samples, std::int32_t) override {
    analysed.emplace_back(samples.begin(), samples.end());
    restartsBeforeBuffer.push_back(restarts);
    channelsBeforeBuffer.push_back(channels);
  }
  Verdict Detect(std::string& panelText) override {
    ++detects;
    Verdict v;
    if (!verdicts.empty()) v = verdicts.front(), verdicts.pop_front();
    panelText = v.busy ? "Pactor 2" : "";
    return v;
  }
  void RestartContinuity() override { ++restarts; }
  void NewChannel() override { ++channels; }
};

class FakeAutoConnect final : public VerdictListener {
 public:
  bool visible = false;
  std::vector<Verdict> updates;
  bool Visible() const override { return visible; }
  void Update(Verdict verdict) override { updates.push_back(verdict); }
};

// A SignalSide on the given devices and clock, the rest stand-ins.
template <typename Input, typename Output, typename ClockType>
struct BasicSignalRig {
  MainSettings settings;
  Input input;
  Output output;
  FakeHost host;
  RecordingMessenger messages;
  FakePump pump;
  ClockType clock;
  FakeAutoConnect autoConnect;
  FakeAnalysis analysis;
  SignalSide signal{settings, SignalDevices{input, output}, host, messages, pump, clock, autoConnect};

  BasicSignalRig() { signal.SetAnalysis(analysis); }
  // The toolbar's "Start", then the timer tick that enters the loop.
  void Start() { signal.Start(); signal.StartLoopFromTimer(); }
  // Started, and stopped by the toolbar after the given number of buffers.
  void Run(int buffers) {
    for (int i = 0; i < buffers - 1; ++i) pump.passes.push_back(nullptr);
    pump.passes.push_back([this] { signal.Stop(); });
    Start();
  }
};

struct SignalRig : BasicSignalRig<FakeWaveDevice, FakeWaveDevice, FakeClock> {
  SignalRig() { input.onScriptEnd = [this] { signal.ProcessStop(); }; }
  // Started on a sound card whose driver fills that many buffers; the loop stops when they are done.
  void StartFilled(int buffers) { input.script = FakeWaveDevice::Filled(buffers); Start(); }
};

}  // namespace velmora::testing
