// The AutoConnect options dialog's Apply: every box and every edited grid
// checked, a grid asked about before it is written over a file it did not
// read whole, and only then the files written and the settings stored.
#include "common/win32/WindowText.h"
#include "reports/AutoConnectOptions.h"
#include "reports/win32/AutoConnectOptionsDialog.h"
#include "reports/win32/OptionsDialogLayout.h"

namespace velmora {

using namespace options_layout;

namespace {

// Each grid's file is written under this name, in the order of the grids.
constexpr const char* kGridSaveNames[] = {"StationsFileDataSave", "OffsetDataSave", "HistoryDataSave"};

}  // namespace

bool AutoConnectOptionsDialog::Apply() {
  CellCommit();
  OptionValues values;
  for (const auto& l : kLayout) {
    if (!l.key) continue;
    HWND box = Control(IdOf(l));
    switch (l.kind) {
      case Kind::Check:
      case Kind::RadioBool: values[l.key] = Checked(box) ? "True" : "False"; break;
      case Kind::RadioChoice: values[l.key] = Checked(box) ? "1" : "0"; break;
      case Kind::Choice: values[l.key] = std::to_string(SendMessageA(box, CB_GETCURSEL, 0, 0)); break;
      default: values[l.key] = WindowString(box); break;
    }
  }
  AutoConnectSettings edited = settings_;
  if (!OptionsApply(values, edited, messages_)) return false;
  auto texts = GridTexts(edited);
  if (!texts) return false;
  // Nothing was refused: the files, then the settings.
  for (int g = 0; g < kGridCount; ++g) {
    auto grid = static_cast<Grid>(g);
    if (const auto& text = (*texts)[grid]) {
      if (!GridFileWrite(FileOf(grid), *text, kGridSaveNames[grid], messages_)) return false;
      dropped_[grid].clear();
      shown_[grid] = FileStamp::Of(*text);
    }
    edited_[grid] = false;
  }
  settings_ = edited;
  if (afterApply_) afterApply_();
  return true;
}

std::optional<std::array<std::optional<std::string>, AutoConnectOptionsDialog::kGridCount>>
AutoConnectOptionsDialog::GridTexts(const AutoConnectSettings& edited) {
  std::array<std::optional<std::string>, kGridCount> texts;
  for (int g = 0; g < kGridCount; ++g) {
    auto grid = static_cast<Grid>(g);
    // The radio table is the file's only with that source chosen.
    if (!edited_[grid] || (grid == kRadioGrid && (edited.stationStationsFile != 1 || radioSource_ != 1))) continue;
    texts[grid] = grid == kOffsetGrid    ? OffsetGridText(rows_[grid], messages_)
                  : grid == kHistoryGrid ? HistoryGridText(rows_[grid], messages_)
                                         : RadioGridText(rows_[grid], messages_);
    if (!texts[grid] || !GridDropAsk(kGridSaveNames[grid], FileOf(grid), dropped_[grid], messages_) ||
        !GridChangedAsk(kGridSaveNames[grid], FileOf(grid), shown_[grid], messages_))
      return std::nullopt;
  }
  return texts;
}

}  // namespace velmora
