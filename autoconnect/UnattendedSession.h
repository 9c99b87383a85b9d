#pragma once
// An unattended run from the command line ("/connect"), start to end: once
// the AutoConnect window has built its table, the run starts in the saved
// mode as "Start" starts it; when it ends, the reference measurements of
// mode 3 are saved without asking, and the program saves its settings and
// ends with the run's exit code. Driven by a tick about once a second,
// so time is counted in ticks.
#include <cstdint>
#include <optional>
#include <string>

#include "autoconnect/LoggingMessenger.h"
#include "autoconnect/UnattendedRun.h"

namespace velmora {

// What the session needs of the program's windows.
class UnattendedHost {
 public:
  virtual ~UnattendedHost() = default;
  // The AutoConnect window had its first activation and builds or runs nothing now.
  virtual bool Ready() = 0;
  virtual int Mode() = 0;
  // As "Start"; false when no run began.
  virtual bool Start() = 0;
  // As "Stop".
  virtual void Stop() = 0;
  // Buffers with sound in them (not all zeros) handed to AutoConnect so far.
  virtual std::uint64_t SoundBuffers() = 0;
  // A message box of the run is up: no buffer is processed until it closes.
  virtual bool MessageShowing() = 0;
  // Saves the settings and ends the program, once the work on the stack has returned.
  virtual void ProgramEnd() = 0;
  // Reference measurements taken and not saved yet.
  virtual bool MeasurementsUnsaved() = 0;
  // Saves them as a new reference data file: its name, or nullopt (told) when it failed.
  virtual std::optional<std::string> MeasurementsSave() = 0;
  // Rows of the run's list that went through without a figure.
  virtual int MeasurementsMissed() = 0;
  // What the run learned that a file refused and no later write kept (its
  // log record, a history mark, what it heard of the channels, the
  // settings, a line of the message log).
  virtual bool WritesLost() = 0;
  // The settings file when it could not be read at the start (the defaults
  // are in use), else nothing.
  virtual std::optional<std::string> SettingsUnread() = 0;
};

// The modes a run with nobody at the laptop can go through to the end: not
// the scan, which hands a busy frequency over to a person.
bool UnattendedMode(int mode);

// A run that hears no sound for this many ticks is stopped: nothing else
// would ever move it on, and a scheduled run must end.
inline constexpr int kUnattendedSilentTicks = 120;
// A table that is never ready (a window that could not be made, a rebuild
// that never returns) gives up after this many ticks: predictions for many
// stations take minutes, never a quarter of an hour.
inline constexpr int kUnattendedReadyTicks = 900;

std::string UnattendedModeRefusedText(int mode);
std::string UnattendedSilenceText();
std::string UnattendedNotReadyText();
std::string UnattendedSettingsUnreadText(std::string_view file);
// The line the message log gets when the program ends.
std::string UnattendedEndText(UnattendedExit exit);
std::string UnattendedSessionEndText();
std::string UnattendedSavedText(std::string_view file);
std::string UnattendedNothingMeasuredText();
std::string UnattendedPartlyMeasuredText(int missed);
std::string UnattendedUnwrittenText();
// The line the message log gets when the program starts for a run, and
// the one that tells of an earlier run begun at that time (the log's time
// stamp) that never logged its end: a crash, a kill or a power cut.
std::string UnattendedBeginText();
std::string UnattendedUnfinishedText(std::string_view begun);
// The time stamp of the log's last run begun without an end after it.
std::optional<std::string> UnattendedUnfinishedBegin(std::string_view log);

class UnattendedSession final : public RunObserver {
 public:
  UnattendedSession(UnattendedHost& host, Messenger& messenger, MessageNote& note)
      : host_(host), messenger_(messenger), note_(note) {}

  void Tick();
  // A run stopped for silence was started, though it never got as far as
  // listening: it ends "Stopped", not as a run that could not start.
  void RunEnded(std::string_view endText, bool began) override {
    outcome_.RunEnded(endText, began || silenceStop_);
  }
  // When the program ends, however it ended: the exit code, noted in the log.
  int Finish();
  // Windows ends the session: the process is ended without reaching
  // Finish, so the end (and what the run measured) is kept now.
  void SessionEnding();

 private:
  enum class Phase { Waiting, Busy, Running, Ending };
  void Begin();
  void WatchSound();
  void End(UnattendedExit exit);
  // A run's measurements kept; a save that failed makes the run no success.
  UnattendedExit MeasurementsKeep(UnattendedExit exit);
  // The exit code in the log, once what the run learned is written or lost.
  void EndNote();

  UnattendedHost& host_;
  Messenger& messenger_;
  MessageNote& note_;
  UnattendedRun outcome_;
  // Busy: a start or a message box under way, whose window events bring
  // further ticks that must wait.
  Phase phase_ = Phase::Waiting;
  std::optional<UnattendedExit> exit_;
  bool endNoted_ = false;
  std::uint64_t sound_ = 0;
  int silentTicks_ = 0;
  bool silenceStop_ = false;
  int waitingTicks_ = 0;
};

}  // namespace velmora
