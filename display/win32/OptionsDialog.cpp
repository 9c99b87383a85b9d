#include "display/win32/OptionsDialog.h"

#include <commctrl.h>

#include "common/SampleFormat.h"
#include "common/win32/WindowFind.h"
#include "common/win32/WindowObject.h"
#include "common/win32/WindowText.h"
#include "display/HelpTexts.h"
#include "display/win32/OptionsIds.h"

namespace velmora {
namespace {

constexpr int kPageIds[4] = {IDD_OPTIONS_INPUT, IDD_OPTIONS_DISPLAY, IDD_OPTIONS_DETECTOR, IDD_OPTIONS_OUTPUT};
constexpr const char* kTabNames[4] = {"Input", "Display", "Detector", "Output"};

struct Tip {
  int id;
  const char* text;
};
constexpr Tip kTips[] = {
    {IDC_CHKPLAYBACKOUTPUT, "Output Sound"},
    {IDC_CHKPLAYBACKSTOPDETECTED, "Stop Playback when Signal is Detected"},
    {IDC_TXTSIMULATEFREQUENCY, "Frequency (Hz)"},
    {IDC_HSCSIMULATEFREQUENCY, "Frequency (Hz)"},
    {IDC_TXTSIMULATEAMRATE, "AM Rate (Hz)"},
    {IDC_HSCSIMULATEAMRATE, "AM Rate (Hz)"},
    {IDC_TXTSIMULATEAMLEVEL, "Am Level (%)"},
    {IDC_CHKSIMULATEOUTPUT, "Output Sound"},
    {IDC_CMBDISPLAYRANGE, "Frequency Display Range"},
    {IDC_CMBDISPLAYFREQUENCY, "Frequency Resolution (Hz)"},
    {IDC_CMBDISPLAYTIME, "Number of Samples"},
    {IDC_LBLTIMESPAN, "Time Span (Sec)"},
    {IDC_CHKWATERFALL, "Waterfall of the Spectrum, with the Verdict of each Buffer, in place of the Time Trace"},
    {IDC_CHKPOWER, "Check for Sufficient Power before checking other detectors"},
    {IDC_CHKPACTOR2, "Check for Pactor 2 Signals"},
    {IDC_CHKPACTOR3, "Check for Pactor 3 Signals"},
    {IDC_CHKPACTOR3WIDEBAND, "Score the Widest Pactor 3 Forms (3200, 3600) over 200 to 2800 Hz"},
    {IDC_CHKDIGITALBUSY, "Check for other Digital Signals (OFDM, FSK, PSK, MFSK): the Channel is Busy"},
    {IDC_CHKPACTORFADING, "Hold Pactor Busy through HF Fading: Tone by Tone, and while a Link is known to be On"},
    {IDC_TXTPOWER, "Power Threshold"},
    {IDC_TXTPACTOR2, "Pactor2 Threshold"},
    {IDC_TXTPACTOR3, "Pactor3 Threshold"},
    {IDC_CHKBURST, "Check for Burst Noise"},
    {IDC_TXTBURST, "Burst Threshold"},
    {IDC_TXTPEAK, "Peak Threshold"},
    {IDC_TXTCENTERFREQUENCY, "Center Frequency of Pactor Modem, normally 1500, 1700 or 2100"},
    {IDC_CHKCENTERFREQUENCY, "Automatically Set Center Frequency based in Airmail's Settings"},
    {IDC_TXTOFFSETFREQUENCYRANGE, "+/- Offset Frequency Search Range"},
    {IDC_TXTOFFSETFREQUENCYSTEP, "Offset Frequency Search Resolution"},
    {IDC_CHKCW, "Tone Detector for Measuring Frequency and Snr"},
    {IDC_TXTCWFREQUENCY, "Tone Search Frequency (600=USB/LSB, 1000=CW, 1700=AFS, 2100=FSK)"},
    {IDC_TXTCWRANGE, "+/- Tone Search Range"},
    {IDC_TXTCWTHRESHOLD, "Tone Power Threshold"},
    {IDC_CHKFAX, "FAX Detector for Measuring SNR"},
    {IDC_TXTFAX, "SNR Threshold"},
    {IDC_CHKWWV, "WWV Detector for Measuring Frequency Offset and SNR"},
    {IDC_TXTWWV, "SNR Threshold"},
    {IDC_CHKPULSE, "Pulse Detector for Measuriing SNR"},
    {IDC_TXTPULSE, "Pulse Threshold"},
    {IDC_CHKDEBUG, "Left Button for Cross Correlation Display, Right Button for Detector Statistics"},
    {IDC_TXTDEBUG, "Debug Value"},
};

constexpr int kLabelIds[kLabelCount] = {IDC_LBLPOWER, IDC_LBLPACTOR2, IDC_LBLPACTOR3, IDC_LBLBURST, IDC_LBLPEAK,
                                        IDC_LBLPULSE, IDC_LBLCW,      IDC_LBLFAX,     IDC_LBLWWV,   IDC_LBLDIGITAL,
                                        IDC_LBLFADING};


LRESULT CALLBACK PlaybackFileProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR data) {
  if (message == WM_LBUTTONDBLCLK) {
    PostMessageA(GetParent(hwnd), WM_COMMAND, MAKEWPARAM(IDC_CMDPLAYBACKBROWSE, BN_CLICKED), 0);
    return 0;
  }
  return DefSubclassProc(hwnd, message, wParam, lParam);
}

}  // namespace

