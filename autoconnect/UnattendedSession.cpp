#include "autoconnect/UnattendedSession.h"

#include <algorithm>
#include <iterator>

#include "airmail/AutoConnectSettings.h"
#include "autoconnect/OptionFields.h"
#include "common/RecordFile.h"
#include "common/TextFileLines.h"

namespace velmora {
namespace {

std::string ModeName(int mode) {
  auto items = ModeItems();
  if (mode < 0 || mode >= static_cast<int>(items.size())) return std::to_string(mode);
  return items[static_cast<size_t>(mode)];
}

}  // namespace

bool UnattendedMode(int mode) { return CallingMode(mode) || mode == kModeReferenceStations; }

std::string UnattendedModeRefusedText(int mode) {
  return "Velmora /connect - The mode \"" + ModeName(mode) + "\" cannot run unattended.\r\rPlease choose \"" +
         ModeName(kModeCurrentFrequency) + "\", \"" + ModeName(kModeMultipleFrequencies) + "\", \"" +
         ModeName(kModeMultipleStations) + "\" or \"" + ModeName(kModeReferenceStations) +
         "\" in the AutoConnect window before the next run.";
}

std::string UnattendedSessionEndText() {
  return "Velmora /connect - Windows is shutting down or logging off: the run ends.";
}

std::string UnattendedSavedText(std::string_view file) {
  return "Velmora /connect - The reference measurements were saved to " + std::string(file) + ".";
}

std::string UnattendedNothingMeasuredText() {
  return "Velmora /connect - No frequency was measured: the radio gave no S-meter reading.";
}

std::string UnattendedPartlyMeasuredText(int missed) {
  return "Velmora /connect - " + std::to_string(missed) + (missed == 1 ? " frequency was" : " frequencies were") +
         " not measured: the radio gave no S-meter reading there.";
}

std::string UnattendedUnwrittenText() {
  return "Velmora /connect - The run ended with \"Done\" but not all it learned could be written (the messages "
         "above name the files): it counts as stopped.";
}

std::string UnattendedSilenceText() {
  return "Velmora /connect - No sound has reached AutoConnect for " + std::to_string(kUnattendedSilentTicks) +
         " seconds, so the run is stopped.\r\rPlease check the sound card and the receiver's audio.";
}

std::string UnattendedNotReadyText() {
  return "Velmora /connect - The AutoConnect table was not ready after " + std::to_string(kUnattendedReadyTicks / 60) +
         " minutes, so no run is started.";
}

std::string UnattendedSettingsUnreadText(std::string_view file) {
  return "Velmora /connect - " + std::string(file) +
         " could not be read, so no run is started: with the default settings it would call stations and "
         "frequencies you did not choose.";
}

std::string UnattendedBeginText() { return "Velmora /connect - The program starts for an unattended run."; }

std::string UnattendedUnfinishedText(std::string_view begun) {
  // Without commas, which the log would turn into dashes.
  return "Velmora /connect - The run begun at " + std::string(begun) +
         " UTC did not end: the program was ended before it (by a crash or a power cut or by hand). That run left "
         "no record in the AutoConnect log; reference measurements it had not saved by then are lost.";
}

std::optional<std::string> UnattendedUnfinishedBegin(std::string_view log) {
  // Compared as the log keeps them.
  auto logged = [](std::string_view text) { return MessageLogRecord(UtcDateTime{}, text).at(1); };
  const std::string beginning = logged(UnattendedBeginText());
  const std::string ends[] = {logged(UnattendedEndText(UnattendedExit::Done)),
                              logged(UnattendedEndText(UnattendedExit::Stopped)),
                              logged(UnattendedEndText(UnattendedExit::NotStarted))};
  std::optional<std::string> begun;
  for (const auto& line : SplitLines(log)) {
    Record record = SplitRecord(line);
    if (record.size() < 2) continue;
    if (record[1] == beginning) begun = record[0];
    if (std::find(std::begin(ends), std::end(ends), record[1]) != std::end(ends)) begun.reset();
  }
  return begun;
}

std::string UnattendedEndText(UnattendedExit exit) {
  switch (exit) {
    case UnattendedExit::Done: return "Velmora /connect - The run ended with \"Done\": exit code 0.";
    case UnattendedExit::Stopped: return "Velmora /connect - The run ended with \"Stopped\": exit code 1.";
    case UnattendedExit::NotStarted: break;
  }
  return "Velmora /connect - No run could start: exit code 2.";
}

void UnattendedSession::Tick() {
  if (phase_ == Phase::Busy || phase_ == Phase::Ending) return;
  if (auto exit = outcome_.Exit()) return End(*exit);
  if (phase_ == Phase::Waiting) {
    if (++waitingTicks_ < kUnattendedReadyTicks) return Begin();
    phase_ = Phase::Busy;
    messenger_.Show(UnattendedNotReadyText(), MessageIcon::Exclamation);
    return End(UnattendedExit::NotStarted);
  }
  WatchSound();
}

void UnattendedSession::Begin() {
  if (auto unread = host_.SettingsUnread()) {
    phase_ = Phase::Busy;
    messenger_.Show(UnattendedSettingsUnreadText(*unread), MessageIcon::Exclamation);
    return End(UnattendedExit::NotStarted);
  }
  if (!host_.Ready()) return;
  phase_ = Phase::Busy;
  int mode = host_.Mode();
  if (!UnattendedMode(mode)) {
    messenger_.Show(UnattendedModeRefusedText(mode), MessageIcon::Exclamation);
    return End(UnattendedExit::NotStarted);
  }
  sound_ = host_.SoundBuffers();
  bool began = host_.Start();
  phase_ = Phase::Running;
  // A run that ended inside Start has told its end already.
  if (!began && !outcome_.Exit()) outcome_.StartRefused();
  if (auto exit = outcome_.Exit()) End(*exit);
}

void UnattendedSession::WatchSound() {
  // A box holds the buffers back, not the sound card: its seconds are no silence.
  if (host_.MessageShowing()) return;
  std::uint64_t sound = host_.SoundBuffers();
  if (sound != sound_) {
    sound_ = sound;
    silentTicks_ = 0;
    return;
  }
  if (++silentTicks_ < kUnattendedSilentTicks) return;
  phase_ = Phase::Busy;
  messenger_.Show(UnattendedSilenceText(), MessageIcon::Exclamation);
  silenceStop_ = true;
  host_.Stop();
  phase_ = Phase::Running;
  silentTicks_ = 0;
}

UnattendedExit UnattendedSession::MeasurementsKeep(UnattendedExit exit) {
  if (exit == UnattendedExit::NotStarted) return exit;
  if (!host_.MeasurementsUnsaved()) {
    // Every row done without one measured: the scheduler must not take it for a success.
    if (exit != UnattendedExit::Done || host_.Mode() != kModeReferenceStations) return exit;
    note_.Note(UnattendedNothingMeasuredText());
    return UnattendedExit::Stopped;
  }
  auto file = host_.MeasurementsSave();
  if (!file) return UnattendedExit::Stopped;
  note_.Note(UnattendedSavedText(*file));
  // "Done" with rows left out is no full measurement: the scheduler must tell it.
  int missed = host_.MeasurementsMissed();
  if (exit != UnattendedExit::Done || missed == 0) return exit;
  note_.Note(UnattendedPartlyMeasuredText(missed));
  return UnattendedExit::Stopped;
}

void UnattendedSession::End(UnattendedExit exit) {
  phase_ = Phase::Ending;
  exit_ = MeasurementsKeep(exit);
  // The code is told at the program's end: the settings, and what files
  // refused during the run, are written on the way there.
  host_.ProgramEnd();
}

void UnattendedSession::EndNote() {
  // A scheduler that reads success must find the run's record, marks and settings kept.
  if (*exit_ == UnattendedExit::Done && host_.WritesLost()) {
    note_.Note(UnattendedUnwrittenText());
    exit_ = UnattendedExit::Stopped;
  }
  note_.Note(UnattendedEndText(*exit_));
  endNoted_ = true;
}

void UnattendedSession::SessionEnding() {
  if (endNoted_) return;
  phase_ = Phase::Ending;
  // A run that ended already waits only for the program's end.
  if (!exit_) {
    note_.Note(UnattendedSessionEndText());
    exit_ = MeasurementsKeep(outcome_.Exit().value_or(UnattendedExit::NotStarted));
  }
  EndNote();
}

int UnattendedSession::Finish() {
  // Closed by hand, or before the table was ever built.
  if (!exit_) exit_ = outcome_.Exit().value_or(UnattendedExit::NotStarted);
  if (!endNoted_) EndNote();
  return static_cast<int>(*exit_);
}

}  // namespace velmora
