#pragma once
// The history summary window (`frmHistory`), in one of its two modes: the
// period's pickers and "Update", the summary's text lines and its station
// table. It shows what the summary returns and computes nothing itself.
#include <windows.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include "common/Messages.h"
#include "reports/HistorySummary.h"
#include "reports/HistoryTable.h"
#include "selection/win32/FrequencyGrid.h"

namespace velmora {

class HistoryWindow : private FrequencyGridListener {
 public:
  HistoryWindow(HWND owner, HistoryKind kind, Messenger& messenger);
  HistoryWindow(const HistoryWindow&) = delete;
  HistoryWindow& operator=(const HistoryWindow&) = delete;
  ~HistoryWindow() override;

  // Summarises the whole log, sets the pickers to its first and last
  // dates and shows the window in front.
  void Show(const std::filesystem::path& log);
  // "Update": the summary of the days between the pickers, both included.
  void Update();
  void PeriodSet(std::chrono::sys_days start, std::chrono::sys_days stop);

  HWND Handle() const { return hwnd_; }
  std::vector<std::string> Lines() const;
  const FrequencyTable& Table() const { return table_; }
  const FrequencyGrid& Grid() const { return grid_; }

 private:
  static LRESULT CALLBACK WndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  bool Make();
  bool OnCreate();
  void Layout(int width, int height);
  void Summarise(std::optional<HistoryPeriod> period);
  void GridClick(int, int) override {}
  void GridMouseMove(int, int) override {}
  void GridRightButtonUp(int, int, int, int) override {}
  void GridHeaderClick(int column) override;
  void Sort();

  HWND owner_;
  HistoryKind kind_;
  Messenger& messenger_;
  std::filesystem::path log_;
  FrequencyTable table_;
  FrequencyGrid grid_;
  HWND hwnd_ = nullptr;
  HWND start_ = nullptr, stop_ = nullptr, update_ = nullptr, lines_ = nullptr;
  bool placed_ = false;
  std::vector<SortKey> sortKeys_;  // none: the rows in the log's order
};

}  // namespace velmora
