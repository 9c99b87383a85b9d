#pragma once
// What opens the AutoConnect options dialog: the window's Options entries
// and Settings "Options...". The dialog lives with the reports, which build
// on this folder, so the window knows it only by this.
namespace velmora {

class OptionsDialogLink {
 public:
  // The pages in the dialog's order.
  enum Page { kAirmailPage, kStationsPage, kOffsetPage, kHistoryPage, kPropagationPage };
  virtual ~OptionsDialogLink() = default;
  virtual void OptionsShow(Page page) = 0;
  // The settings record was replaced behind the dialog (the window's Recall
  // or Default): an open dialog shows the new values, so its OK does not
  // store the old ones over them.
  virtual void OptionsSettingsReplaced() = 0;
};

}  // namespace velmora
