#pragma once
// A prediction program that counts its starts and the time spent starting
// it and waiting for it, around the real one.
#include <chrono>
#include <string>

#include "propagation/ModelProgram.h"

namespace velmora::testing {

class TimedProgram final : public ModelProgram {
 public:
  explicit TimedProgram(ModelProgram& inner) : inner_(inner) {}
  bool ProgramExists(const std::filesystem::path& program) override { return inner_.ProgramExists(program); }
  bool DeckWrite(const std::filesystem::path& deck, std::string_view text, DeckFailure& failure,
                 std::error_code& error) override {
    Timer timer(fileSeconds);
    return inner_.DeckWrite(deck, text, failure, error);
  }
  bool OutputDelete(const std::filesystem::path& output, std::error_code& error) override {
    Timer timer(fileSeconds);
    return inner_.OutputDelete(output, error);
  }
  bool Start(const std::string& commandLine, std::error_code& error) override {
    ++starts;
    started_ = std::chrono::steady_clock::now();
    return inner_.Start(commandLine, error);
  }
  bool Wait(double seconds) override {
    bool finished = inner_.Wait(seconds);
    programSeconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - started_).count();
    return finished;
  }
  std::optional<std::string> OutputRead(const std::filesystem::path& output, size_t limit,
                                        std::error_code& error) override {
    Timer timer(fileSeconds);
    return inner_.OutputRead(output, limit, error);
  }

  int starts = 0;
  double programSeconds = 0;
  double fileSeconds = 0;  // writing the deck, deleting and reading the output

 private:
  // Adds the time of its scope.
  class Timer {
   public:
    explicit Timer(double& sum) : sum_(sum) {}
    ~Timer() { sum_ += std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count(); }

   private:
    double& sum_;
    std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
  };

  ModelProgram& inner_;
  std::chrono::steady_clock::time_point started_;
};

}  // namespace velmora::testing
