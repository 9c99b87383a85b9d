#pragma once
// The scan's "Busy Channel Found" box (`frmAirmailMessage`): shown without
// blocking while the operator connects by hand in AirMail, and answered
// with "Continue" or "Cancel", which the scan reads at its next buffer.
#include <windows.h>

#include "autoconnect/ActivityPorts.h"
#include "common/win32/MessagePump.h"
#include "common/win32/ToolWindow.h"

namespace velmora {

inline constexpr const char* kScanMessageCaption = "AutoConnect - Scan Station";
inline constexpr int kScanContinueId = 1, kScanCancelId = 2;

class ScanMessageWindow final : public ToolWindow, public ScanMessageBox {
 public:
  ScanMessageWindow(MessagePump& pump, HWND owner);
  ~ScanMessageWindow() override;

  void SetMode(ScanBoxMode mode) override;
  ScanBoxMode GetMode() override { return mode_; }

 private:
  bool OnCreate() override;
  bool OnCommand(int id, int code) override;
  // The caption's close button answers as "Cancel" would.
  void OnClose() override { Choose(ScanBoxMode::Cancel); }
  void Choose(ScanBoxMode mode);

  MessagePump& pump_;
  ScanBoxMode mode_ = ScanBoxMode::Hidden;
};

}  // namespace velmora
