#pragma once
// A file written again and again in place as AirMail writes its own: emptied,
// then cut at `cut` bytes for a moment, then whole for a little longer.
#include <atomic>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <thread>

#include "common/CFile.h"

namespace velmora::testing {

class InPlaceRewriter {
 public:
  InPlaceRewriter(std::filesystem::path file, std::string whole, size_t cut)
      : file_(std::move(file)), whole_(std::move(whole)), cut_(cut), writer_([this] { Run(); }) {}
  ~InPlaceRewriter() {
    done_ = true;
    writer_.join();
  }

 private:
  void Run() {
    using std::chrono::milliseconds;
    while (!done_) {
      CFile f = CFileOpen(file_, "wb");
      if (!f) {  // held by the reader for the moment (Windows' sharing)
        std::this_thread::sleep_for(milliseconds(1));
        continue;
      }
      for (size_t size : {size_t{0}, cut_, whole_.size()}) {
        std::fwrite(whole_.data(), 1, size, f.get());
        std::fflush(f.get());
        std::this_thread::sleep_for(milliseconds(size == whole_.size() ? 8 : 2));
        std::rewind(f.get());
      }
    }
  }

  std::filesystem::path file_;
  std::string whole_;
  size_t cut_;
  std::atomic<bool> done_ = false;
  std::thread writer_;
};

}  // namespace velmora::testing
