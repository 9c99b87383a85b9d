#pragma once
// Runs an action every few milliseconds from inside whatever message loop
// this thread is in (a menu's, a box's, the program's own), until destroyed.
// A tick that comes while the action still runs is passed over.
#include <windows.h>

#include <functional>

namespace velmora::testing {

class ThreadTimer {
 public:
  ThreadTimer(UINT milliseconds, std::function<void()> action) : action_(std::move(action)) {
    current_ = this;
    timer_ = SetTimer(nullptr, 0, milliseconds, &ThreadTimer::OnTimer);
  }
  ThreadTimer(const ThreadTimer&) = delete;
  ThreadTimer& operator=(const ThreadTimer&) = delete;
  ~ThreadTimer() {
    KillTimer(nullptr, timer_);
    current_ = nullptr;
  }

 private:
  static inline ThreadTimer* current_ = nullptr;
  static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD) {
    ThreadTimer* self = current_;
    if (!self || self->busy_) return;
    self->busy_ = true;
    self->action_();
    self->busy_ = false;
  }
  std::function<void()> action_;
  UINT_PTR timer_ = 0;
  bool busy_ = false;
};

}  // namespace velmora::testing
