#pragma once
// Runs a prediction program as a hidden process and waits for it.
#include <windows.h>

#include "common/win32/Handles.h"
#include "propagation/ModelProgram.h"

namespace velmora {

class Win32ModelProgram : public LocalModelFiles {
 public:
  bool Start(const std::string& commandLine, std::error_code& error) override;
  // The process handle is kept from the start, so a program that has
  // already ended is still asked for its exit code.
  bool Wait(double seconds) override;

 private:
  KernelHandle process_;
  // The programs run in it end when it closes, as it does with this
  // program however it ends: killed while one runs, none is left behind.
  KernelHandle job_;
};

}  // namespace velmora
