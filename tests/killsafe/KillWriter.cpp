// velmora-killwriter KIND PATH: writes the file of that kind with the
// program's own writer, again and again in two alternating contents (or
// record after record, buffer after buffer), until it is killed. It prints
// nothing; a write that fails ends it with code 2.
#include <cstdio>

#include "tests/killsafe/FileKinds.h"

int main(int argc, char** argv) {
  using namespace velmora::testing;
  const FileKind* kind = argc == 3 ? FindFileKind(argv[1]) : nullptr;
  if (!kind) {
    std::fprintf(stderr, "usage: velmora-killwriter KIND PATH\n");
    return 1;
  }
  if (kind->shape == FileShape::kRecording) RecordForever(argv[2]);
  for (int variant = 1;; variant = 1 - variant) kind->write(argv[2], variant);
}
