#pragma once
// The program's version, set once for the whole build by the project's
// version in the top CMakeLists.txt.

namespace velmora {

struct ProgramVersion {
  int major = 0;
  int minor = 0;
};

ProgramVersion CurrentVersion();

}  // namespace velmora
