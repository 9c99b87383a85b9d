#include "common/RecordFile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>

#ifdef __linux__
#include <sys/resource.h>
#endif

#include "common/AtomicFile.h"
#include "tests/common/TempFolder.h"

namespace velmora {
namespace {

// Where quotes are allowed, a field in double quotes holds commas (and a
// quote written twice); a line without them splits as where they are not.
// Empty fields are kept, and the last field past the limit is the rest.
// Line breaks, and commas where no quotes may hold them, would shift the
// fields after them: they are written as blanks.
TEST(RecordFile, SplitKeepsEveryFieldQuotedFieldsHoldCommasAndJoinWritesWhatWouldShiftOthersAsBlanks) {
  const auto none = FieldQuotes::None, quoted = FieldQuotes::Allowed;
  const struct { std::string line; size_t limit; FieldQuotes quotes; Record fields; } cases[] = {
      {"a,,b,", 0, none, {"a", "", "b", ""}},
      {"HAM,K1ABC,7102.0 10147.3,3,,", 3, none, {"HAM", "K1ABC", "7102.0 10147.3,3,,"}}, {"", 0, none, {""}},
      {"\"a,b\",c", 0, none, {"\"a", "b\"", "c"}},  // quotes are text where not allowed
      {"SAILMAIL,\"Mobile, AL\",6318.5,2", 0, quoted, {"SAILMAIL", "Mobile, AL", "6318.5", "2"}},
      {"a, \"b,c\" ,\"say \"\"hi\"\"\"", 0, quoted, {"a", "b,c", "say \"hi\""}},  // blanks around the quotes dropped
      {"a,\"open, to the end", 0, quoted, {"a", "open, to the end"}},
      {"a,b\"c,,", 0, quoted, {"a", "b\"c", "", ""}},  // a quote inside a field is text
      {"\"a,b\",c,\"d\",e", 3, quoted, {"a,b", "c", "\"d\",e"}},  // the last field is the rest as it stands
  };
  for (const auto& c : cases) EXPECT_EQ(SplitRecord(c.line, c.limit, c.quotes), c.fields) << c.line;
  EXPECT_EQ(JoinRecord(Record{"Error, No Answer", "a\r\nb", "7"}), "Error  No Answer,a  b,7");
  const Record written{"Mobile, AL", "\"quoted\"", "x\"y", "a\r\nb", ""};
  std::string line = JoinRecord(written, FieldQuotes::Allowed);
  EXPECT_EQ(line, "\"Mobile, AL\",\"\"\"quoted\"\"\",x\"y,a  b,");
  EXPECT_EQ(SplitRecord(line, 0, FieldQuotes::Allowed), (Record{"Mobile, AL", "\"quoted\"", "x\"y", "a  b", ""}));
}

// The heading goes only into an empty file; a last line without its end
// (edited by hand, or an append cut short) never takes the next record's fields.
TEST(RecordFile, AppendWritesTheHeadingOnlyIntoAnEmptyFileAndStartsALineOfItsOwnAndSizesAreBounded) {
  testing::TempFolder folder;
  auto file = folder.path() / "log.txt";
  const std::pair<std::string, std::string> cases[] = {
      {"", "A,B\r\n3,4\r\n"}, {"A,B\n", "A,B\n3,4\r\n"},
      {"A,B\r\n1,2", "A,B\r\n1,2\r\n3,4\r\n"}, {"A,B\r\n1,2\r", "A,B\r\n1,2\r\n3,4\r\n"},
  };
  std::error_code error;
  for (const auto& [before, after] : cases) {
    std::filesystem::remove(file);  // none at first
    if (!before.empty()) testing::WriteBytes(file, before);
    ASSERT_TRUE(AppendRecord(file, "A,B", Record{"3", "4"}, error)) << error.message();
    EXPECT_EQ(ReadWholeFile(file, error), after);
  }
  FileFailure failure;
  std::ofstream(file, std::ios::binary | std::ios::app) << std::string(kDataFileLimit, '\n');
  EXPECT_FALSE(ReadTextLines(file, failure)) << "past any data file's size";
  EXPECT_EQ(failure.error, std::errc::file_too_large);
  // A whole file past the reader's limit is refused unwritten.
  testing::WriteBytes(file, "old\r\n");
  EXPECT_FALSE(WriteRecords(file, "heading", std::vector<Record>{{std::string(kDataFileLimit, 'x')}}, error));
  EXPECT_EQ(error, std::errc::file_too_large);
  EXPECT_EQ(ReadWholeFile(file, error), "old\r\n");
}

#ifdef __linux__
// A write cut short, here by a file size limit as by a full disk, is taken
// back whole.
TEST(RecordFile, AFailedAppendLeavesTheFileAsItWas) {
  testing::TempFolder folder;
  auto file = folder.path() / "log.txt";
  testing::WriteBytes(file, "A,B\r\n1,2\r\n");
  rlimit old{};
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
  rlimit tight = old;
  tight.rlim_cur = 12;  // room for two more bytes
  auto handler = std::signal(SIGXFSZ, SIG_IGN);
  std::error_code error;
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &tight), 0);
  bool appended = AppendRecord(file, "A,B", Record{"333", "444"}, error);
  setrlimit(RLIMIT_FSIZE, &old);
  std::signal(SIGXFSZ, handler);
  EXPECT_FALSE(appended);
  EXPECT_EQ(error, std::errc::file_too_large);
  EXPECT_EQ(ReadWholeFile(file, error), "A,B\r\n1,2\r\n");
}
#endif

std::vector<std::string> Names(const std::filesystem::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

// Each write has a temporary of its own: a file or folder left by another
// writer under the name "data.txt.new" neither blocks it nor is taken over.
// A folder named in the user's own letters (the home folder of a user named
// Jörg) holds the files as any other: what is written reads back.
TEST(WriteFileAtomically, NeverSharesItsTemporaryAndWhatItWroteReadsBackInAFolderOfOtherLetters) {
  const testing::TempFolder top, folder(top.path() / std::filesystem::path(u8"Jörg Ø"));
  auto file = folder.path() / "data.txt";
  std::filesystem::create_directory(folder.path() / "data.txt.new");
  testing::WriteBytes(folder.path() / "data.txt.other.new", "another writer's");
  std::error_code error;
  ASSERT_TRUE(WriteFileAtomically(file, "new", error)) << error.message();
  EXPECT_EQ(ReadWholeFile(file, error), "new");
  EXPECT_EQ(ReadWholeFile(folder.path() / "data.txt.other.new", error), "another writer's");
  EXPECT_EQ(Names(folder.path()), (std::vector<std::string>{"data.txt", "data.txt.new", "data.txt.other.new"}));

  // What cannot be replaced stays as it was, and no temporary is left.
  auto blocked = folder.path() / "blocked";
  std::filesystem::create_directories(blocked / "inside");
  EXPECT_TRUE(!WriteFileAtomically(blocked, "x", error) && error) << "refused, and told why";
  EXPECT_TRUE(std::filesystem::is_directory(blocked / "inside"));
  EXPECT_EQ(Names(folder.path()).size(), 4u);
}

}  // namespace
}  // namespace velmora
