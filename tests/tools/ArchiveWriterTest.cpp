#include "tools/mkarchive/ArchiveWriter.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <system_error>

#include "tools/MkArchiveTestSupport.h"
#include "tools/mkarchive/RecordEncoding.h"

namespace telvoran {
namespace {

using test::ReadBytes;
using test::ReadRecords;
using test::TempFolder;

ArchiveRecord NumberedRecord(std::uint32_t number) {
  ArchiveRecord record;
  record.bytes.fill(static_cast<unsigned char>(number));
  SetKind(record, number);
  return record;
}

TEST(ArchiveWriting, WritesRecordsInOrderAcrossManyBufferFills) {
  TempFolder folder;
  const auto path = folder / "many.zdr";
  constexpr std::uint32_t kCount = 100'000;
  ArchiveWriter writer(path);
  for (std::uint32_t i = 0; i < kCount; ++i) writer.Write(NumberedRecord(i));
  writer.Close();

  const auto records = ReadRecords(path);
  ASSERT_EQ(records.size(), kCount);
  EXPECT_EQ(std::filesystem::file_size(path), kCount * kRecordSize);
  for (std::uint32_t i = 0; i < kCount; i += 4099) EXPECT_EQ(records[i].Kind(), i);
  EXPECT_EQ(records.back().Kind(), kCount - 1);
}

TEST(ArchiveWriting, EndsWithThePartialRecordAsked) {
  TempFolder folder;
  const auto path = folder / "cut.czt";
  ArchiveWriter writer(path);
  writer.Write(std::vector{NumberedRecord(1), NumberedRecord(2)});
  writer.WritePartial(NumberedRecord(3), 7);
  EXPECT_EQ(writer.BytesWritten(), 87u);
  writer.Close();

  const auto bytes = ReadBytes(path);
  ASSERT_EQ(bytes.size(), 87u);
  EXPECT_EQ(bytes[79], 0);  // high byte of record 2's kind
  EXPECT_EQ(bytes[80], 3);
  EXPECT_EQ(bytes[86], 3);
}

TEST(ArchiveWriting, ReplacesAnExistingFile) {
  TempFolder folder;
  const auto path = folder / "old.zdr";
  {
    ArchiveWriter first(path);
    first.Write(std::vector(5, NumberedRecord(1)));
    first.Close();
  }
  ArchiveWriter second(path);
  second.Write(NumberedRecord(2));
  second.Close();
  EXPECT_EQ(std::filesystem::file_size(path), kRecordSize);
}

TEST(ArchiveWriting, ReportsAFolderThatDoesNotExistWithTheSystemsError) {
  TempFolder folder;
  const auto path = folder / "missing" / "a.czt";
  try {
    ArchiveWriter writer(path);
    FAIL() << "opening succeeded";
  } catch (const std::system_error& error) {
    EXPECT_EQ(error.code(), std::errc::no_such_file_or_directory);
    EXPECT_NE(std::string(error.what()).find(path.string()), std::string::npos);
  }
}

TEST(ArchiveWriting, ReportsAFullDiskInsteadOfLosingRecordsQuietly) {
  if (!std::filesystem::exists("/dev/full")) GTEST_SKIP() << "no /dev/full on this system";
  ArchiveWriter writer("/dev/full");
  writer.Write(NumberedRecord(1));
  try {
    writer.Close();
    FAIL() << "closing succeeded";
  } catch (const std::system_error& error) {
    EXPECT_EQ(error.code(), std::errc::no_space_on_device);
  }
}

TEST(ArchiveWriting, DiscardRemovesTheFile) {
  TempFolder folder;
  const auto path = folder / "half.czt";
  ArchiveWriter writer(path);
  writer.Write(NumberedRecord(1));
  writer.Discard();
  EXPECT_FALSE(std::filesystem::exists(path));
}

}  // namespace
}  // namespace telvoran
