#pragma once
// What the main window knows of the AutoConnect window: whether it is
// shown, the verdict it is handed once per buffer, and its part of the
// settings file.
#include <string>

#include "common/ProfileFile.h"

namespace velmora {

class AutoConnectSeam {
 public:
  virtual ~AutoConnectSeam() = default;
  virtual bool Available() const = 0;  // the window exists in this build
  virtual bool Visible() const = 0;
  virtual void Show() = 0;
  virtual void Unload() = 0;  // program close
  // Called after the detectors ran on a buffer, only while Visible().
  virtual void Update(bool& valid, bool& busy, bool& noise) = 0;
  virtual void ProfileRecall(const ProfileDocument& profile) = 0;
  virtual void ProfileRecallWindow(const ProfileDocument& profile) = 0;
  virtual void ProfileSave(ProfileWriter& profile) = 0;
  virtual void ProfileSaveWindow(ProfileWriter& profile) = 0;
  // AirMail's data folder as the AutoConnect settings know it (empty when unknown).
  virtual std::string AirmailDataFolder() const { return {}; }
};

// Until the AutoConnect window exists: never visible, keeps no settings.
// The other sides before the window override what they do have.
class NoAutoConnect : public AutoConnectSeam {
 public:
  bool Available() const override { return false; }
  bool Visible() const override { return false; }
  void Show() override {}
  void Unload() override {}
  void Update(bool&, bool&, bool&) override {}
  void ProfileRecall(const ProfileDocument&) override {}
  void ProfileRecallWindow(const ProfileDocument&) override {}
  void ProfileSave(ProfileWriter&) override {}
  void ProfileSaveWindow(ProfileWriter&) override {}
};

}  // namespace velmora
