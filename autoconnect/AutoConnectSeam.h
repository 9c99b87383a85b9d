#pragma once
// What the main window knows of the AutoConnect window: whether it is
// shown, the verdict it is handed once per buffer, and its part of the
// settings file.
#include <string>

#include "audio/BufferWork.h"
#include "autoconnect/MainWindowLink.h"
#include "common/ProfileFile.h"
#include "common/ProfileWriter.h"

namespace velmora {

class AutoConnectSeam : public VerdictListener {
 public:
  virtual bool Available() const = 0;  // the window exists in this build
  virtual void Show() = 0;
  virtual void Unload() = 0;  // program close
  // An operation of the side is under way below the caller (AirMail's
  // terminal being driven, a message box): unloading now would pull the
  // window, the engine and the terminal from under it.
  virtual bool Busy() const { return false; }
  // Ends a run, or a start under way, as "Stop" does.
  virtual void RunEnd() {}
  // The program closes: measurements not saved yet are asked about, as the
  // side's own close asks; false when their save failed, and they are kept.
  virtual bool MeasurementsCloseCheck() { return true; }
  // Windows ends the session: they are saved without the question, which
  // nobody would answer before the process is ended.
  virtual void MeasurementsKeep() {}
  // The program ends (closed, or ended with the session): what files
  // refused during the session is written now, or told as lost.
  virtual void WaitingWrite() {}
  // Windows ends the session: the side's boxes wait (true) until all is
  // saved, and are shown then (false).
  virtual void MessagesHold(bool) {}
  // The main window, once it exists; before, the side reaches nothing of it.
  virtual void Attach(MainWindowLink& mainWindow) = 0;
  virtual void ProfileRecall(const ProfileDocument& profile) = 0;
  virtual void ProfileRecallWindow(const ProfileDocument& profile) = 0;
  virtual void ProfileSave(ProfileWriter& profile) = 0;
  virtual void ProfileSaveWindow(ProfileWriter& profile) = 0;
  // AirMail's data folder as the AutoConnect settings know it (empty when unknown).
  virtual std::string AirmailDataFolder() const { return {}; }
};

}  // namespace velmora
