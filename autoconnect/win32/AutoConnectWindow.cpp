#include "autoconnect/win32/AutoConnectWindow.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>
#include <cstdio>

#include "airmail/AirmailInstallation.h"
#include "airmail/win32/AirmailRegistry.h"
#include "autoconnect/AutoConnectMenus.h"
#include "common/win32/MenuBuilder.h"
#include "common/win32/SettingsFileDialogs.h"
#include "common/win32/WindowObject.h"
#include "propagation/AngleText.h"
#include "propagation/Positions.h"
#include "propagation/SunSpotNumber.h"
#include "selection/FrequencyToolTip.h"
#include "selection/TableColumns.h"
#include "common/UtcAddHours.h"
#include "autoconnect/win32/WindowTwips.h"
#include "common/win32/WindowText.h"
#include "common/Format.h"

namespace velmora {
namespace {

constexpr int kGridId = 7001;
constexpr int kWorkingGridId = 7002;
constexpr int kWorkingWidth = 330;  // grdWorking beside the option frames
constexpr UINT_PTR kTimeTimer = 1;   // tmrTime: the UTC clock
constexpr UINT_PTR kBlinkTimer = 2;  // tmrBlink: the blinking cell
constexpr UINT kFirstActivation = WM_APP + 1;
constexpr UINT kRebuildAfterRun = WM_APP + 2;
constexpr int kGap = 4;

// "Airmail Resize": the main window's size at the left edge of the screen.
constexpr int kMainResizedWidth = 370, kMainResizedHeight = 250;

void RegisterWindowClass(WNDPROC proc) {
  WNDCLASSEXA wc{};
  wc.cbSize = sizeof wc;
  if (GetClassInfoExA(GetModuleHandleA(nullptr), kAutoConnectWindowClass, &wc)) return;
  wc.lpfnWndProc = proc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.hIcon = LoadIconA(GetModuleHandleA(nullptr), "VELMORA");
  if (!wc.hIcon) wc.hIcon = LoadIcon(nullptr, IDI_APPLICATION);
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = kAutoConnectWindowClass;
  RegisterClassExA(&wc);
}

const char* ListName(SelectionListId list) {
  switch (list) {
    case SelectionListId::ConnectSystem: return "cmbConnectSystem";
    case SelectionListId::ConnectStation: return "cmbConnectStation";
    case SelectionListId::ReferenceSystem: return "cmbReferenceSystem";
    case SelectionListId::ScanSystem: return "cmbScanSystem";
  }
  return "";
}

std::string ClockText(const UtcDateTime& now) { return TwoDigits(now.hour) + ":" + TwoDigits(now.minute); }

// Counts an operation of the window for as long as it lasts.
class Operation {
 public:
  explicit Operation(int& count) : count_(count) { ++count_; }
  Operation(const Operation&) = delete;
  Operation& operator=(const Operation&) = delete;
  ~Operation() { --count_; }

