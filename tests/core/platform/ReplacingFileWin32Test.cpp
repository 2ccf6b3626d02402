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

// A file with a second name is rewritten in place, longer and then shorter than before, through
// a temporary file of the system's temporary folder that does not stay.
TEST(ReplacingFileWin32, FileWithSeveralNamesIsRewrittenInPlace) {
  TempDir folder;
  TempDir temporaries;
  const auto target = folder.Path() / L"report.txt";
  { std::ofstream(target, std::ios::binary) << std::string(5000, 'o'); }
  ASSERT_TRUE(CreateHardLinkW((folder.Path() / L"other.txt").c_str(), target.c_str(), nullptr));
  wchar_t saved[MAX_PATH + 1] = {};
  const DWORD savedLength = GetEnvironmentVariableW(L"TMP", saved, MAX_PATH + 1);
  ASSERT_TRUE(SetEnvironmentVariableW(L"TMP", temporaries.Path().c_str()));

  for (const std::string& text : {std::string(9000, 'n'), std::string("new report")}) {
    ReplacingFile file(target);
    ASSERT_EQ(file.Open(), std::nullopt);
    EXPECT_TRUE(file.RewritesInPlace());
    ASSERT_TRUE(file.Write(text));
    ASSERT_EQ(file.Commit(), std::nullopt);
    EXPECT_EQ(ReadBytes(folder.Path() / L"other.txt"), text);
  }
  SetEnvironmentVariableW(L"TMP", savedLength ? saved : nullptr);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(temporaries.Path()), {}), 0);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()), {}), 2);
}

}  // namespace
}  // namespace telvoran
