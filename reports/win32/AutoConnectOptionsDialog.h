#pragma once
// The AutoConnect options dialog: AirMail's folders and checks, the station
// radios, the station antenna offsets, the station history and the
// prediction settings on five pages. Modeless, over the AutoConnect
// window; it keeps no settings of its own, and Apply stores every box and
// grid or none.
#include <windows.h>
#include <commctrl.h>

#include <array>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "airmail/AutoConnectSettings.h"
#include "autoconnect/OptionsDialogLink.h"
#include "common/Messages.h"
#include "common/win32/ClientScroll.h"
#include "common/win32/FocusKeeper.h"
#include "common/win32/GridHeaderTips.h"
#include "common/win32/LayoutScale.h"
#include "common/win32/MessagePump.h"
#include "reports/OptionsGrids.h"
#include "reports/win32/RadioDifferenceWindow.h"

namespace velmora {

namespace options_layout {
struct Layout;
}

class AutoConnectOptionsDialog final : public OptionsDialogLink {
 public:
  enum Grid { kRadioGrid, kOffsetGrid, kHistoryGrid, kGridCount };
  enum ControlId {
    kOkId = 1001, kApplyId, kCancelId,
    kInsertId = 1401, kDeleteId, kSortId, kResetId, kKIndexId,
    kLastModifiedId, kUpdateId, kVersionId, kPositionId, kCheckId, kRadioInfoId, kOffsetInfoId, kCompareId,
    kOccupancyResetId,
    kGridId = 1300,   // + the grid
    kBoxId = 1100,    // + the setting's place in the settings table
    kOtherRadioId = 1200,  // + the same: the first of an option pair
  };
  // The control bound to a setting key.
  HWND Box(std::string_view key) const;

  // `owner` gives the AutoConnect window once it exists; the data files
  // live in `folder`; `afterApply` lets the AutoConnect window take the new
  // settings.
  AutoConnectOptionsDialog(std::function<HWND()> owner, AutoConnectSettings& settings, std::filesystem::path folder,
                           Messenger& messages, MessagePump& pump, std::function<void()> afterApply);
  AutoConnectOptionsDialog(const AutoConnectOptionsDialog&) = delete;
  AutoConnectOptionsDialog& operator=(const AutoConnectOptionsDialog&) = delete;
  ~AutoConnectOptionsDialog() override;
  // The Info buttons open the station information window through this,
  // with the selected row's HAM station (empty without one).
  void StationInfoLinkSet(std::function<void(std::string_view station)> show) { stationInfo_ = std::move(show); }
  // "Working" while a long read runs ("Check for Difference" while the
  // difference view is made) on the AutoConnect window's state line; the
  // link gives back the text it replaced, which returns after the read.
  void StatusLinkSet(std::function<std::string(std::string_view text)> status) { status_ = std::move(status); }
  // Whether the AutoConnect window takes a recalled settings profile now:
  // the Settings menu's "Recall..." is greyed while it does not (a run).
  void RecallAllowedLinkSet(std::function<bool()> allowed) { recallAllowed_ = std::move(allowed); }

  void OptionsShow(Page page) override;
  void OptionsSettingsReplaced() override;
  void Hide();
  bool Visible() const { return hwnd_ && IsWindowVisible(hwnd_); }
  HWND Handle() const { return hwnd_; }
  HWND Control(int id) const { return GetDlgItem(hwnd_, id); }
  int CurrentPage() const { return page_; }

  // Checks every box and every edited grid, asks before a grid is written
  // over a file it did not read whole, and only then writes the files and
  // stores the settings; false (told) when anything was refused.
  bool Apply();
  // The in-place editor over a grid's cell, as a click places it.
  HWND CellEdit(Grid grid, int row, int column);
  const GridRows& Rows(Grid grid) const { return rows_[grid]; }
  // What the comparison check box left behind.
  const RadioDifferenceWindow& Differences() const { return differences_; }

 private:
  static LRESULT CALLBACK WndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
  bool Create();
  static HMENU SettingsMenu();
  void SettingsRecall();
  void SettingsSave();
  struct ControlMaker;
  void CreateControls();
  void CreateTabs(const ControlMaker& make);
  void CreatePageControl(const ControlMaker& make, const options_layout::Layout& l);
  void CreateGrid(const ControlMaker& make, const options_layout::Layout& l, int x, int y, int id);
  void DataSet();
  void Take(Grid grid, GridRecall recall);
  // The settings' boxes and what follows them; the grids stay.
  void SettingsShow();
  void SelectPage(int page);
  void OnCommand(int id, int code);
  void OnEnter();
  void OnGridClick(Grid grid, const NMITEMACTIVATE& click);
  void OnGridKey(Grid grid, WORD key);
  HWND MakeEditor(Grid grid, int row, int column, RECT cell);
  std::string EditorText() const;
  void CellCommit();
  void CellDiscard();
  void GridShow(Grid grid);
  void EnableFollowers();
  void ModelChosen();
  void InsertRow();
  void DeleteRow();
  void SortRows();
  void HistoryReset();
  // A click into a folder box opens the shell's folder browser over it.
  static LRESULT CALLBACK FolderBoxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                        DWORD_PTR self);
  void FolderBrowse(HWND box);
  static constexpr UINT kCellMoveMessage = WM_APP + 1;  // wParam: the step, lParam: the editor
  static LRESULT CALLBACK CellEditorProc(HWND editor, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                         DWORD_PTR self);
  void CellMove(int step);
  static LRESULT CALLBACK GridProc(HWND grid, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                   DWORD_PTR self);
  void OnInitMenuPopup(HMENU menu);
  // The edited grids' new texts, checked and asked about; nullopt when one was refused.
  std::optional<std::array<std::optional<std::string>, kGridCount>> GridTexts(const AutoConnectSettings& edited);
  std::string StatusShow(std::string_view text);
  void RadioUpdate();
  void StationInfo(Grid grid);
  void RadioRecall(int source);
  void RadioSourcesCheck();
  void StationsSourceShow();
  std::filesystem::path FreqListFile() const;
  std::filesystem::path FileOf(Grid grid) const;

  std::function<HWND()> owner_;
  AutoConnectSettings& settings_;
  std::filesystem::path folder_;
  Messenger& messages_;
  MessagePump& pump_;
  std::function<void()> afterApply_;
  std::function<void(std::string_view)> stationInfo_;
  std::function<std::string(std::string_view)> status_;
  HWND hwnd_ = nullptr;
  HWND tab_ = nullptr;
  FocusKeeper focusKeeper_;
  ClientScroll scroll_;  // on a screen too low for the pages
  HFONT font_ = nullptr;
  LayoutScale scale_;  // the pages laid out in pixels, at the screen's scaling
  int page_ = 0;
  std::function<bool()> recallAllowed_;
  std::array<GridRows, kGridCount> rows_;
  std::array<std::vector<std::string>, kGridCount> dropped_;  // what each grid left out of its file
  std::array<bool, kGridCount> edited_{};
  std::array<std::optional<FileStamp>, kGridCount> shown_;  // each grid's file as it was read or written
  std::array<GridHeaderTips, kGridCount> tips_;
  int radioSource_ = -1;  // whose rows the radio grid shows
  std::optional<GridRecall> radioFileKept_;  // the file's edited table while the groups are shown
  HWND editor_ = nullptr;  // the in-place editor, while one is open
  Grid editGrid_ = kRadioGrid;
  int editRow_ = -1, editColumn_ = -1;
  RadioDifferenceWindow differences_;
};

}  // namespace velmora