 private:
  int& count_;
};

}  // namespace

AutoConnectWindow::AutoConnectWindow(MessagePump& pump, Messenger* messenger, MessageNote* unattended)
    : pump_(pump),
      messenger_(messenger ? messenger : &ownMessenger_),
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

void AutoConnectWindow::UpdateStatusStatus(std::string_view text) {
  statusBar_.SetText(2, std::string(text) + " ");
  if (statusBar_.Handle()) UpdateWindow(statusBar_.Handle());
}

void AutoConnectWindow::RunObserverSet(RunObserver* observer) {
  observer_ = observer;
  if (run_) run_->Engine().ObserverSet(observer);
}

bool AutoConnectWindow::Create() {
  if (hwnd_) return true;
  if (!link_) return false;  // the main window comes first
  RegisterWindowClass(&AutoConnectWindow::WndProc);
  hwnd_ = CreateWindowExA(WS_EX_CONTROLPARENT, kAutoConnectWindowClass, kAutoConnectCaption, WS_OVERLAPPEDWINDOW,
                          CW_USEDEFAULT, CW_USEDEFAULT, 780, 560, nullptr, nullptr, GetModuleHandleA(nullptr), this);
  if (!hwnd_) return false;
  pump_.AddModeless(hwnd_);
  return true;
}

bool AutoConnectWindow::OnCreate() {
  ownMessenger_.SetOwner(hwnd_);
  auto* font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  if (!toolbar_.Create(hwnd_, kAutoConnectToolbar, kAutoConnectToolbarFirstId) || !statusBar_.Create(hwnd_, 5) ||
      !options_.Create(hwnd_, kAutoConnectFieldFirstId, font) || !grid_.Create(hwnd_, kGridId) ||
      !workingGrid_.Create(hwnd_, kWorkingGridId))
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
  SetTimer(hwnd_, kTimeTimer, 1000, nullptr);
  OnTimer(kTimeTimer);
  WindowModeRefresh(true);
  return true;
}

// --- The main window's side.

void AutoConnectWindow::Show() {
  if (!Create()) return;
  ShowWindow(hwnd_, IsIconic(hwnd_) ? SW_RESTORE : SW_SHOW);
  SetForegroundWindow(hwnd_);
}

void AutoConnectWindow::RunEnd() {
  if (run_ && run_->Engine().Active()) run_->Engine().StopPressed();
}

void AutoConnectWindow::Unload() {
  if (!hwnd_) return;
  // The program ends: a run still going ends as Stop ends it, with its log record.
  RunEnd();
  dependents_->DependentWindowsReset();
  if (propagation_) propagation_->Close();
  if (reports_) reports_->ReportWindowsClose();
  KillTimer(hwnd_, kTimeTimer);
  KillTimer(hwnd_, kBlinkTimer);
  run_.reset();
  pump_.RemoveModeless(hwnd_);
  SetMenu(hwnd_, nullptr);
  DestroyWindow(hwnd_);
}

void AutoConnectWindow::Update(Verdict verdict) {
  if (!Visible() || !run_) return;
  Operation operation(operations_);
  if (verdict.valid) ++soundBuffers_;
  run_->Engine().Update(verdict);
  AfterEngine();
}

// --- Showing, closing, the first activation.

void AutoConnectWindow::FirstActivation() {
  WindowModeRefresh(true);
  AirmailInstallationGet(settings_, Win32AirmailRegistry());
  // Told at every showing, not once: the position may be as old as last time.
  LatLonCheckAge(velmora::AirmailDataFolder(settings_.airmailDirectoryData, *messenger_), settings_, UtcNow());
  if (settings_.airmailResize) {
    RECT work{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    link_->WindowPlace(work.left, work.top, kMainResizedWidth, kMainResizedHeight);
    SetWindowPos(hwnd_, nullptr, work.left + kMainResizedWidth, work.top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  if (settings_.airmailStartup && CallingMode(settings_.modeIndex)) IdleTerminal().TerminalActivate();
  WindowActivate();
  activated_ = true;
  Configure();
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
  if (activated_ && link_) {
    SettingsFromWindow(settings_);
    ProfileSaveToFile(link_->ProfileFile(), true);
  }
  dependents_->DependentWindowsReset();
  if (reports_) reports_->ReportWindowsClose();
  ShowWindow(hwnd_, SW_HIDE);
  if (link_) link_->WindowPlaceRestore();  // shrunk beside this window while it was open
}

// --- Runs.

bool AutoConnectWindow::Idle() const { return !configuring_ && (!run_ || !run_->Engine().Active()); }

bool AutoConnectWindow::Running() const { return run_ && run_->Engine().Running(); }

// The offline data modes have nothing to run.
bool AutoConnectWindow::Runnable() const {
  int mode = settings_.modeIndex;
  bool runs = CallingMode(mode) || mode == kModeReferenceStations || mode == kModeScanStations;
  return Idle() && !settingsPending_ && activated_ && runs;
}

bool AutoConnectWindow::Start() {
  if (!Runnable()) return false;
  Operation operation(operations_);
  run_->Engine().AutoConnectStart();
  AfterEngine();
  return run_ && run_->Engine().Running();
}

void AutoConnectWindow::Stop() {
  if (!run_ || !run_->Engine().Active()) return;
  Operation operation(operations_);
  run_->Engine().StopPressed();
  AfterEngine();
}

void AutoConnectWindow::OptionsApplied() {
  if (!Create()) return;
  if (Idle()) return Configure();
  rebuildAfterRun_ = true;
}

void AutoConnectWindow::AfterEngine() {
  if (!hwnd_) return;
  // Settings applied during a run take effect once it has ended, outside
  // the buffer's handling.
  if (rebuildAfterRun_ && Idle()) {
    rebuildAfterRun_ = false;
    PostMessageA(hwnd_, kRebuildAfterRun, 0, 0);
  }
  grid_.Refresh();
  bool blink = table_.BlinkActive();
  if (blink == blinking_) return;
  blinking_ = blink;
  if (blink) SetTimer(hwnd_, kBlinkTimer, 500, nullptr);
  else KillTimer(hwnd_, kBlinkTimer);
}

void AutoConnectWindow::OnTimer(UINT_PTR timer) {
  if (timer == kTimeTimer) {
    statusBar_.SetText(5, ClockText(UtcNow()));
  } else if (timer == kBlinkTimer) {
    table_.BlinkTick();
    grid_.Refresh();
    if (!table_.BlinkActive()) AfterEngine();
  }
}

// --- The table.

void AutoConnectWindow::Configure() {
  if (!Create() || !Idle()) return;
  // The rows measured in mode 3 go with the table: asked about first, and
  // kept with the table when their save fails ("Refresh" asks again).
  if (!ReferenceCloseCheck()) return SettingsChanged(false);
  if (!occupancy_)
    occupancy_ = std::make_unique<OccupancyFile>(link_->ProgramFolder() / kStationOccupancyDataFile, settings_, utc_,
                                                 *messenger_);
  StationRowsServices rows{*predictions_, *geometry_, dataFolder_, link_->ProgramFolder(), colors_, occupancy_.get()};
  ConfigureServices services{rows, utc_, *this, *dependents_, *this, ModeTablesFor(rows), grid_.Measure()};
  configuration_ = std::make_unique<TableConfiguration>(table_, settings_, std::move(services));
  configuring_ = true;
  PointerBusy(true);
  configuration_->Configure();
  PointerBusy(false);
  configuring_ = false;
  tableMode_ = settings_.modeIndex;
  settingsPending_ = false;
  referenceUnsaved_ = false;  // whatever was measured is no longer in the table
  DataModeShow();
  WindowModeRefresh(false);
  AfterEngine();
}

std::string AutoConnectWindow::GridToolTip(int row, int column) {
  ToolTipContext context{tableMode_, settings_.stationOffset, settings_.stationHistory, colors_};
  if (auto tip = FrequencyMouseMove(table_, row, column, context)) lastToolTip_ = *tip;
  return lastToolTip_;
}

void AutoConnectWindow::GridClick(int, int) { grid_.Refresh(); }

void AutoConnectWindow::GridRightButtonUp(int row, int, int screenX, int screenY) {
  if (row < 1) return;
  PopupMenu(frequencyMenu_.get(), POINT{screenX, screenY});
}

std::optional<AutoConnectWindow::TableStation> AutoConnectWindow::SelectedStation() const {
  int row = grid_.SelectedRow();
  if (row < 1 || row >= table_.Rows()) return std::nullopt;
  return TableStation{configuration_ ? configuration_->CurrentSystem() : std::string(),
                      table_.CellGet(row, kColumnStation)};
}

void AutoConnectWindow::StationViewShow(int command) {
  using namespace autoconnect_menu;
  auto station = SelectedStation();
  if (!views_ || !station) return;
  const UtcDateTime time = UtcAddHours(UtcNow(), settings_.propagationModelTimeShift);
  switch (command) {
    case kViewPropagationDetailed:
    case kFrequencyPropagationDetailed: return views_->PropagationDetailsShow(station->system, station->station, time);
    case kViewPropagation24Hour:
    case kFrequencyPropagation24Hour: return views_->PropagationHoursShow(station->system, station->station, time);
    case kViewChannelOccupancy:
    case kFrequencyChannelOccupancy: return views_->ChannelOccupancyShow(station->system, station->station);
    default: return;
  }
}

void AutoConnectWindow::ModeChoose(int mode) {
  if (!Create() || configuring_ || mode < 0 || mode >= static_cast<int>(ModeItems().size())) return;
  int left = settings_.modeIndex;
  if ((run_ && !run_->Engine().CloseCheck()) || !ReferenceCloseCheck()) {
    options_.ListSelect("cmbMode", left);
    AfterEngine();
    return;
  }
  options_.ListSelect("cmbMode", mode);
  Configure();
}

void AutoConnectWindow::SystemChoose() {
  // The new system's stations start from the first.
  options_.ListSelect("cmbConnectStation", 0);
  Configure();
}

void AutoConnectWindow::StationChoose() {
  if (!Idle()) return;
  SettingsFromWindow(settings_);
  if (!configuration_ || !(settings_.modeIndex == kModeCurrentFrequency ||
                           settings_.modeIndex == kModeMultipleFrequencies))
    return;
  HWND list = options_.Control("cmbConnectStation");
  std::string name = WindowString(list);
  configuring_ = true;
  PointerBusy(true);
  configuration_->StationChoose(name);
  PointerBusy(false);
  configuring_ = false;
  WindowModeRefresh(false);
  AfterEngine();
}

void AutoConnectWindow::ListFill(SelectionListId list, const SelectionList& entries) {
  options_.ListFill(ListName(list), entries);
}

// --- The window in line with the mode and the run.

void AutoConnectWindow::WindowModeRefresh(bool layout) {
  if (!hwnd_) return;
  int mode = settings_.modeIndex;
  bool idle = Idle();
  if (layout) {
    options_.ShowMode(mode);
    // The offline modes rebuild from their own Recall.
    bool resync = mode != kModeReferenceData && mode != kModeNoConnectData;
    ShowWindow(options_.Control("cmdResync"), resync ? SW_SHOWNA : SW_HIDE);
    Layout();
  }
  options_.EnableFields(idle);
  // Mode 2 takes its stations from AutoSelect, not from the list.
  options_.EnableField("cmbConnectStation", idle && mode != kModeMultipleStations);
  options_.EnableField("cmdRecall", idle);
  options_.EnableField("cmdSave", idle && referenceUnsaved_);
  options_.EnableField("cmbMode", idle && !settingsPending_);
  options_.EnableField("cmdResync", idle);
  ToolbarRefresh();
  if (run_ && run_->Engine().Running()) statusBar_.SetText(1, "Running");
  else if (run_ && run_->Engine().NoiseCollectionActive()) statusBar_.SetText(1, "Checking");
}

void AutoConnectWindow::ToolbarRefresh() {
  bool idle = Idle();
  toolbar_.SetEnabled("Start", Runnable());
  toolbar_.SetEnabled("Stop", !idle);
  toolbar_.SetEnabled("Propagation", idle);
  toolbar_.SetEnabled("Reference", idle);
}

void AutoConnectWindow::Layout() {
  if (!hwnd_ || !toolbar_.Handle()) return;
  RECT client{};
  GetClientRect(hwnd_, &client);
  toolbar_.AutoSize();
  statusBar_.Resize();
  // Panel 2 takes what the others leave.
  int rest = client.right - 90 - 64 - 64 - 64;
  statusBar_.SetWidths({90, std::max(rest, 120), 64, 64});
  int top = toolbar_.Height() + kGap;
  options_.Move(kGap + 2, top);
  SIZE area = options_.AreaSize(settings_.modeIndex);
  int gridTop = top + area.cy + kGap;
  int gridBottom = client.bottom - statusBar_.Height();
  grid_.Move(0, gridTop, client.right, std::max(gridBottom - gridTop, 0));
  // The saved files beside the frames, as tall as they are.
  int workingLeft = kGap + 2 + area.cx + kGap;
  workingGrid_.Move(workingLeft, top, std::max<int>(std::min<int>(kWorkingWidth, client.right - workingLeft - kGap), 0),
                    std::max<int>(area.cy, 0));
  ShowWindow(workingGrid_.Handle(), WorkingShown() ? SW_SHOWNA : SW_HIDE);
}

// By the caption it has now: mode 5 names its no-connect file there.
void AutoConnectWindow::WindowActivate() { velmora::WindowActivate(WindowString(hwnd_), *messenger_); }

void AutoConnectWindow::PointerBusy(bool busy) {
  busyPointer_ = busy;
  SetCursor(LoadCursor(nullptr, busy ? IDC_WAIT : IDC_ARROW));
}

std::string AutoConnectWindow::CurrentSystem() {
  return configuration_ ? configuration_->CurrentSystem() : std::string();
}

std::string AutoConnectWindow::CurrentStation() {
  return configuration_ ? configuration_->CurrentStation() : std::string();
}

std::optional<TerminalReading> AutoConnectWindow::TerminalSelectGet() {
  if (!run_) return std::nullopt;
  auto selection = IdleTerminal().TerminalSelectGet();
  if (!selection) return std::nullopt;
  return TerminalReading{selection->system, selection->station, selection->frequency};
}

LRESULT CALLBACK AutoConnectWindow::WndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* self = WindowObjectOf<AutoConnectWindow>(hwnd, message, lParam);
  if (!self) return DefWindowProcA(hwnd, message, wParam, lParam);
  if (message == WM_NCCREATE) self->hwnd_ = hwnd;
  Operation operation(self->operations_);
  return self->OnMessage(message, wParam, lParam);
}

LRESULT AutoConnectWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      return OnCreate() ? 0 : -1;
    case WM_SIZE:
      if (wParam != SIZE_MINIMIZED) Layout();
      return 0;
    case WM_COMMAND:
      OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
      return 0;
    case WM_NOTIFY: {
      auto* header = reinterpret_cast<NMHDR*>(lParam);
      if (header->hwndFrom == toolbar_.Handle() && header->code == TBN_DROPDOWN) {
        OnToolbar(toolbar_.KeyOf(reinterpret_cast<NMTOOLBARA*>(lParam)->iItem));
        return TBDDRET_DEFAULT;
      }
      break;
    }
    case WM_TIMER:
      OnTimer(wParam);
      return 0;
    case WM_CONTEXTMENU:
      OnContextMenu(reinterpret_cast<HWND>(wParam), POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
      return 0;
    case WM_INITMENUPOPUP:
      OnInitMenuPopup(reinterpret_cast<HMENU>(wParam));
      return 0;
    case WM_SHOWWINDOW:
      // The first activation comes once per showing, after the window is on the screen.
      if (!wParam) {
        showingActivated_ = false;
      } else if (!showingActivated_) {
        showingActivated_ = true;
        PostMessageA(hwnd_, kFirstActivation, 0, 0);
      }
      break;
    case kFirstActivation:
      if (IsWindowVisible(hwnd_)) FirstActivation();
      return 0;
    case kRebuildAfterRun:
      if (Idle()) Configure();
      else rebuildAfterRun_ = true;
      return 0;
    case WM_SETCURSOR:
      if (busyPointer_) {
        SetCursor(LoadCursor(nullptr, IDC_WAIT));
        return TRUE;
      }
      break;
    case WM_CLOSE:
      OnClose();
      return 0;
    case WM_DESTROY:
      WindowObjectClear(hwnd_);
      hwnd_ = nullptr;
      return 0;
    default:
      break;
  }
  return DefWindowProcA(hwnd_, message, wParam, lParam);
}

}  // namespace velmora
