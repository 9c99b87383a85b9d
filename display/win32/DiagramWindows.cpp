// The station diagram and the program diagram.
#include "common/win32/InputPause.h"
#include "display/win32/DiagramDrawing.h"
#include "display/win32/HelpWindows.h"

namespace velmora {
namespace {

using namespace diagram;

constexpr int kCmdVelmora = 100;
enum ProgramButton { kCmdSoundCard = 101, kCmdDisplay, kCmdDetector, kCmdAutoConnect, kCmdTerminal, kCmdAirmail,
                     kCmdPositionReport };

// The station.
constexpr RECT kAntenna{40, 20, 160, 60};
constexpr RECT kRadio{30, 130, 170, 190};
constexpr RECT kModem{30, 280, 170, 340};
constexpr RECT kComputer{270, 15, 630, 390};
constexpr RECT kSoundCardBox{290, 60, 390, 100};
constexpr RECT kVelmora{430, 55, 610, 110};
constexpr RECT kComTuning{290, 175, 390, 215};
constexpr RECT kComModem{290, 290, 390, 330};
constexpr RECT kAirmail{430, 285, 610, 335};

// The program.
constexpr RECT kSoundCardButton{10, 150, 140, 205};
constexpr RECT kDisplayButton{240, 40, 400, 95};
constexpr RECT kDetectorButton{240, 150, 400, 205};
constexpr RECT kAutoConnectButton{470, 150, 630, 205};
constexpr RECT kTerminalButton{470, 270, 630, 325};
constexpr RECT kAirmailButton{240, 270, 400, 325};
// Four lines of text; centred on the AirMail button's row.
constexpr RECT kPositionButton{10, 262, 140, 332};

}  // namespace

bool DiagramWindow::OnCreate() {
  const LayoutScale& s = Scale();
  Button(hwnd_, s, kCmdVelmora, kVelmora, "&Velmora Program");
  return true;
}

void DiagramWindow::OnPaint(HDC dc) {
  const LayoutScale& s = Scale();
  Page(dc, hwnd_);
  Box(dc, s, kComputer, "Computer", true);
  Box(dc, s, kAntenna, "Antenna");
  Box(dc, s, kRadio, "HF Radio");
  Box(dc, s, kModem, "HF Modem");
  Box(dc, s, kSoundCardBox, "Sound Card");
  Box(dc, s, kComTuning, "Com Port");
  Box(dc, s, kComModem, "Com Port");
  Box(dc, s, kAirmail, "AirMail Program");
  Line(dc, s, Mid(kAntenna, 'b'), Mid(kRadio, 't'));
  // Receiver audio into the sound card, and on to Velmora.
  Arrow(dc, s, {kRadio.right, kRadio.top + 12}, Mid(kSoundCardBox, 'l'));
  Label(dc, s, 180, 104, "Audio Out");
  Arrow(dc, s, Mid(kSoundCardBox, 'r'), {kVelmora.left, 80});
  // Radio control and S-meter over a serial line.
  Line(dc, s, {kRadio.right, kRadio.bottom - 20}, Mid(kComTuning, 'l'));
  Label(dc, s, 176, 150, "Tuning Option #1");
  Label(dc, s, 190, 196, "S-Meter Option");
  Line(dc, s, {kComTuning.right, 185}, {kVelmora.left + 40, kVelmora.bottom});
  Line(dc, s, {kComTuning.right, 205}, {kAirmail.left + 40, kAirmail.top});
  // The modem between the radio and AirMail.
  Line(dc, s, {60, kRadio.bottom}, {60, kModem.top});
  Line(dc, s, {140, kModem.top}, {140, kRadio.bottom});
  Label(dc, s, 146, 225, "Tuning Option #2");
  Line(dc, s, Mid(kModem, 'r'), Mid(kComModem, 'l'));
  Arrow(dc, s, Mid(kComModem, 'r'), Mid(kAirmail, 'l'));
  Arrow(dc, s, {kVelmora.right - 30, kVelmora.bottom}, {kAirmail.right - 30, kAirmail.top});
  Label(dc, s, 540, 190, "Keystrokes");
}

bool DiagramWindow::OnCommand(int id, int) {
  if (id != kCmdVelmora) return false;
  program_.Show();
  return true;
}

bool DiagramMainWindow::OnCreate() {
  const LayoutScale& s = Scale();
  Button(hwnd_, s, kCmdSoundCard, kSoundCardButton, "&Sound Card\nSound Level Control");
  Button(hwnd_, s, kCmdDisplay, kDisplayButton, "&Display\nTime && Frequency Display");
  Button(hwnd_, s, kCmdDetector, kDetectorButton, "&Pactor Detector\nPactor Detector Options");
  HWND autoConnect = Button(hwnd_, s, kCmdAutoConnect, kAutoConnectButton, "&AutoConnect\nAuto Connect Options");
  EnableWindow(autoConnect, host_.AutoConnectAvailable());
  Button(hwnd_, s, kCmdTerminal, kTerminalButton, "&Terminal\nAirMail's Terminal Window");
  Button(hwnd_, s, kCmdAirmail, kAirmailButton, "Air&Mail\nAirMail's Window");
  Button(hwnd_, s, kCmdPositionReport, kPositionButton, "P&osition\nAirMail's Position Report Window");
  return true;
}

void DiagramMainWindow::OnPaint(HDC dc) {
  const LayoutScale& s = Scale();
  Page(dc, hwnd_);
  Arrow(dc, s, {kSoundCardButton.right, 165}, Mid(kDisplayButton, 'l'));
  Label(dc, s, 110, 100, "Time Data");
  Arrow(dc, s, Mid(kSoundCardButton, 'r'), Mid(kDetectorButton, 'l'));
  Label(dc, s, 148, 182, "Frequency Data");
  Arrow(dc, s, Mid(kDetectorButton, 'r'), Mid(kAutoConnectButton, 'l'));
  Arrow(dc, s, Mid(kAutoConnectButton, 'b'), Mid(kTerminalButton, 't'));
  Arrow(dc, s, Mid(kTerminalButton, 'l'), Mid(kAirmailButton, 'r'));
  Arrow(dc, s, Mid(kPositionButton, 'r'), Mid(kAirmailButton, 'l'));
}

// The box a button may raise belongs to the main window: this one waits under it.
bool DiagramMainWindow::OnCommand(int id, int) {
  switch (id) {
    case kCmdSoundCard: {
      InputPause pause(hwnd_);
      host_.ShowSoundInput();  // the control panel that fits this system
      return true;
    }
    case kCmdDisplay:
      host_.ShowMainWindow();
      return true;
    case kCmdDetector:
      host_.ShowDetectorOptions();
      return true;
    case kCmdAutoConnect:
      host_.ShowAutoConnect();
      return true;
    case kCmdTerminal: {
      InputPause pause(hwnd_);
      HWND terminal = FindWindowA("TTerminalForm", "Terminal");
      if (!terminal || !SetForegroundWindow(terminal)) messages_.Show("AirMail's Terminal window must be open.");
      return true;
    }
    case kCmdAirmail:
    case kCmdPositionReport:
      return true;
    default:
      return false;
  }
}

}  // namespace velmora
