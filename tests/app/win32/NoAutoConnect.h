#pragma once
#include "autoconnect/AutoConnectSeam.h"

namespace velmora {

// No AutoConnect window: never visible, keeps no settings. Where the
// window does not matter (the main window's own tests), a side without it
// overrides what it needs.
class NoAutoConnect : public AutoConnectSeam {
 public:
  bool Available() const override { return false; }
  bool Visible() const override { return false; }
  void Show() override {}
  void Unload() override {}
  void Update(Verdict) override {}
  void Attach(MainWindowLink& mainWindow) override { mainWindow_ = &mainWindow; }
  void ProfileRecall(const ProfileDocument&) override {}
  void ProfileRecallWindow(const ProfileDocument&) override {}
  void ProfileSave(ProfileWriter&) override {}
  void ProfileSaveWindow(ProfileWriter&) override {}

  // What Attach handed over (nothing before).
  MainWindowLink* Link() const { return mainWindow_; }

 private:
  MainWindowLink* mainWindow_ = nullptr;
};

}  // namespace velmora