OptionsDialog::OptionsDialog(HWND owner, MainSettings& settings, SignalSide& signal, Messenger& messages,
                             MessagePump& pump, OptionsHost& host)
    : owner_(owner), settings_(settings), signal_(signal), messages_(messages), pump_(pump), host_(host) {}

OptionsDialog::~OptionsDialog() {
  if (hwnd_) {
    pump_.RemoveModeless(hwnd_);
    DestroyWindow(hwnd_);
  }
}

HWND OptionsDialog::Control(int id) const {
  for (HWND page : pages_)
    if (HWND w = page ? GetDlgItem(page, id) : nullptr) return w;
  return hwnd_ ? GetDlgItem(hwnd_, id) : nullptr;
}

bool OptionsDialog::Create() {
  hwnd_ = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_OPTIONS), owner_,
                             &OptionsDialog::DialogProc, reinterpret_cast<LPARAM>(this));
  if (!hwnd_) return false;
  tab_ = GetDlgItem(hwnd_, IDC_SSTAB);
  for (int i = 0; i < 4; ++i) {
    TCITEMA item{};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<char*>(kTabNames[i]);
    SendMessageA(tab_, TCM_INSERTITEMA, i, reinterpret_cast<LPARAM>(&item));
  }
  CreatePages();
  FillLists();
  AddTips();
  SetWindowSubclass(Control(IDC_TXTPLAYBACKFILE), PlaybackFileProc, 1, 0);
  pump_.AddModeless(hwnd_);
  PlaceBeside(hwnd_, owner_);
  return true;
}

void OptionsDialog::CreatePages() {
  RECT area{};
  GetWindowRect(tab_, &area);
  MapWindowPoints(nullptr, hwnd_, reinterpret_cast<POINT*>(&area), 2);
  SendMessageA(tab_, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&area));
  for (int i = 0; i < 4; ++i) {
    pages_[i] = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(kPageIds[i]), hwnd_,
                                   &OptionsDialog::DialogProc, reinterpret_cast<LPARAM>(this));
    SetWindowPos(pages_[i], HWND_TOP, area.left, area.top, area.right - area.left, area.bottom - area.top,
                 SWP_HIDEWINDOW);
  }
}

