#pragma once
// The scan's "Busy Channel Found" box (`frmAirmailMessage`): shown without
// blocking while the operator connects by hand in AirMail, and answered
// with "Continue" or "Cancel", which the scan reads at its next buffer.
#include <windows.h>

#include "autoconnect/ActivityPorts.h"
#include "common/win32/MessagePump.h"

namespace velmora {

inline constexpr const char* kScanMessageCaption = "AutoConnect - Scan Station";
inline constexpr int kScanContinueId = 1, kScanCancelId = 2;

class ScanMessageWindow final : public ScanMessageBox {
 public:
  ScanMessageWindow(MessagePump& pump, HWND owner) : pump_(pump), owner_(owner) {}
  ScanMessageWindow(const ScanMessageWindow&) = delete;
  ScanMessageWindow& operator=(const ScanMessageWindow&) = delete;
  ~ScanMessageWindow() override;

  void SetMode(ScanBoxMode mode) override;
  ScanBoxMode GetMode() override { return mode_; }
  HWND Handle() const { return hwnd_; }

 private:
  static LRESULT CALLBACK WndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  bool Create();
  void Choose(ScanBoxMode mode);
  void CentreOnOwner();

  MessagePump& pump_;
  HWND owner_;
  HWND hwnd_ = nullptr;
  ScanBoxMode mode_ = ScanBoxMode::Hidden;
};

}  // namespace velmora
