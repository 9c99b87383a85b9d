#include "reports/win32/StationInfoWindow.h"

#include <commctrl.h>
#include <richedit.h>

#include <algorithm>

#include "airmail/AirmailFileText.h"
#include "common/AtomicFile.h"
#include "common/win32/WindowText.h"
#include "reports/RtfAutomaticBlack.h"
#include "reports/win32/RichEditColours.h"

namespace velmora {
namespace {

constexpr const char* kClass = "VelmoraStationInfo";
constexpr int kBeamListId = 1;
constexpr int kBeamStrip = 30;  // the height of the beam list and labels above the view
constexpr int kLabelWidth = 130;

HWND InfoChild(HWND parent, const char* cls, DWORD style, int id = 0) {
  HWND child = CreateWindowExA(0, cls, "", WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0, parent,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleA(nullptr), nullptr);
  SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
  return child;
}

void Select(HWND view, long first, long last) {
  CHARRANGE range{first, last};
  SendMessageA(view, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
  SendMessageA(view, EM_SCROLLCARET, 0, 0);
}

}  // namespace

StationInfoWindow::StationInfoWindow(HWND owner, Messenger& messenger,
                                     std::function<StationInfoLabels(const std::string&)> labels)
    : ToolWindow(owner, {.className = kClass, .caption = kStationInfoCaption, .width = 620, .height = 480,
                         .show = ToolShow::KeepSize, .grows = true}),
      messenger_(messenger), labels_(std::move(labels)) {}

bool StationInfoWindow::OnCreate() {
  if (!RichEditClass()) return false;
  beams_ = InfoChild(hwnd_, WC_COMBOBOXA, CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, kBeamListId);
  range_ = InfoChild(hwnd_, WC_STATICA, SS_LEFT);
  bearingTo_ = InfoChild(hwnd_, WC_STATICA, SS_LEFT);
  bearingFrom_ = InfoChild(hwnd_, WC_STATICA, SS_LEFT);
  view_ = InfoChild(hwnd_, RichEditClass(),
                WS_BORDER | WS_VSCROLL | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | ES_NOHIDESEL | ES_SAVESEL);
  if (!beams_ || !view_) return false;
  SendMessageA(view_, EM_EXLIMITTEXT, 0, 64 * 1024 * 1024);
  // The document's colours are meant for a white page, whatever the scheme's window colour.
  SendMessageA(view_, EM_SETBKGNDCOLOR, 0, RGB(255, 255, 255));
  StationInfoLabels none;
  SetWindowTextA(range_, none.range.c_str());
  SetWindowTextA(bearingTo_, none.bearingTo.c_str());
  SetWindowTextA(bearingFrom_, none.bearingFrom.c_str());
  return true;
}

void StationInfoWindow::OnSize(int width, int height) {
  const LayoutScale& scale = Scale();
  MoveWindow(beams_, scale.X(4), scale.Y(4), scale.X(120), scale.Y(200), TRUE);
  int x = 140;
  for (HWND label : {range_, bearingTo_, bearingFrom_}) {
    MoveWindow(label, scale.X(x), scale.Y(8), scale.X(kLabelWidth), scale.Y(18), TRUE);
    x += kLabelWidth;
  }
  const int strip = scale.Y(kBeamStrip);
  MoveWindow(view_, 0, strip, width, std::max(height - strip, 0), TRUE);
}

std::optional<StationInfoWindow::FileStamp> StationInfoWindow::StampOf(const std::filesystem::path& file) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!GetFileAttributesExW(file.c_str(), GetFileExInfoStandard, &data)) return std::nullopt;
  auto join = [](DWORD high, DWORD low) { return static_cast<std::uint64_t>(high) << 32 | low; };
  return FileStamp{join(data.ftLastWriteTime.dwHighDateTime, data.ftLastWriteTime.dwLowDateTime),
                   join(data.nFileSizeHigh, data.nFileSizeLow)};
}

