// The Options dialog's answers to its controls: the buttons and their
// menus, the pages' option buttons and checks, the sliders, and the frames
// and boxes they show, enable or fill.
#include <algorithm>
#include <cmath>
#include <span>

#include "airmail/CenterTone.h"
#include "common/SystemLib.h"
#include "common/Format.h"
#include "common/SampleFormat.h"
#include "common/win32/FileDialog.h"
#include "common/win32/InputPause.h"
#include "common/win32/MenuBuilder.h"
#include "common/win32/WindowText.h"
#include "display/win32/OptionsDialog.h"
#include "display/win32/OptionsIds.h"

namespace velmora {
namespace {

constexpr int kSoundCardFrame[] = {IDC_FRMINPUTSOUNDCARD, IDC_LBLSAMPLERATE, IDC_CMBSOUNDSAMPLERATE, IDC_LBLSOUNDBITS,
                                   IDC_CMBSOUNDBITS, IDC_CMDSOUNDLEVEL};
constexpr int kPlaybackFrame[] = {IDC_FRMINPUTPLAYBACK,    IDC_LBLPLAYBACKFILE,         IDC_TXTPLAYBACKFILE,
                                  IDC_CMDPLAYBACKBROWSE,   IDC_CHKPLAYBACKOUTPUT,       IDC_CHKPLAYBACKSTOPDETECTED,
                                  IDC_CMDPLAYBACKLEVEL};
constexpr int kSimulateFrame[] = {IDC_FRMINPUTSIMULATE,     IDC_LBLSIMULATEFREQUENCY, IDC_HSCSIMULATEFREQUENCY,
                                  IDC_TXTSIMULATEFREQUENCY, IDC_LBLSIMULATEAMRATE,    IDC_HSCSIMULATEAMRATE,
                                  IDC_TXTSIMULATEAMRATE,    IDC_LBLSIMULATEAMLEVEL,   IDC_TXTSIMULATEAMLEVEL,
                                  IDC_CHKSIMULATEOUTPUT,    IDC_CMDSIMULATELEVEL};
// The normal detector chain: off while a special mode replaces it.
constexpr int kChainControls[] = {
    IDC_FRMSIGNAL,          IDC_LBLTHRESHOLD1,  IDC_LBLVALUE1,  IDC_CHKPOWER,        IDC_TXTPOWER,   IDC_LBLPOWER,
    IDC_CHKPACTOR2,         IDC_TXTPACTOR2,     IDC_LBLPACTOR2, IDC_CHKPACTOR3,      IDC_TXTPACTOR3, IDC_LBLPACTOR3,
    IDC_CHKPACTOR3WIDEBAND, IDC_CHKDIGITALBUSY, IDC_LBLDIGITAL, IDC_CHKPACTORFADING, IDC_LBLFADING,  IDC_FRMNOISE,
    IDC_CHKBURST,           IDC_TXTBURST,       IDC_LBLBURST,   IDC_CHKPEAK,         IDC_TXTPEAK,    IDC_LBLPEAK,
    IDC_CHKPULSE,           IDC_TXTPULSE,       IDC_LBLPULSE,   IDC_CMDSTATISTICS};

}  // namespace

void OptionsDialog::ShowInputFrame(int source) {
  auto show = [this](std::span<const int> ids, bool visible) {
    for (int id : ids) ShowWindow(Control(id), visible ? SW_SHOW : SW_HIDE);
  };
  show(kSoundCardFrame, source == 0);
  show(kPlaybackFrame, source == 1);
  show(kSimulateFrame, source == 2);
}

void OptionsDialog::EnableDetectorFrames() {
  auto checked = [this](int id) { return SendMessageA(Control(id), BM_GETCHECK, 0, 0) == BST_CHECKED; };
  bool special = checked(IDC_CHKCW) || checked(IDC_CHKFAX) || checked(IDC_CHKWWV);
  for (int id : kChainControls) EnableWindow(Control(id), !special);
}

void OptionsDialog::CenterFrequencyAutoClicked() {
  InputPause pause(hwnd_);  // AirMail's settings may be told missing
  bool on = SendMessageA(Control(IDC_CHKCENTERFREQUENCY), BM_GETCHECK, 0, 0) == BST_CHECKED;
  auto& d = settings_.detector;
  d.centerFrequencyAuto = on;
  if (on) {
    AirmailDataFolder data(host_.AirmailDataFolder(), messages_);
    if (auto tone = CenterToneFromAirmail(data)) d.centerFrequencyAutoFrequency = *tone;
  }
  SetWindowTextA(Control(IDC_TXTCENTERFREQUENCY), CenterFrequencyBoxText(d).c_str());
  EnableWindow(Control(IDC_TXTCENTERFREQUENCY), !on);
}

void OptionsDialog::ChoosePlaybackFile() {
  constexpr char kFilter[] = "Recordings (*.bin)\0*.bin\0All Files (*.*)\0*.*\0";
  FileDialogRequest request;
  request.title = "Playback File";
  request.filter.assign(kFilter, sizeof kFilter - 1);
  request.initialFolder = PathText(signal_.dataFolder);
  request.initialFile = WindowString(Control(IDC_TXTPLAYBACKFILE));
  std::string file = ChooseFile(hwnd_, request);
  if (!file.empty()) SetWindowTextA(Control(IDC_TXTPLAYBACKFILE), file.c_str());
}

// The button's menu, dropped below it; its commands come back to OnCommand.
void OptionsDialog::DropMenu(const MenuDefinition& menu, int buttonId) {
  RECT r{};
  GetWindowRect(Control(buttonId), &r);
  HMENU popup = BuildPopupMenu(menu, [](int) { return true; });
  PopupMenuShow(hwnd_, popup, POINT{r.left, r.bottom});
  DestroyMenu(popup);
}

// A test signal slider laid out for the sample size in use, at its member's frequency.
void OptionsDialog::SimulateSliderSet(int id) {
  const std::int32_t samples = settings_.display.sampleSize;
  SCROLLINFO info{};
  info.cbSize = sizeof info;
  info.fMask = SIF_RANGE | SIF_POS | SIF_PAGE;
  info.nMax = samples / 2;
  info.nPage = 1;
  float hz = id == IDC_HSCSIMULATEFREQUENCY ? signal_.simulate.frequency : signal_.simulate.amRate;
  info.nPos = static_cast<int>(hz * samples / kSampleRateHz + 0.5f);
  SetScrollInfo(Control(id), SB_CTL, &info, TRUE);
}

void OptionsDialog::OnScroll(HWND bar, int code) {
  int id = GetDlgCtrlID(bar);
  if (id != IDC_HSCSIMULATEFREQUENCY && id != IDC_HSCSIMULATEAMRATE) return;
  SCROLLINFO info{};
  info.cbSize = sizeof info;
  info.fMask = SIF_ALL;
  GetScrollInfo(bar, SB_CTL, &info);
  // A sample size chosen from the spectrum's menu since the bar was laid
  // out: it is laid out again, its positions bins of the size in use.
  if (const int bins = settings_.display.sampleSize / 2; info.nMax != bins && info.nMax > 0) {
    const int trackPos = static_cast<int>(std::lround(static_cast<double>(info.nTrackPos) * bins / info.nMax));
    SimulateSliderSet(id);
    GetScrollInfo(bar, SB_CTL, &info);
    info.nTrackPos = trackPos;
  }
  int pos = info.nPos;
  switch (code) {
    case SB_LINELEFT: pos -= 1; break;
    case SB_LINERIGHT: pos += 1; break;
    case SB_PAGELEFT: pos -= 10; break;
    case SB_PAGERIGHT: pos += 10; break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: pos = info.nTrackPos; break;
    default: return;
  }
  pos = std::clamp(pos, info.nMin, info.nMax);
  SetScrollPos(bar, SB_CTL, pos, TRUE);
  // A whole number of spectrum bins.
  float hz = pos * kSampleRateHz / settings_.display.sampleSize;
  (id == IDC_HSCSIMULATEFREQUENCY ? signal_.simulate.frequency : signal_.simulate.amRate) = hz;
  // The member and its box agree again: a value typed in the box after this is a change to apply.
  std::string& shown = id == IDC_HSCSIMULATEFREQUENCY ? shown_.simulateFrequency : shown_.simulateAmRate;
  shown = ShortestSingle(hz);
  SetWindowTextA(Control(id == IDC_HSCSIMULATEFREQUENCY ? IDC_TXTSIMULATEFREQUENCY : IDC_TXTSIMULATEAMRATE),
                 shown.c_str());
  host_.SimulateChanged();
}

void OptionsDialog::OnCommand(int id, int code) {
  switch (id) {
    case IDC_CMDOK:
    case IDC_CMDAPPLY:
    case IDC_CMDCANCEL:
    case IDCANCEL: OnDialogButton(id); return;
    case IDC_CMDSETTINGS:
    case IDM_SETTINGSDEFAULT:
    case IDM_SETTINGSRECALL:
    case IDM_SETTINGSSAVE: OnSettingsCommand(id); return;
    case IDC_CMDSTATISTICS:
    case IDM_STATISTICSDISPLAY:
    case IDM_STATISTICSRESET: OnStatisticsCommand(id); return;
    case IDC_CMBDISPLAYFREQUENCY:
    case IDC_CMBDISPLAYTIME:
      if (code == CBN_SELCHANGE) SampleSizeChosen(id);
      return;
    default: OnPageCommand(id, code); return;
  }
}

void OptionsDialog::OnDialogButton(int id) {
  InputPause pause(hwnd_);
  switch (id) {
    case IDC_CMDOK:
      if (Apply()) Hide();
      return;
    case IDC_CMDAPPLY:
      if (Apply()) DataSet();
      return;
    case IDC_CMDCANCEL:
    case IDCANCEL: Hide(); return;
  }
}

// The "Settings" button drops its menu; the menu's commands come back here.
void OptionsDialog::OnSettingsCommand(int id) {
  if (id == IDC_CMDSETTINGS) {
    DropMenu({"Settings", "Settings", false,
              {{"Default", "&Default", IDM_SETTINGSDEFAULT},
               {"Recall", "&Recall...", IDM_SETTINGSRECALL},
               {"Save", "&Save...", IDM_SETTINGSSAVE}}},
             id);
    return;
  }
  InputPause pause(hwnd_);
  switch (id) {
    case IDM_SETTINGSDEFAULT: host_.SettingsDefault(); DataSet(); return;
    case IDM_SETTINGSRECALL: host_.SettingsRecall(); DataSet(); return;
    case IDM_SETTINGSSAVE: host_.SettingsSave(); return;
  }
}

// The "Statistics" button drops its menu; the menu's commands come back here.
void OptionsDialog::OnStatisticsCommand(int id) {
  switch (id) {
    case IDC_CMDSTATISTICS:
      DropMenu({"Statistics", "Statistics", false,
                {{"Display", "&Display...", IDM_STATISTICSDISPLAY}, {"Reset", "&Reset", IDM_STATISTICSRESET}}},
               id);
      return;
    case IDM_STATISTICSDISPLAY: {
      InputPause pause(hwnd_);
      messages_.Show(host_.StatisticsMessage(), MessageIcon::None, "Detector - Statistics");
      return;
    }
    case IDM_STATISTICSRESET: host_.StatisticsReset(); return;
  }
}

// The pages' option buttons, checks and buttons.
void OptionsDialog::OnPageCommand(int id, int code) {
  switch (id) {
    case IDC_OPTINPUT0:
    case IDC_OPTINPUT1:
    case IDC_OPTINPUT2:
      ShowInputFrame(id - IDC_OPTINPUT0);
      return;
    case IDC_CHKCW:
    case IDC_CHKFAX:
    case IDC_CHKWWV:
      EnableDetectorFrames();
      return;
    case IDC_CHKCENTERFREQUENCY:
      if (code == BN_CLICKED) CenterFrequencyAutoClicked();
      return;
    case IDC_CMDPLAYBACKBROWSE:
      ChoosePlaybackFile();
      return;
    // The control panel that will not start is told in a box of the main window.
    case IDC_CMDSOUNDLEVEL: {
      InputPause pause(hwnd_);
      host_.ShowSoundInput();
      return;
    }
    case IDC_CMDPLAYBACKLEVEL:
    case IDC_CMDSIMULATELEVEL: {
      InputPause pause(hwnd_);
      host_.ShowSoundOutput();
      return;
    }
    default: return;
  }
}

// The sample size chosen in either box: the two boxes follow each other.
void OptionsDialog::SampleSizeChosen(int id) {
  int index = static_cast<int>(SendMessageA(Control(id), CB_GETCURSEL, 0, 0));
  int other = id == IDC_CMBDISPLAYFREQUENCY ? IDC_CMBDISPLAYTIME : IDC_CMBDISPLAYFREQUENCY;
  SendMessageA(Control(other), CB_SETCURSEL, index, 0);
  std::int32_t samples = index >= 0 ? kSampleSizes[index] : settings_.display.sampleSize;
  SetWindowTextA(Control(IDC_LBLTIMESPAN), TimeSpanLabel(samples).c_str());
  SetWindowTextA(Control(IDC_LBLRESOLUTION),
                 (FormatNumber(static_cast<double>(kSampleRate) / samples, "0.0") + " Hz").c_str());
}

}  // namespace velmora
