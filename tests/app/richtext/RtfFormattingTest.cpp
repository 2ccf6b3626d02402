#include <QFont>
#include <QTextBlockFormat>

#include "RtfTestDocument.h"

namespace telvoran {
namespace {

// A document with two fonts and a colour table of automatic, red and blue around `body`.
QByteArray WithTables(const QByteArray& body) {
  return QByteArray(
             "{\\rtf1\\ansi{\\fonttbl{\\f0\\fswiss Arial;}{\\f1\\fmodern Courier New;}}"
             "{\\colortbl;\\red255\\green0\\blue0;\\red0\\green0\\blue255;}") +
         body + "}";
}

QVariant Weight(const QTextCharFormat& f) {
  return f.fontWeight();
}
QVariant Italic(const QTextCharFormat& f) {
  return f.fontItalic();
}
QVariant Underline(const QTextCharFormat& f) {
  return f.fontUnderline();
}
QVariant Strike(const QTextCharFormat& f) {
  return f.fontStrikeOut();
}
QVariant PointSize(const QTextCharFormat& f) {
  return f.fontPointSize();
}
QVariant Families(const QTextCharFormat& f) {
  return f.fontFamilies();
}
QVariant Foreground(const QTextCharFormat& f) {
  return f.hasProperty(QTextFormat::ForegroundBrush) ? QVariant(f.foreground().color())
                                                     : QVariant();
}
QVariant Background(const QTextCharFormat& f) {
  return f.hasProperty(QTextFormat::BackgroundBrush) ? QVariant(f.background().color())
                                                     : QVariant();
}

class RtfCharacterFormat : public test::RtfDocumentTest {};
class RtfParagraphFormat : public test::RtfDocumentTest {};

struct CharacterCase {
  const char* name;
  const char* body;  // the checked text is "x"
  QVariant (*read)(const QTextCharFormat&);
  QVariant expected;
};

class CharacterFormatting : public test::RtfDocumentTest,
                            public ::testing::WithParamInterface<CharacterCase> {};

TEST_P(CharacterFormatting, ShowsOnTheRun) {
  Read(WithTables(GetParam().body));
  EXPECT_EQ(GetParam().read(FormatOf("x")), GetParam().expected);
}

const QVariant kNone;

INSTANTIATE_TEST_SUITE_P(
    Rtf, CharacterFormatting,
    ::testing::Values(
        CharacterCase{"Bold", "{\\b x}", Weight, int(QFont::Bold)},
        CharacterCase{"BoldEndsWithItsGroup", "{\\b a}x", Weight, int(QFont::Normal)},
        CharacterCase{"BoldZeroEndsBold", "\\b a\\b0 x", Weight, int(QFont::Normal)},
        CharacterCase{"Italic", "\\i x", Italic, true},
        CharacterCase{"ItalicZeroEndsItalic", "\\i a\\i0 x", Italic, false},
        CharacterCase{"Underline", "\\ul x", Underline, true},
        CharacterCase{"DoubleUnderlineIsUnderline", "\\uldb x", Underline, true},
        CharacterCase{"UlnoneEndsUnderline", "\\ul a\\ulnone x", Underline, false},
        CharacterCase{"UlZeroEndsUnderline", "\\ul a\\ul0 x", Underline, false},
        CharacterCase{"Strike", "\\strike x", Strike, true},
        CharacterCase{"PlainEndsBold", "\\b\\i a\\plain x", Weight, int(QFont::Normal)},
        CharacterCase{"PlainEndsSize", "\\fs40 a\\plain x", PointSize, 0.0},
        CharacterCase{"SizeInHalfPoints", "\\fs40 x", PointSize, 20.0},
        CharacterCase{"OddHalfPoints", "\\fs21 x", PointSize, 10.5},
        CharacterCase{"HugeSizeIsClamped", "\\fs99999999999999999999 x", PointSize, 1638.0},
        CharacterCase{"NegativeSizeIsIgnored", "\\fs30 a\\fs-40 x", PointSize, 15.0},
        CharacterCase{"ZeroSizeIsIgnored", "\\fs30 a\\fs0 x", PointSize, 15.0},
        CharacterCase{"SizeEndsWithItsGroup", "{\\fs40 a}x", PointSize, 0.0},
        CharacterCase{"FontFromTable", "\\f1 x", Families, QStringList{"Courier New"}},
        CharacterCase{"MissingFontIsDefault", "\\f7 x", Families, kNone},
        CharacterCase{"ColourFromTable", "\\cf1 x", Foreground, QColor(255, 0, 0)},
        CharacterCase{"AutomaticColour", "\\cf1 a\\cf0 x", Foreground, kNone},
        CharacterCase{"MissingColourIsDefault", "\\cf9 x", Foreground, kNone},
        CharacterCase{"NegativeColourIsDefault", "\\cf-1 x", Foreground, kNone},
        CharacterCase{"Highlight", "\\highlight2 x", Background, QColor(0, 0, 255)},
        CharacterCase{"CbIsHighlight", "\\cb1 x", Background, QColor(255, 0, 0)},
        CharacterCase{"HighlightZeroEndsHighlight", "\\highlight2 a\\highlight0 x", Background,
                      kNone}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(RtfCharacterFormat, TextWithoutSizeOrFontKeepsTheDocumentDefault) {
  const QFont helpFont("DejaVu Sans", 8);
  document.setDefaultFont(helpFont);
  Read(WithTables("\\f0 a\\fs20 b\\plain c"));
  EXPECT_EQ(document.defaultFont(), helpFont);
  EXPECT_FALSE(FormatOf("a").hasProperty(QTextFormat::FontPointSize));
  EXPECT_EQ(FormatOf("b").fontPointSize(), 10.0);
  EXPECT_FALSE(FormatOf("c").hasProperty(QTextFormat::FontFamilies));
  EXPECT_FALSE(FormatOf("c").hasProperty(QTextFormat::FontPointSize));
}

struct AlignmentCase {
  const char* word;
  Qt::Alignment expected;
};

class ParagraphAlignment : public test::RtfDocumentTest,
                           public ::testing::WithParamInterface<AlignmentCase> {};

TEST_P(ParagraphAlignment, AppliesToItsParagraph) {
  Read(WithTables(QByteArray("\\pard") + GetParam().word + " first\\par second"));
  EXPECT_EQ(document.findBlockByNumber(0).blockFormat().alignment(), GetParam().expected);
  EXPECT_EQ(document.findBlockByNumber(1).blockFormat().alignment(), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Rtf, ParagraphAlignment,
                         ::testing::Values(AlignmentCase{"\\ql", Qt::AlignLeft},
                                           AlignmentCase{"\\qc", Qt::AlignHCenter},
                                           AlignmentCase{"\\qr", Qt::AlignRight},
                                           AlignmentCase{"\\qj", Qt::AlignJustify}));

TEST_F(RtfParagraphFormat, IndentsInTwipsBecomePixels) {
  Read(WithTables("\\li1440\\ri720\\fi-360 hanging\\par"));
  const QTextBlockFormat format = document.begin().blockFormat();
  EXPECT_EQ(format.leftMargin(), 96.0);
  EXPECT_EQ(format.rightMargin(), 48.0);
  EXPECT_EQ(format.textIndent(), -24.0);
}

TEST_F(RtfParagraphFormat, ExtremeIndentsAreClamped) {
  Read(WithTables("\\li-99999999999\\ri99999999999999\\fi-99999999999999 x"));
  const QTextBlockFormat format = document.begin().blockFormat();
  EXPECT_EQ(format.leftMargin(), 0.0);
  EXPECT_EQ(format.rightMargin(), 2112.0);
  EXPECT_EQ(format.textIndent(), -2112.0);
}

TEST_F(RtfParagraphFormat, PardAndGroupEndRestoreParagraphDefaults) {
  Read(WithTables("\\qc\\li720 a\\par\\pard b\\par{\\qr c\\par}d"));
  EXPECT_EQ(BlockTexts(), (QStringList{"a", "b", "c", "d"}));
  EXPECT_EQ(document.findBlockByNumber(0).blockFormat().alignment(), Qt::AlignHCenter);
  EXPECT_EQ(document.findBlockByNumber(0).blockFormat().leftMargin(), 48.0);
  EXPECT_EQ(document.findBlockByNumber(1).blockFormat().alignment(), Qt::AlignLeft);
  EXPECT_EQ(document.findBlockByNumber(1).blockFormat().leftMargin(), 0.0);
  EXPECT_EQ(document.findBlockByNumber(2).blockFormat().alignment(), Qt::AlignRight);
  EXPECT_EQ(document.findBlockByNumber(3).blockFormat().alignment(), Qt::AlignLeft);
}

TEST_F(RtfParagraphFormat, ParagraphMarksMakeBlocks) {
  Read(WithTables("one\\par two\\line still two\\par\\par four\\par"));
  EXPECT_EQ(BlockTexts(),
            (QStringList{"one", QStringLiteral("two\u2028still two"), "", "four", ""}));
}

TEST_F(RtfParagraphFormat, ReadingReplacesEarlierContent) {
  document.setPlainText("old text");
  Read(WithTables("new"));
  EXPECT_EQ(Text(), "new");
}

}  // namespace
}  // namespace telvoran