bool StationInfoWindow::Load(const std::filesystem::path& freqList) {
  if (!Make()) return false;
  // Reading the colours back takes a while on a long document: not again while it is unchanged.
  const auto stamp = StampOf(freqList);
  if (stamp && freqList == loaded_ && *stamp == loadedStamp_) return true;
  loaded_.clear();
  FileFailure failure;
  auto rtf = AirmailFileText(freqList, failure, kDataFileLimit);
  SetWindowTextA(view_, "");
  if (!rtf || !IsRtfDocument(*rtf) || !RichEditLoadRtf(view_, RtfAutomaticMadeBlack(*rtf))) {
    document_ = FreqListDocument(ColouredText{});
    messenger_.Show(FreqListUnreadableText(freqList));
    return false;
  }
  document_ = FreqListDocument(RichEditColouredText(view_));
  if (stamp) {
    loaded_ = freqList;
    loadedStamp_ = *stamp;
  }
  return true;
}

void StationInfoWindow::ShowBeams(const std::vector<std::string>& stations) {
  if (!Make()) return;
  SendMessageA(beams_, CB_RESETCONTENT, 0, 0);
  for (const auto& station : stations) SendMessageA(beams_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(station.c_str()));
}

void StationInfoWindow::ShowStation(const std::string& station) {
  if (!Make()) return;
  // From the end back to the name, so the name comes to the top of the view.
  long last = document_.Last() + 1;
  Select(view_, last, last);
  if (long at = document_.FindStation(station); at >= 0)
    Select(view_, at, at + static_cast<long>(station.size()));
  LRESULT item = SendMessageA(beams_, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                              reinterpret_cast<LPARAM>(station.c_str()));
  SendMessageA(beams_, CB_SETCURSEL, item == CB_ERR ? static_cast<WPARAM>(-1) : static_cast<WPARAM>(item), 0);
  StationInfoLabels labels = labels_(station);
  SetWindowTextA(range_, labels.range.c_str());
  SetWindowTextA(bearingTo_, labels.bearingTo.c_str());
  SetWindowTextA(bearingFrom_, labels.bearingFrom.c_str());
  Show();
}

bool StationInfoWindow::OnCommand(int id, int code) {
  if (id == kBeamListId && code == CBN_SELCHANGE) OnBeamChosen();
  return true;
}

void StationInfoWindow::OnBeamChosen() {
  LRESULT item = SendMessageA(beams_, CB_GETCURSEL, 0, 0);
  if (item == CB_ERR) return;
  std::string station(static_cast<size_t>(SendMessageA(beams_, CB_GETLBTEXTLEN, item, 0)) + 1, '\0');
  station.resize(
      static_cast<size_t>(SendMessageA(beams_, CB_GETLBTEXT, item, reinterpret_cast<LPARAM>(station.data()))));
  ShowStation(station);
}

std::string StationInfoWindow::SelectedText() const {
  CHARRANGE range{};
  SendMessageA(view_, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&range));
  std::string text(static_cast<size_t>(std::max(range.cpMax - range.cpMin, 0L)) + 1, '\0');
  text.resize(static_cast<size_t>(SendMessageA(view_, EM_GETSELTEXT, 0, reinterpret_cast<LPARAM>(text.data()))));
  return text;
}

std::vector<std::string> StationInfoWindow::BeamList() const {
  std::vector<std::string> stations;
  int count = static_cast<int>(SendMessageA(beams_, CB_GETCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    std::string station(static_cast<size_t>(SendMessageA(beams_, CB_GETLBTEXTLEN, i, 0)) + 1, '\0');
    station.resize(
        static_cast<size_t>(SendMessageA(beams_, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(station.data()))));
    stations.push_back(station);
  }
  return stations;
}

StationInfoLabels StationInfoWindow::Labels() const {
  return {WindowString(range_), WindowString(bearingTo_), WindowString(bearingFrom_)};
}

}  // namespace velmora