void OptionsDialog::FillLists() {
  auto add = [this](int id, std::initializer_list<const char*> items) {
    for (const char* item : items) SendMessageA(Control(id), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
  };
  const std::string rate = std::to_string(kSampleRate);
  add(IDC_CMBSOUNDSAMPLERATE, {rate.c_str()});
  SendMessageA(Control(IDC_CMBSOUNDSAMPLERATE), CB_SETCURSEL, 0, 0);
  add(IDC_CMBSOUNDBITS, {"8 Bits", "16 Bits"});
  add(IDC_CMBDISPLAYRANGE, {"Full", "Half", "Quarter", "Zoom"});
  for (int id : {IDC_CMBDISPLAYFREQUENCY, IDC_CMBDISPLAYTIME})
    for (auto samples : kSampleSizes)
      SendMessageA(Control(id), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(std::to_string(samples).c_str()));
}

void OptionsDialog::AddTips() {
  tips_ = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT,
                          CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, hwnd_, nullptr, GetModuleHandleA(nullptr),
                          nullptr);
  SendMessageA(tips_, TTM_SETMAXTIPWIDTH, 0, 320);
  for (const auto& tip : kTips) {
    HWND control = Control(tip.id);
    if (!control) continue;
    TTTOOLINFOA info{};
    info.cbSize = TTTOOLINFOA_V1_SIZE;
    info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    info.hwnd = GetParent(control);
    info.uId = reinterpret_cast<UINT_PTR>(control);
    info.lpszText = const_cast<char*>(tip.text);
    SendMessageA(tips_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&info));
  }
}

void OptionsDialog::Show(int tab) {
  if (!hwnd_ && !Create()) return;
  if (Visible())
    DataSetKeepingEdits();
  else
    DataSet();
  SelectTab(tab);
  ShowWindow(hwnd_, SW_SHOW);
  SetForegroundWindow(hwnd_);
}

void OptionsDialog::Hide() {
  if (hwnd_) ShowWindow(hwnd_, SW_HIDE);
}

void OptionsDialog::SelectTab(int tab) {
  if (tab < 0 || tab > 3) tab = 0;
  SendMessageA(tab_, TCM_SETCURSEL, tab, 0);
  // A box of a page turned away keeps no focus: it goes to the tabs.
  HWND focus = GetFocus();
  for (int i = 0; i < 4; ++i)
    if (i != tab && focus && IsChild(pages_[i], focus))
      SendMessageA(hwnd_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(tab_), TRUE);
  for (int i = 0; i < 4; ++i) ShowWindow(pages_[i], i == tab ? SW_SHOW : SW_HIDE);
}

void OptionsDialog::DataSet() {
  if (!hwnd_) return;
  shown_ = velmora::DataSet(settings_, signal_);
  WriteControls(shown_);
}

void OptionsDialog::RecordingShow(bool recording) {
  if (!hwnd_) return;
  shown_.record = recording;
  SendMessageA(Control(IDC_OPTRECORD1), BM_SETCHECK, recording ? BST_CHECKED : BST_UNCHECKED, 0);
  SendMessageA(Control(IDC_OPTRECORD0), BM_SETCHECK, recording ? BST_UNCHECKED : BST_CHECKED, 0);
}

