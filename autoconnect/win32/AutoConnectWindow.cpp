#include "autoconnect/win32/AutoConnectWindow.h"

#include <commctrl.h>

#include "airmail/AirmailInstallation.h"
#include "airmail/win32/AirmailRegistry.h"
#include "autoconnect/AutoConnectMenus.h"
#include "autoconnect/CenterToneFollow.h"
#include "common/win32/MenuBuilder.h"
#include "common/win32/MessagePoint.h"
#include "common/win32/NextControl.h"
#include "common/win32/WindowClass.h"
#include "common/win32/WindowObject.h"
#include "propagation/Positions.h"
#include "propagation/win32/UserDateOrder.h"
#include "selection/TableColumns.h"

namespace velmora {
namespace {

// "Airmail Resize": the main window's size at the left edge of the screen
// (at 96 dots per inch; it grows with the font, so its toolbar stays in reach).
constexpr int kMainResizedWidth = 370, kMainResizedHeight = 250;

}  // namespace

AutoConnectWindow::AutoConnectWindow(MessagePump& pump, Messenger* messenger, MessageNote* unattended)
    : pump_(pump),
      heldMessenger_(messenger ? *messenger : ownMessenger_),
      messenger_(&heldMessenger_),
      unattended_(unattended),
      grid_(table_, *this, [this](int row, int column) { return GridToolTip(row, column); }),
      workingGrid_(workingTable_, workingListener_, [this](int, int column) {
        return workingTable_.CellGet(0, column) == "Original" ? std::string("Original Reference Data") : std::string();
      }) {}

AutoConnectWindow::~AutoConnectWindow() {
  run_.reset();
  if (hwnd_ && IsWindow(hwnd_)) {
    pump_.RemoveModeless(hwnd_);
    SetMenu(hwnd_, nullptr);
    DestroyWindow(hwnd_);
  }
}

void AutoConnectWindow::TablePortsSet(PredictionSource& predictions, StationGeometry& geometry) {
  predictions_ = &predictions;
  geometry_ = &geometry;
}

void AutoConnectWindow::StationViewsSet(StationWindows* views, DependentWindows* dependents) {
  views_ = views;
  dependents_ = dependents ? dependents : &ownDependents_;
}

void AutoConnectWindow::ItsHfProgramsUse(const std::filesystem::path& programFolder, std::string itshfbcFolder) {
  SelectionWindow& status = *this;
  itsHf_ = std::make_unique<ItsHfPredictions>(dataFolder_, settings_, status, *messenger_, std::move(itshfbcFolder));
  propagation_ = std::make_unique<PropagationWindows>(
      hwnd_, PropagationWindowServices{itsHf_->Predictions(), itsHf_->Day(), itsHf_->Geometry(), dataFolder_,
                                       programFolder, colors_, settings_, utc_});
  TablePortsSet(itsHf_->Predictions(), itsHf_->Geometry());
  StationViewsSet(propagation_.get(), propagation_.get());
}

void AutoConnectWindow::RunObserverSet(RunObserver* observer) {
  observer_ = observer;
  if (run_) run_->Engine().ObserverSet(observer);
}

bool AutoConnectWindow::Create() {
  if (hwnd_) return true;
  if (!link_) return false;  // the main window comes first
  WindowClassRegister(kAutoConnectWindowClass, &ObjectWindowProc<AutoConnectWindow>);
  // As large as its fields grow on a scaled screen.
  const LayoutScale scale(static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)));
  hwnd_ = CreateWindowExA(WS_EX_CONTROLPARENT, kAutoConnectWindowClass, kAutoConnectCaption, WS_OVERLAPPEDWINDOW,
                          CW_USEDEFAULT, CW_USEDEFAULT, scale.X(780), scale.Y(560), nullptr, nullptr,
                          GetModuleHandleA(nullptr), this);
  if (!hwnd_) return false;
  pump_.AddModeless(hwnd_);
  return true;
}

bool AutoConnectWindow::OnCreate() {
  ownMessenger_.SetOwner(hwnd_);
  // Made after the settings were recalled: AirMail is looked for before
  // anything (the main window's Options dialog too) reads its files.
  AirmailFind();
  auto* font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  if (!toolbar_.Create(hwnd_, kAutoConnectToolbar, kAutoConnectToolbarFirstId) || !statusBar_.Create(hwnd_, 5) ||
      !options_.Create(hwnd_, kAutoConnectFieldFirstId, font) || !grid_.Create(hwnd_, kAutoConnectGridId) ||
      !workingGrid_.Create(hwnd_, kAutoConnectWorkingGridId))
    return false;
  scanBox_ = std::make_unique<ScanMessageWindow>(pump_, hwnd_);
  auto available = [this](int command) { return CommandAvailable(command); };
  menuBar_.reset(BuildMenuBar(AutoConnectMenus(), available));
  frequencyMenu_.reset(BuildPopupMenu(AutoConnectMenu("mnuFrequency"), available));
  if (propagation_) propagation_->OwnerSet(hwnd_);
  run_ = std::make_unique<AutoConnectRun>(AutoConnectRunSetup{hwnd_, *this, table_, *link_,
                                                              *messenger_, pump_, settings_, colors_, *geometry_,
                                                              *scanBox_, *this, *this, *this, unattended_});
  run_->Engine().ObserverSet(observer_);
  SettingsToWindow();
  ColumnsBuild(table_, settings_.modeIndex, settings_, grid_.Measure());
  SetTimer(hwnd_, kAutoConnectTimeTimer, 1000, nullptr);
  OnTimer(kAutoConnectTimeTimer);
  WindowModeRefresh(true);
  return true;
}

// --- The main window's side.

