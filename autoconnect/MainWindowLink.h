#pragma once
// What the AutoConnect side may reach of the main window: the detector
// values it reads and sets, the restart of the sound input after a change of
// frequency, the samples per buffer, the settings file and folder both
// windows share, the help windows and the main window's place on the
// screen. The main window implements it.
#include <cstdint>
#include <filesystem>

#include "analysis/DetectorValues.h"

namespace velmora {

class ProfileBaseline;

class MainWindowLink {
 public:
  virtual ~MainWindowLink() = default;

  virtual DetectorValues& Detectors() = 0;
  // Restarts the sound input so that the next buffers are judged afresh
  // (after the terminal's frequency changed); starts it when stopped.
  virtual void ProcessReset() = 0;
  // The processing loop runs: a reset restarts it rather than starting it.
  virtual bool InputRunning() const = 0;
  // The buffers come from the receiver through the sound card, not from a
  // recording played or the test signal.
  virtual bool InputFromReceiver() const = 0;
  virtual std::int32_t SampleSize() const = 0;
  // Taken by the loop at its next start or restart.
  virtual void SetSampleSize(std::int32_t samples) = 0;
  // "Velmora.Ini" beside the program, and the program's folder.
  virtual std::filesystem::path ProfileFile() const = 0;
  // False when that file could not be read at start: left as it is, it
  // must not be saved over with the defaults that stood in for it.
  virtual bool ProfileSaveAllowed() const = 0;
  // What this copy of the program last had for that file's keys; a save
  // into it goes by it (see ProfileBaseline). Null: every key is written.
  virtual ProfileBaseline* ProfileKnown() { return nullptr; }
  virtual std::filesystem::path ProgramFolder() const = 0;

  // The help windows the main window keeps; the AutoConnect window's Help
  // menu shows the same ones, and F1 the overview at the part about the
  // AutoConnect window or its options dialog.
  enum class HelpTopic { Diagram, Overview, About, AutoConnect, AutoConnectOptions };
  virtual void HelpShow(HelpTopic topic) = 0;
  // Puts the main window in its normal state at this place, in pixels
  // ("Airmail Resize"), and gives it back the place it had before, unless
  // the user has moved or sized it since.
  virtual void WindowPlace(int left, int top, int width, int height) = 0;
  virtual void WindowPlaceRestore() = 0;
};

}  // namespace velmora