namespace {

// The controls that hold one member each, read and written the same way.
struct CheckBinding {
  int id;
  bool OptionsControls::*member;
};
struct TextBinding {
  int id;
  std::string OptionsControls::*member;
};
struct RowBinding {
  int check, edit;
  DetectorRow OptionsControls::*member;
};

constexpr CheckBinding kChecks[] = {
    {IDC_CHKPLAYBACKOUTPUT, &OptionsControls::playbackOutput},
    {IDC_CHKPLAYBACKSTOPDETECTED, &OptionsControls::playbackStopDetected},
    {IDC_CHKSIMULATEOUTPUT, &OptionsControls::simulateOutput},
    {IDC_OPTDISPLAYCOLOR0, &OptionsControls::displayColor},
    {IDC_CHKWATERFALL, &OptionsControls::waterfall},
    {IDC_CHKPACTOR3WIDEBAND, &OptionsControls::pactor3WideBand},
    {IDC_CHKDIGITALBUSY, &OptionsControls::digitalBusy},
    {IDC_CHKPACTORFADING, &OptionsControls::pactorFading},
    {IDC_CHKCW, &OptionsControls::cw},
    {IDC_CHKCENTERFREQUENCY, &OptionsControls::centerFrequencyAuto},
    {IDC_CHKDEBUG, &OptionsControls::debug},
    {IDC_OPTRECORD1, &OptionsControls::record},
};
constexpr TextBinding kTexts[] = {
    {IDC_TXTPLAYBACKFILE, &OptionsControls::playbackFile},
    {IDC_TXTSIMULATEFREQUENCY, &OptionsControls::simulateFrequency},
    {IDC_TXTSIMULATEAMRATE, &OptionsControls::simulateAmRate},
    {IDC_TXTSIMULATEAMLEVEL, &OptionsControls::simulateAmLevel},
    {IDC_TXTCWFREQUENCY, &OptionsControls::cwFrequency},
    {IDC_TXTCWRANGE, &OptionsControls::cwRange},
    {IDC_TXTCWTHRESHOLD, &OptionsControls::cwThreshold},
    {IDC_TXTCENTERFREQUENCY, &OptionsControls::centerFrequency},
    {IDC_TXTOFFSETFREQUENCYRANGE, &OptionsControls::offsetRange},
    {IDC_TXTOFFSETFREQUENCYSTEP, &OptionsControls::offsetStep},
    {IDC_TXTDEBUG, &OptionsControls::debugData},
};
constexpr RowBinding kRows[] = {
    {IDC_CHKPACTOR2, IDC_TXTPACTOR2, &OptionsControls::pactor2},
    {IDC_CHKPACTOR3, IDC_TXTPACTOR3, &OptionsControls::pactor3},
    {IDC_CHKPOWER, IDC_TXTPOWER, &OptionsControls::power},
    {IDC_CHKBURST, IDC_TXTBURST, &OptionsControls::burst},
    {IDC_CHKPEAK, IDC_TXTPEAK, &OptionsControls::peak},
    {IDC_CHKPULSE, IDC_TXTPULSE, &OptionsControls::pulse},
    {IDC_CHKFAX, IDC_TXTFAX, &OptionsControls::fax},
    {IDC_CHKWWV, IDC_TXTWWV, &OptionsControls::wwv},
};

// The members as they are now, with the boxes the user changed since they
// were shown: what the menus or AutoConnect changed meanwhile (the sample
// size, the centre frequency) is not put back by boxes left alone.
OptionsControls ChangedControls(const OptionsControls& read, const OptionsControls& shown, OptionsControls now) {
  auto take = [&](auto member) {
    if (read.*member != shown.*member) now.*member = read.*member;
  };
  for (const auto& b : kChecks) take(b.member);
  for (const auto& b : kTexts) take(b.member);
  for (const auto& b : kRows) take(b.member);
  for (auto member : {&OptionsControls::inputSource, &OptionsControls::soundBits, &OptionsControls::displaySamples,
                      &OptionsControls::displayRange})
    take(member);
  return now;
}

}  // namespace

bool OptionsDialog::Apply() {
  OptionsControls controls = ChangedControls(ReadControls(), shown_, velmora::DataSet(settings_, signal_));
  bool ok = velmora::Apply(controls, {settings_, signal_, messages_});
  host_.AfterApply();
  // What the members hold now is what the next Apply measures changes
  // against, a refused one too: a box it stored and the user set back as
  // it was shown is a change again.
  shown_ = velmora::DataSet(settings_, signal_);
  return ok;
}

void OptionsDialog::DataSetKeepingEdits() {
  const OptionsControls now = velmora::DataSet(settings_, signal_);
  WriteControls(ChangedControls(ReadControls(), shown_, now));
  shown_ = now;
}

OptionsControls OptionsDialog::ReadControls() const {
  auto checked = [this](int id) { return SendMessageA(Control(id), BM_GETCHECK, 0, 0) == BST_CHECKED; };
  auto selected = [this](int id) { return static_cast<int>(SendMessageA(Control(id), CB_GETCURSEL, 0, 0)); };
  OptionsControls c;
  for (const auto& b : kChecks) c.*b.member = checked(b.id);
  for (const auto& b : kTexts) c.*b.member = WindowString(Control(b.id));
  for (const auto& b : kRows) c.*b.member = {checked(b.check), WindowString(Control(b.edit))};
  c.inputSource = checked(IDC_OPTINPUT1) ? 1 : checked(IDC_OPTINPUT2) ? 2 : 0;
  c.soundBits = selected(IDC_CMBSOUNDBITS) == 0 ? 0 : 1;
  c.displaySamples = selected(IDC_CMBDISPLAYFREQUENCY);
  c.displayRange = selected(IDC_CMBDISPLAYRANGE);
  return c;
}

