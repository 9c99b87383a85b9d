#pragma once
// Counts something for as long as it lasts: an operation under way, a box up.

namespace velmora {

class ScopedCount {
 public:
  explicit ScopedCount(int& count) : count_(count) { ++count_; }
  ScopedCount(const ScopedCount&) = delete;
  ScopedCount& operator=(const ScopedCount&) = delete;
  ~ScopedCount() { --count_; }

 private:
  int& count_;
};

}  // namespace velmora
