#pragma once
// Small helpers shared by every window: file names, error texts, the clock,
// and waiting while window events run.
#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>

namespace velmora {

// The text between the last "\" (or "/") and the last "." of a path; the
// whole path when either is missing (or the "." lies before the separator).
std::string FileTitle(std::string_view path);

// The wave-audio error texts; "Error Code " and the code for any other.
std::string WaveErrorText(unsigned code);

// The platform's text for an error: the system message for a system error
// code, else the error's own description.
std::string ErrorText(const std::error_code& error);

// "Error Code " followed by the code, for codes the platform has no text for.
std::string ErrorCodeText(long long code);

// A folder and a file name (which may hold "\" between its own parts)
// joined with the platform's separator.
std::filesystem::path JoinPath(std::string_view folder, std::string_view name);

// A path as the text that std::filesystem::path reads back as the same
// path, for names kept in settings: the library's own narrow form does not
// read back where a name holds letters beyond plain ASCII.
std::string PathText(const std::filesystem::path& path);

// Makes the narrow texts the system gives (the program's folder, a folder
// chosen in a dialog, a command line) name the same files as paths: they are
// in the system's code page, which the library takes for Latin-1 unless told.
// Called once at start, before any path is made.
void PathTextInCodePage();

// Makes a file read from a removed stick or an empty card reader fail with
// an error the program reports itself, instead of the system's "no disk"
// box, which would hold an unattended run. Called once at start.
void SystemErrorBoxesOff();

// The line after a write's reason that names the file, which the operation's
// name alone does not: the user must know which file to close elsewhere or
// make writable. "\"<path>\" could not be written".
std::string NotWrittenText(const std::filesystem::path& file);
// The same for a read: "\"<path>\" could not be read".
std::string NotReadText(const std::filesystem::path& file);

struct UtcDateTime {
  int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0, millisecond = 0;
};
UtcDateTime UtcNow();

// Lets pending window events run. Idle waits up to the given time for the
// next event, so a wait loop does not spin the processor.
class EventPump {
 public:
  virtual ~EventPump() = default;
  virtual void RunPending() = 0;
  virtual void Idle(std::chrono::milliseconds longest) = 0;
  // The program is ending: loops that let events run should leave.
  virtual bool QuitRequested() const { return false; }
};

// Seconds on a clock that never jumps (midnight, clock changes).
class Clock {
 public:
  virtual ~Clock() = default;
  virtual double Seconds() = 0;
};

class SteadyClock final : public Clock {
 public:
  double Seconds() override;
};

// Waits the given seconds while letting window events run.
void WaitSeconds(EventPump& pump, Clock& clock, double seconds);

}  // namespace velmora