void OptionsDialog::WriteControls(const OptionsControls& c) {
  auto check = [this](int id, bool on) { SendMessageA(Control(id), BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0); };
  auto select = [this](int id, int index) { SendMessageA(Control(id), CB_SETCURSEL, index, 0); };
  for (const auto& b : kChecks) check(b.id, c.*b.member);
  for (const auto& b : kTexts) SetWindowTextA(Control(b.id), (c.*b.member).c_str());
  for (const auto& b : kRows) {
    check(b.check, (c.*b.member).enabled);
    SetWindowTextA(Control(b.edit), (c.*b.member).threshold.c_str());
  }
  // The other option of each pair, the lists, and what follows from them.
  check(IDC_OPTDISPLAYCOLOR1, !c.displayColor);
  check(IDC_OPTRECORD0, !c.record);
  for (int i = 0; i < 3; ++i) check(IDC_OPTINPUT0 + i, c.inputSource == i);
  select(IDC_CMBSOUNDBITS, c.soundBits);
  select(IDC_CMBDISPLAYFREQUENCY, c.displaySamples);
  select(IDC_CMBDISPLAYTIME, c.displaySamples);
  select(IDC_CMBDISPLAYRANGE, c.displayRange);
  OnCommand(IDC_CMBDISPLAYFREQUENCY, CBN_SELCHANGE);
  ShowInputFrame(c.inputSource);
  for (int id : {IDC_HSCSIMULATEFREQUENCY, IDC_HSCSIMULATEAMRATE}) SimulateSliderSet(id);
  EnableWindow(Control(IDC_TXTCENTERFREQUENCY), !c.centerFrequencyAuto);
  EnableDetectorFrames();
}

void OptionsDialog::Update(const std::array<DetectorLabel, kLabelCount>& labels) {
  if (!Visible()) return;
  for (int i = 0; i < kLabelCount; ++i) {
    HWND label = Control(kLabelIds[i]);
    if (WindowString(label) != labels[i].text) SetWindowTextA(label, labels[i].text.c_str());
    if (detected_[i] != labels[i].detected) {
      detected_[i] = labels[i].detected;
      InvalidateRect(label, nullptr, TRUE);
    }
  }
}

// The dialog and its pages share one procedure: their controls' commands
// meet in OnCommand, the tab control sits on the dialog, the sliders and
// the detector readings on the pages.
INT_PTR CALLBACK OptionsDialog::DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* self = DialogObjectOf<OptionsDialog>(hwnd, message, lParam);
  if (message == WM_INITDIALOG) return TRUE;
  if (!self) return FALSE;
  switch (message) {
    case WM_COMMAND:
      self->OnCommand(LOWORD(wParam), HIWORD(wParam));
      return TRUE;
    case WM_NOTIFY:
      if (reinterpret_cast<NMHDR*>(lParam)->code != TCN_SELCHANGE) return FALSE;
      self->SelectTab(static_cast<int>(SendMessageA(self->tab_, TCM_GETCURSEL, 0, 0)));
      return TRUE;
    case WM_CLOSE:
      self->Hide();
      return TRUE;
    case WM_HELP:  // F1: the overview where it tells of the tab shown
      self->host_.HelpShowAt(OptionsHelpHeading(static_cast<int>(SendMessageA(self->tab_, TCM_GETCURSEL, 0, 0))));
      return TRUE;
    case WM_HSCROLL:
      self->OnScroll(reinterpret_cast<HWND>(lParam), LOWORD(wParam));
      return TRUE;
    case WM_CTLCOLORSTATIC: {
      // A detector's reading shows in red while it fires.
      int id = GetDlgCtrlID(reinterpret_cast<HWND>(lParam));
      for (int i = 0; i < kLabelCount; ++i)
        if (kLabelIds[i] == id && self->detected_[i]) {
          HDC dc = reinterpret_cast<HDC>(wParam);
          SetTextColor(dc, RGB(200, 0, 0));
          SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
          return reinterpret_cast<INT_PTR>(GetSysColorBrush(COLOR_BTNFACE));
        }
      return FALSE;
    }
    default:
      return FALSE;
  }
}

}  // namespace velmora
