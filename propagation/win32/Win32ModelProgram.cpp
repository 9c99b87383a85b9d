#include "propagation/win32/Win32ModelProgram.h"

#include "common/win32/ProcessStart.h"
#include "common/win32/WindowFind.h"

namespace velmora {

namespace {

KernelHandle ModelProgramJob() {
  KernelHandle job(CreateJobObjectA(nullptr, nullptr));
  JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
  limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
  if (job && !SetInformationJobObject(job.get(), JobObjectExtendedLimitInformation, &limits, sizeof limits))
    job.reset();
  return job;
}

}  // namespace

bool Win32ModelProgram::Start(const std::string& commandLine, std::error_code& error) {
  process_.reset();
  if (!job_) job_ = ModelProgramJob();
  // No console at all: the programs only write their progress to it, and
  // a hidden console is a second process to start (under Wine about 200 ms
  // per run, three times the program's own time).
  process_ = ProcessStart(commandLine, {.show = SW_HIDE, .flags = DETACHED_PROCESS});
  if (!process_) {
    error = {static_cast<int>(GetLastError()), std::system_category()};
    return false;
  }
  // Where the job is refused (this program's own job allowing none inside
  // it) it runs as before: ended by the wait's time limit only.
  if (job_) AssignProcessToJobObject(job_.get(), process_.get());
  return true;
}

bool Win32ModelProgram::Wait(double seconds) {
  if (!process_) return false;
  bool finished = ProcessWait(process_.get(), seconds);
  process_.reset();
  return finished;
}

}  // namespace velmora
