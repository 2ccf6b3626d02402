#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "core/text/PeImage.h"
#include "core/text/PeStringTable.h"
#include "core/text/StringLibrary.h"
#include "support/TestPeImage.h"

namespace telvoran {
namespace {

using test::BuildStringTableImage;
using test::kSubdirectoryBit;
using test::PeFormat;
using test::TestPeImage;

class PeStringTableFormats : public ::testing::TestWithParam<PeFormat> {};

INSTANTIATE_TEST_SUITE_P(BothFormats, PeStringTableFormats,
                         ::testing::Values(PeFormat::kPe32, PeFormat::kPe32Plus));

TEST_P(PeStringTableFormats, ReadsTextsAtBlockBoundariesBack) {
  const StringTable texts = {{0, u"zero"},     {15, u"fifteen"}, {16, u"sixteen"},
                             {101, u"Otwórz"}, {183, u"x"},      {65535, u"last"}};
  const TestPeImage image = BuildStringTableImage(texts, GetParam());

  EXPECT_EQ(ParsePeStringTable(image.bytes), texts);
  ASSERT_TRUE(PeImage::Parse(image.bytes));
  EXPECT_TRUE(PeImage::Parse(image.bytes)->IsDll());
}

TEST_P(PeStringTableFormats, ImageWithoutResourcesHasAnEmptyTable) {
  TestPeImage image = BuildStringTableImage({{101, u"a"}}, GetParam());
  image.PutU32(image.resourceDataDirectoryEntry, 0);

  EXPECT_EQ(ParsePeStringTable(image.bytes), StringTable{});
  const auto library = ParseStringLibrary(image.bytes);
  ASSERT_TRUE(library);
  EXPECT_EQ(library->Text(101), "");
}

// Each case damages one structure of an otherwise valid image.
struct Damage {
  const char* what;
  std::function<void(TestPeImage&)> apply;
};

const std::vector<Damage>& Damages() {
  static const std::vector<Damage> damages = {
      {"no MZ signature", [](TestPeImage& i) { i.PutU16(0, 0x5858); }},
      {"PE header offset past the end", [](TestPeImage& i) { i.PutU32(0x3C, 0xFFFFFFF0); }},
      {"no PE signature", [](TestPeImage& i) { i.PutU32(i.peHeader, 0x00004551); }},
      {"unknown optional header", [](TestPeImage& i) { i.PutU16(i.optionalHeader, 0x0107); }},
      {"optional header past the end", [](TestPeImage& i) { i.PutU16(i.peHeader + 20, 0xFFFF); }},
      {"data directory count past the header",
       [](TestPeImage& i) {
         i.PutU16(i.peHeader + 20,
                  static_cast<std::uint16_t>(i.resourceDataDirectoryEntry + 4 - i.optionalHeader));
       }},
      {"huge section count", [](TestPeImage& i) { i.PutU16(i.peHeader + 6, 0xFFFF); }},
      {"section data past the end",
       [](TestPeImage& i) { i.PutU32(i.sectionHeader + 16, 0xFFFFFFFF); }},
      {"section data offset past the end",
       [](TestPeImage& i) { i.PutU32(i.sectionHeader + 20, 0xFFFFFF00); }},
      {"resource directory in no section",
       [](TestPeImage& i) { i.PutU32(i.resourceDataDirectoryEntry, 0x00700000); }},
      {"huge directory entry counts",
       [](TestPeImage& i) { i.PutU32(i.resourceDirectory + 12, 0xFFFFFFFF); }},
      {"subdirectory past the section",
       [](TestPeImage& i) { i.PutU32(i.resourceDirectory + 20, 0xFFFFFFFF); }},
      {"loop back to the root",
       [](TestPeImage& i) { i.PutU32(i.resourceDirectory + 20, kSubdirectoryBit); }},
      {"loop within the block level",
       [](TestPeImage& i) {
         i.PutU32(i.blockDirectory + 20, kSubdirectoryBit | i.ResourceOffset(i.blockDirectory));
       }},
      {"directory below the language level",
       [](TestPeImage& i) {
         i.PutU32(i.firstLanguageDirectory + 20,
                  kSubdirectoryBit | i.ResourceOffset(i.firstDataEntry));
       }},
      {"block level entry leading to data",
       [](TestPeImage& i) { i.PutU32(i.blockDirectory + 20, i.ResourceOffset(i.firstDataEntry)); }},
      {"data entry past the section",
       [](TestPeImage& i) { i.PutU32(i.firstLanguageDirectory + 20, 0x7FFFFFF0); }},
      {"block in no section", [](TestPeImage& i) { i.PutU32(i.firstDataEntry, 0x00900000); }},
      {"block past its section",
       [](TestPeImage& i) { i.PutU32(i.firstDataEntry + 4, 0xFFFFFFFF); }},
      {"text past its block", [](TestPeImage& i) { i.PutU16(i.firstBlock + 2 * 5, 0xFFFF); }},
      {"block shorter than sixteen texts",
       [](TestPeImage& i) { i.PutU32(i.firstDataEntry + 4, 8); }},
  };
  return damages;
}

TEST_P(PeStringTableFormats, MalformedImagesAreRefused) {
  // Texts 96 to 100 lead the block of 101, so "text past its block" hits the one at 101.
  const TestPeImage intact =
      BuildStringTableImage({{101, u"Otwórz"}, {102, u"Zapisz"}}, GetParam());
  ASSERT_TRUE(ParsePeStringTable(intact.bytes));

  for (const Damage& damage : Damages()) {
    SCOPED_TRACE(damage.what);
    TestPeImage image = intact;
    damage.apply(image);
    EXPECT_EQ(ParsePeStringTable(image.bytes), std::nullopt);
    EXPECT_EQ(ParseStringLibrary(image.bytes), nullptr);
  }
}

TEST(PeStringTable, NonPeBytesAreRefused) {
  const std::vector<std::vector<unsigned char>> files = {{},
                                                         {'M'},
                                                         {'M', 'Z'},
                                                         std::vector<unsigned char>(64, 0),
                                                         std::vector<unsigned char>(4096, 0xFF)};
  for (const auto& file : files) {
    SCOPED_TRACE(file.size());
    EXPECT_EQ(ParsePeStringTable(file), std::nullopt);
  }
}

TEST(PeStringTable, EveryTruncationOfAnImageIsRefused) {
  const TestPeImage image = BuildStringTableImage({{101, u"Otwórz"}, {200, u"Zapisz"}});
  for (std::size_t length = 0; length < image.bytes.size(); ++length) {
    SCOPED_TRACE(length);
    EXPECT_EQ(ParsePeStringTable(std::span(image.bytes).first(length)), std::nullopt);
  }
}

TEST(PeStringLibrary, TextsAreCutLikeALookupIntoASixtyOneByteBuffer) {
  struct Case {
    const char* what;
    std::u16string text;
    std::string expected;
  };
  const std::vector<Case> cases = {
      {"sixty characters stay whole", std::u16string(60, u'a'), std::string(60, 'a')},
      {"seventy are cut to sixty", std::u16string(70, u'x'), std::string(60, 'x')},
      {"characters, not bytes, are counted", std::u16string(61, u'ż'), std::string(60, '\xBF')},
      {"a surrogate pair is one character", u"\U0001F600" + std::u16string(60, u'a'),
       "?" + std::string(59, 'a')},
      {"a zero character ends the text", std::u16string(u"ab\0cd", 5), "ab"},
  };
  StringTable table;
  for (std::size_t i = 0; i < cases.size(); ++i) table[static_cast<int>(300 + i)] = cases[i].text;
  const auto library = ParseStringLibrary(BuildStringTableImage(table).bytes);
  ASSERT_TRUE(library);

  for (std::size_t i = 0; i < cases.size(); ++i) {
    SCOPED_TRACE(cases[i].what);
    EXPECT_EQ(library->Text(static_cast<int>(300 + i)), cases[i].expected);
  }
  EXPECT_EQ(library->Text(299), "");
  EXPECT_EQ(library->Text(-1), "");
  EXPECT_EQ(library->Text(70000), "");
}

}  // namespace
}  // namespace telvoran
