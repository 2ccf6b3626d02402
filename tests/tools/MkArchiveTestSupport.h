#pragma once

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/archive/ArchiveRecord.h"
#include "tools/mkarchive/MkArchiveCommand.h"

namespace telvoran::test {

// A fresh folder for one test's files, removed with everything in it afterwards.
class TempFolder {
 public:
  TempFolder() {
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name =
        "telvoran-mkarchive-" + std::string(test->test_suite_name()) + "-" + test->name();
    for (char& c : name) c = c == '/' ? '_' : c;  // parameterised tests have slashes in names
    path_ = std::filesystem::temp_directory_path() / name;
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
  }
  ~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

 private:
  std::filesystem::path path_;
};

inline std::vector<unsigned char> ReadBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The whole records of a file, as a reader sees them.
inline std::vector<ArchiveRecord> ReadRecords(const std::filesystem::path& path) {
  const std::vector<unsigned char> bytes = ReadBytes(path);
  std::vector<ArchiveRecord> records(bytes.size() / kRecordSize);
  for (std::size_t i = 0; i < records.size(); ++i) {
    std::copy_n(bytes.begin() + static_cast<std::ptrdiff_t>(i * kRecordSize), kRecordSize,
                records[i].bytes.begin());
  }
  return records;
}

struct ToolRun {
  int exitStatus;
  std::string out;
  std::string err;
};

inline ToolRun RunTool(const std::vector<std::string>& arguments) {
  std::ostringstream out;
  std::ostringstream err;
  const int status = RunMkArchive(arguments, out, err);
  return {status, out.str(), err.str()};
}

}  // namespace telvoran::test
