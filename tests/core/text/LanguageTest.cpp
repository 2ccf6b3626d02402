// The language of the string library: read from its string table, and the locale it stands for.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <vector>

#include "core/text/LanguageNames.h"
#include "core/text/PeStringTable.h"
#include "core/text/StringLibrary.h"
#include "support/TestPeImage.h"

namespace telvoran {
namespace {

std::vector<unsigned char> ReadLibrary(const char* path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), {}};
}

TEST(StringTableLanguage, IsTheLanguageOfTheFirstBlock) {
  test::TestPeImage image = test::BuildStringTableImage({{101, u"a"}, {200, u"b"}});
  EXPECT_EQ(ParsePeStringResources(image.bytes)->language, 0x0415);
  image.PutU32(image.firstLanguageDirectory + 16, 0x0409);
  EXPECT_EQ(ParsePeStringResources(image.bytes)->language, 0x0409);
  EXPECT_EQ(ParseStringLibrary(image.bytes)->LanguageId(), 0x0409);
}

TEST(StringTableLanguage, IsNeutralForATableWithoutTexts) {
  test::TestPeImage image = test::BuildStringTableImage({});
  EXPECT_EQ(ParsePeStringResources(image.bytes)->language, 0);
  EXPECT_EQ(ParseStringLibrary(image.bytes)->LanguageId(), 0);
}

TEST(StringTableLanguage, BuiltLibrariesArePolishAndEnglish) {
  const auto polish = ParseStringLibrary(ReadLibrary(TELVORAN_BUILD_DIR "/Telvoran.dll"));
  const auto english = ParseStringLibrary(ReadLibrary(TELVORAN_BUILD_DIR "/lang/en/Telvoran.dll"));
  ASSERT_TRUE(polish && english);
  EXPECT_EQ(polish->LanguageId(), kPolishLanguageId);
  EXPECT_EQ(english->LanguageId(), kEnglishLanguageId);
}

TEST(LocaleNameOfLanguage, FollowsThePrimaryLanguageAndWhereNeededTheCountry) {
  const struct {
    std::uint16_t id;
    const char* name;
  } cases[] = {
      {0x0415, "pl"},    {0x0409, "en"},    {0x0809, "en"},    {0x0405, "cs"},
      {0x041B, "sk"},    {0x040E, "hu"},    {0x0424, "sl"},    {0x0407, "de"},
      {0x0416, "pt_BR"}, {0x0816, "pt_PT"}, {0x0804, "zh_CN"}, {0x0404, "zh_TW"},
      {0x0C04, "zh_TW"}, {0x041A, "hr"},    {0x081A, "sr"},    {0x0814, "nn"},
  };
  for (const auto& [id, name] : cases) EXPECT_EQ(LocaleNameOfLanguage(id), name) << std::hex << id;
}

TEST(LocaleNameOfLanguage, NeutralStandsForPolishAndAnUnknownLanguageForNone) {
  for (std::uint16_t neutral : {0x0000, 0x0400, 0x0800, 0x007F}) {
    EXPECT_EQ(LocaleNameOfLanguage(neutral), "pl") << std::hex << neutral;
  }
  EXPECT_EQ(LocaleNameOfLanguage(0x0077), "");
  EXPECT_EQ(LocaleNameOfLanguage(0x03FE), "");
}

}  // namespace
}  // namespace telvoran