void AutoConnectWindow::Show() {
  if (!Create()) return;
  ShowWindow(hwnd_, IsIconic(hwnd_) ? SW_RESTORE : SW_SHOW);
  SetForegroundWindow(hwnd_);
}

void AutoConnectWindow::Unload() {
  if (!hwnd_) return;
  // The program ends: a run still going ends as Stop ends it, with its log record.
  RunEnd();
  WaitingWrite();
  writesLost_ = WritesLost();
  dependents_->DependentWindowsReset();
  if (propagation_) propagation_->Close();
  if (reports_) reports_->ReportWindowsClose();
  KillTimer(hwnd_, kAutoConnectTimeTimer);
  KillTimer(hwnd_, kAutoConnectBlinkTimer);
  run_.reset();
  pump_.RemoveModeless(hwnd_);
  SetMenu(hwnd_, nullptr);
  DestroyWindow(hwnd_);
}

// --- Showing, closing, the first activation.

void AutoConnectWindow::FirstActivation() {
  // Shown again while a stopped run's step still waits on AirMail: once it has returned.
  if (run_ && run_->Engine().Stepping()) {
    activationAfterStep_ = true;
    return;
  }
  WindowModeRefresh(true);
  AirmailFind();
  // Told at every showing, not once: the position may be as old as last time.
  LatLonCheckAge(velmora::AirmailDataFolder(settings_.airmailDirectoryData, *messenger_), settings_, UtcNow(),
                 UserDateOrder());
  if (settings_.airmailResize) {
    RECT work{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    const int width = options_.Scale().X(kMainResizedWidth);
    link_->WindowPlace(work.left, work.top, width, options_.Scale().Y(kMainResizedHeight));
    PlaceOnScreenFrom(work, work.left + width);
  }
  if (settings_.airmailStartup && CallingMode(settings_.modeIndex)) IdleTerminal().TerminalActivate();
  WindowActivate();
  activated_ = true;
  Configure();
  // After the table's texts, so that the status line tells it.
  if (run_ && Idle()) run_->RadioRemoteRelease();
}

void AutoConnectWindow::AirmailFind() {
  AirmailInstallationGet(settings_, Win32AirmailRegistry());
  if (link_) CenterToneFollow(link_->Detectors(), settings_.airmailDirectoryData);
}

void AutoConnectWindow::Close() {
  if (hwnd_) SendMessageA(hwnd_, WM_CLOSE, 0, 0);
}

void AutoConnectWindow::OnClose() {
  if ((run_ && !run_->Engine().CloseCheck()) || !ReferenceCloseCheck()) {
    AfterEngine();
    return;
  }
  AfterEngine();
  if (activated_ && link_ && link_->ProfileSaveAllowed()) {
    SettingsFromWindow(settings_);
    ProfileSaveToFile(link_->ProfileFile(), true, link_->ProfileKnown());
  }
  dependents_->DependentWindowsReset();
  if (reports_) reports_->ReportWindowsClose();
  ShowWindow(hwnd_, SW_HIDE);
  if (link_) link_->WindowPlaceRestore();  // shrunk beside this window while it was open
}

LRESULT AutoConnectWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  Operation operation(operations_);
  switch (message) {
    case WM_CREATE: return OnCreate() ? 0 : -1;
    case WM_SIZE:
      if (wParam != SIZE_MINIMIZED) Layout();
      return 0;
    case WM_COMMAND: OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam)); return 0;
    case WM_NOTIFY:
      if (auto answer = toolbar_.DropDown(lParam, [this](std::string_view key) { OnToolbar(key); })) return *answer;
      break;
    case WM_TIMER: OnTimer(wParam); return 0;
    case WM_CONTEXTMENU:
      OnContextMenu(reinterpret_cast<HWND>(wParam), MessagePoint(lParam));
      return 0;
    case WM_INITMENUPOPUP: OnInitMenuPopup(reinterpret_cast<HMENU>(wParam)); return 0;
    case WM_SHOWWINDOW: OnShowWindow(wParam != 0); break;
    case WM_ACTIVATE: focusKeeper_.OnActivate(hwnd_, wParam); return 0;
    case WM_HELP:  // F1: the overview at the part about this window
      if (link_) link_->HelpShow(MainWindowLink::HelpTopic::AutoConnect);
      return TRUE;
    case WM_NEXTDLGCTL: NextControlFocus(hwnd_, wParam, lParam); return 0;
    case kAutoConnectFirstActivation:
      if (IsWindowVisible(hwnd_)) FirstActivation();
      return 0;
    case kAutoConnectRebuildAfterRun: OnRebuildAfterRun(); return 0;
    case WM_SETCURSOR:
      if (OnSetCursor()) return TRUE;
      break;
    case WM_CLOSE: OnClose(); return 0;
    default: break;
  }
  return DefWindowProcA(hwnd_, message, wParam, lParam);
}

// The first activation comes once per showing, after the window is on the screen.
void AutoConnectWindow::OnShowWindow(bool shown) {
  if (!shown) {
    showingActivated_ = false;
  } else if (!showingActivated_) {
    showingActivated_ = true;
    PostMessageA(hwnd_, kAutoConnectFirstActivation, 0, 0);
  }
}

// Options applied during a run: the window is rebuilt once no run holds it.
void AutoConnectWindow::OnRebuildAfterRun() {
  if (Idle()) Configure();
  else rebuildAfterRun_ = true;
}

// The hourglass while busy; otherwise the default pointer.
bool AutoConnectWindow::OnSetCursor() {
  if (!busyPointer_) return false;
  SetCursor(LoadCursor(nullptr, IDC_WAIT));
  return true;
}

}  // namespace velmora
