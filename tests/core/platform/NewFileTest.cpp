#include "core/platform/NewFile.h"

#include <gtest/gtest.h>

#include <cerrno>

#include "core/platform/Utf8Path.h"
#include "support/TempDir.h"

namespace telvoran {
namespace {

using test::ReadBytes;
using test::TempDir;

TEST(CreateNewFile, CreatesAFileForBinaryWriting) {
  TempDir folder;
  // A name that the ANSI code page of a Windows system cannot spell.
  const auto path = folder / PathFromUtf8("nowy \xC5\x82\xC5\xBA.tmp");
  std::FILE* file = platform::CreateNewFile(path);
  ASSERT_NE(file, nullptr);
  EXPECT_EQ(std::fwrite("a\r\nb\n", 1, 5, file), 5u);
  EXPECT_EQ(std::fclose(file), 0);
  EXPECT_EQ(ReadBytes(path), "a\r\nb\n");
}

// The report's temporary file must never take the place of a file that happens to have its name.
TEST(CreateNewFile, RefusesATakenNameAndLeavesItsFileAlone) {
  TempDir folder;
  const auto path = folder.Write("taken.tmp", "keep");
  errno = 0;
  EXPECT_EQ(platform::CreateNewFile(path), nullptr);
  EXPECT_EQ(errno, EEXIST);
  EXPECT_EQ(ReadBytes(path), "keep");
}

}  // namespace
}  // namespace telvoran
