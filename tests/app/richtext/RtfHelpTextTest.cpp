#include "app/richtext/RtfHelpText.h"

#include <QFont>

#include "RtfTestDocument.h"

namespace telvoran {
namespace {

using namespace Qt::Literals::StringLiterals;

struct SniffCase {
  const char* name;
  QByteArray bytes;
  bool isRtf;
};

class RtfSniffing : public ::testing::TestWithParam<SniffCase> {};

TEST_P(RtfSniffing, RecognisesTheRtfHeader) {
  EXPECT_EQ(LooksLikeRtf(GetParam().bytes), GetParam().isRtf);
}

INSTANTIATE_TEST_SUITE_P(
    Rtf, RtfSniffing,
    ::testing::Values(SniffCase{"Header", "{\\rtf1\\ansi x}", true},
                      SniffCase{"HeaderAlone", "{\\rtf", true},
                      SniffCase{"AfterByteOrderMark", "\xEF\xBB\xBF{\\rtf1 x}", true},
                      SniffCase{"AfterWhiteSpace", " \t\r\n{\\rtf1 x}", true},
                      SniffCase{"Empty", "", false}, SniffCase{"CutHeader", "{\\rt", false},
                      SniffCase{"UpperCase", "{\\RTF1 x}", false},
                      SniffCase{"SpaceInsideHeader", "{ \\rtf1 x}", false},
                      SniffCase{"TextFirst", "Pomoc {\\rtf1 x}", false},
                      SniffCase{"OtherGroup", "{\\pict x}", false}),
    [](const auto& info) { return std::string(info.param.name); });

class HelpText : public test::RtfDocumentTest {};

TEST_F(HelpText, RtfShowsFormatted) {
  LoadHelpText("{\\rtf1 {\\b Pomoc}\\par tekst}", document);
  EXPECT_EQ(BlockTexts(), (QStringList{u"Pomoc"_s, u"tekst"_s}));
  EXPECT_EQ(FormatOf(u"Pomoc"_s).fontWeight(), int(QFont::Bold));
}

TEST_F(HelpText, OtherBytesShowAsWindows1250Lines) {
  LoadHelpText(
      "Za\xbf\xf3\xb3\xe6 g\xea\x9cl\xb9 ja\x9f\xf1\r\nDruga\rTrzecia\nCzwarta\r\n\r\n{\\b}",
      document);
  EXPECT_EQ(BlockTexts(), (QStringList{u"Zażółć gęślą jaźń"_s, u"Druga"_s, u"Trzecia"_s,
                                       u"Czwarta"_s, u""_s, u"{\\b}"_s}));
}

TEST_F(HelpText, PlainTextDropsControlCharactersButKeepsTabs) {
  LoadHelpText(QByteArray("a\0b\tc\x1a", 6), document);
  EXPECT_EQ(Text(), u"ab\tc"_s);
}

TEST_F(HelpText, BothKindsKeepTheDefaultFont) {
  const QFont helpFont("DejaVu Sans", 8);
  document.setDefaultFont(helpFont);
  for (const QByteArray& bytes : {QByteArray("plain"), QByteArray("{\\rtf1 plain}")}) {
    LoadHelpText(bytes, document);
    EXPECT_EQ(document.defaultFont(), helpFont) << bytes.constData();
    EXPECT_FALSE(FormatOf(u"plain"_s).hasProperty(QTextFormat::FontPointSize)) << bytes.constData();
  }
}

}  // namespace
}  // namespace telvoran
