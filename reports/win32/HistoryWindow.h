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
#include "common/win32/ToolWindow.h"
#include "reports/HistorySummary.h"
#include "reports/HistoryTable.h"
#include "selection/win32/FrequencyGrid.h"

namespace velmora {

class HistoryWindow final : public ToolWindow, private FrequencyGridListener {
 public:
  HistoryWindow(HWND owner, HistoryKind kind, Messenger& messenger);
  ~HistoryWindow() override;

  // Summarises the whole log, sets the pickers to its first and last
  // dates and shows the window in front.
  void Show(const std::filesystem::path& log);
  // "Update": the summary of the days between the pickers, both included.
  void Update();
  void PeriodSet(std::chrono::sys_days start, std::chrono::sys_days stop);

  std::vector<std::string> Lines() const;
  const FrequencyTable& Table() const { return table_; }
  const FrequencyGrid& Grid() const { return grid_; }

 private:
  bool OnCreate() override;
  void OnSize(int width, int height) override;
  bool OnCommand(int id, int code) override;
  void Summarise(std::optional<HistoryPeriod> period);
  void GridClick(int, int) override {}
  void GridMouseMove(int, int) override {}
  void GridRightButtonUp(int, int, int, int) override {}
  void GridHeaderClick(int column) override;
  void Sort();

  HistoryKind kind_;
  Messenger& messenger_;
  std::filesystem::path log_;
  FrequencyTable table_;
  FrequencyGrid grid_;
  HWND start_ = nullptr, stop_ = nullptr, update_ = nullptr, lines_ = nullptr;
  std::vector<SortKey> sortKeys_;  // none: the rows in the log's order
};

}  // namespace velmora
