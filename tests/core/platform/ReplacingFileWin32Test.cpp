// What a replaced file keeps on Windows, for short names and for names longer than MAX_PATH.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "core/platform/ReplacingFile.h"
#include "support/TempDir.h"

namespace telvoran {
namespace {

using test::ReadBytes;
using test::TempDir;

std::filesystem::path FolderLongerThanMaxPath(const TempDir& folder) {
  std::filesystem::path deep = folder.Path();
  while (deep.native().size() < MAX_PATH + 20) deep /= std::wstring(40, L'd');
  std::filesystem::create_directories(deep);
  return deep;
}

TEST(ReplacingFileWin32, HiddenFileStaysHiddenAndLeavesNoTemporaryFile) {
  TempDir folder;
  for (const auto& place : {folder.Path(), FolderLongerThanMaxPath(folder)}) {
    SCOPED_TRACE(place.string());
    const auto target = place / L"report.txt";
    { std::ofstream(target, std::ios::binary) << "old report"; }
    ASSERT_TRUE(SetFileAttributesW(target.c_str(), FILE_ATTRIBUTE_HIDDEN));

    ReplacingFile file(target);
    ASSERT_EQ(file.Open(), std::nullopt);
    ASSERT_TRUE(file.Write("new report"));
    ASSERT_EQ(file.Commit(), std::nullopt);

    EXPECT_EQ(ReadBytes(target), "new report");
    EXPECT_TRUE(GetFileAttributesW(target.c_str()) & FILE_ATTRIBUTE_HIDDEN);
  }
  // The report and the deep folder; the C runtime lists no folder whose name is that long.
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()), {}), 2);
}

}  // namespace
}  // namespace telvoran
