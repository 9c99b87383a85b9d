#pragma once
// Every file the program writes, written by its real writer in one of two
// contents that differ: what the kill test's writer program repeats until
// it is killed. Afterwards the file must hold what a whole write leaves,
// byte for byte (that such a file reads back is each file's own test).
#include <filesystem>
#include <span>
#include <string>
#include <string_view>

namespace velmora::testing {

enum class FileShape {
  kWhole,      // replaced whole: afterwards the old or the new content
  kAppended,   // grows by one record a write: afterwards only whole records
  kRecording,  // grows by one buffer a write, into a new file per start
};

struct FileKind {
  std::string_view name;
  std::string_view fileName;  // in the folder given; for recordings their folder
  FileShape shape;
  // Writes content (or appends record) 0 or 1; not for recordings.
  void (*write)(const std::filesystem::path& file, int variant);
};

std::span<const FileKind> FileKinds();
const FileKind* FindFileKind(std::string_view name);

// Records buffer after buffer into a new file in the folder, for ever.
void RecordForever(const std::filesystem::path& dataFolder);

// What the kind's writer leaves in a fresh file after writing content 0,
// content 1, and 0 then 1 (for a log: heading and record 0, then record 1).
struct WrittenContents {
  std::string first, second, both;
};
WrittenContents WrittenBy(const FileKind& kind);

// What is wrong with the file (for recordings, with any recording in the
// folder) after a kill; empty when nothing is.
std::string KilledFileFault(const FileKind& kind, const std::filesystem::path& file, const WrittenContents& written);

}  // namespace velmora::testing
