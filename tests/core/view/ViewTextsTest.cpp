#include "core/view/ViewTexts.h"

#include <gtest/gtest.h>

#include "support/FakeStrings.h"

namespace telvoran {
namespace {

using test::FakeStrings;

TEST(ArchiveKindOfName, OnlyTheExactLowerCaseExtensionsCount) {
  EXPECT_EQ(ArchiveKindOfName("2005-03-14_C07.czt"), ArchiveKind::Interval);
  EXPECT_EQ(ArchiveKindOfName("alarm2005.zdr"), ArchiveKind::Event);
  EXPECT_EQ(ArchiveKindOfName("a.zdr.czt"), ArchiveKind::Interval);
  for (const char* name : {"DATA.CZT", "a.Zdr", "a.czt ", "czt", "a.czt.bak", "a.cz", ".cztx", ""})
    EXPECT_EQ(ArchiveKindOfName(name), ArchiveKind::Other) << name;
}

TEST(ChannelPanelCaptions, TitlesPresentChannelsAndMarksTheOthersAbsent) {
  std::string header = "x2";
  header.resize(132, '.');
  header.replace(2, 8, "T1  deg ");
  header.replace(28, 8, "P2  bar ");
  const auto captions = ChannelPanelCaptions(header);
  EXPECT_EQ(captions[0], "1 T1   [deg ]");
  EXPECT_EQ(captions[0].size(), 13u);
  EXPECT_EQ(captions[1], "2 P2   [bar ]");
  EXPECT_EQ(captions[2], "3");
  EXPECT_EQ(captions[3], "4");
  EXPECT_TRUE(IsAbsentChannelCaption(captions[2], 3));
  EXPECT_FALSE(IsAbsentChannelCaption(captions[1], 2));
  EXPECT_FALSE(IsAbsentChannelCaption("3 ", 3));
}

TEST(ChannelPanelCaptions, PiecesBeyondAShortHeaderAreCut) {
  EXPECT_EQ(ChannelPanelCaptions("x1T1")[0], "1 T1 []");
  EXPECT_EQ(ChannelPanelCaptions("x0")[0], "1");
  EXPECT_EQ(ChannelPanelCaptions("")[3], "4");
}

TEST(ViewTitles, ArePiecedFromTheFileName) {
  const FakeStrings strings({{111, "Channels "}, {112, " of "}, {113, "Events "}});
  EXPECT_EQ(IntervalViewTitle(strings, "2005-03-14_C07.czt"), "Channels 07 of 2005-03-14");
  EXPECT_EQ(IntervalViewTitle(strings, "abc.czt"), "Channels  of abc.czt");
  EXPECT_EQ(IntervalViewTitle(strings, "abcdefghijklm"), "Channels m of abcdefghij");
  EXPECT_EQ(EventViewTitle(strings, "alarm2005.zdr"), "Events alarm20");
  EXPECT_EQ(EventViewTitle(strings, "a.zdr"), "Events a.zdr");
}

}  // namespace
}  // namespace telvoran
