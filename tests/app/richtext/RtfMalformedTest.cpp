#include <QFile>
#include <QTextBlockFormat>
#include <random>

#include "RtfTestDocument.h"

namespace telvoran {
namespace {

using namespace Qt::Literals::StringLiterals;

QByteArray CorpusFile(const char* name) {
  QFile file(QStringLiteral(TELVORAN_RTF_CORPUS "/") + QString::fromLatin1(name));
  EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name;
  return file.readAll();
}

struct CorpusCase {
  const char* file;
  QString expected;
};

class RtfCorpus : public test::RtfDocumentTest, public ::testing::WithParamInterface<CorpusCase> {};

TEST_P(RtfCorpus, ShowsWhatCouldBeRead) {
  Read(CorpusFile(GetParam().file));
  EXPECT_EQ(Text(), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rtf, RtfCorpus,
    ::testing::Values(CorpusCase{"truncated-control-word.rtf", u"Hello bold\nTail "_s},
                      CorpusCase{"truncated-hex.rtf", u"Zażółć gęślą jaźń"_s},
                      CorpusCase{"truncated-hex-one-digit.rtf", u"Zażółć"_s},
                      CorpusCase{"truncated-in-font-table.rtf", u""_s},
                      CorpusCase{"unbalanced-open.rtf", u"open groups never closed\nsecond line"_s},
                      CorpusCase{"unbalanced-close.rtf", u"first second third\n"_s},
                      CorpusCase{"huge-numbers.rtf", u"big \uFFFDbBcd"_s},
                      CorpusCase{"missing-indices.rtf", u"still shown\n"_s},
                      CorpusCase{"bin-huge-length.rtf", u"visible "_s},
                      CorpusCase{"bin-negative-length.rtf", u"abc"_s},
                      CorpusCase{"only-open-braces.rtf", u""_s}),
    [](const auto& info) {
      std::string name = info.param.file;
      std::erase_if(name, [](char c) { return c == '-' || c == '.'; });
      return name;
    });

class RtfMalformed : public test::RtfDocumentTest {};

TEST_F(RtfMalformed, BinaryJunkKeepsTheTextAroundIt) {
  Read(CorpusFile("binary-junk.rtf"));
  const QString text = Text();
  EXPECT_TRUE(text.startsWith(u"before "_s));
  EXPECT_TRUE(text.endsWith(u" after"_s));
  EXPECT_FALSE(text.contains(QChar(0)));
  EXPECT_FALSE(text.contains(u'\x1b'));
}

TEST_F(RtfMalformed, HugeNumbersAreClamped) {
  Read(CorpusFile("huge-numbers.rtf"));
  EXPECT_EQ(FormatOf(u"big"_s).fontPointSize(), 1638.0);
  EXPECT_FALSE(FormatOf(u"b"_s).hasProperty(QTextFormat::FontFamilies));
  EXPECT_EQ(document.begin().blockFormat().leftMargin(), 0.0);
}

TEST_F(RtfMalformed, MissingTableEntriesLeaveTheDefaults) {
  Read(CorpusFile("missing-indices.rtf"));
  const QTextCharFormat format = FormatOf(u"still shown"_s);
  EXPECT_FALSE(format.hasProperty(QTextFormat::FontFamilies));
  EXPECT_FALSE(format.hasProperty(QTextFormat::ForegroundBrush));
  EXPECT_FALSE(format.hasProperty(QTextFormat::BackgroundBrush));
}

TEST_F(RtfMalformed, DeepNestingIsReadInFull) {
  constexpr int kDepth = 100'000;
  Read("{\\rtf1 " + QByteArray(kDepth, '{') + "deep" + QByteArray(kDepth, '}') + " after}");
  EXPECT_EQ(Text(), u"deep after"_s);
}

TEST_F(RtfMalformed, GroupsBeyondTheDepthLimitShareTheDeepestState) {
  constexpr int kDepth = 5000;
  Read("{\\rtf1 {\\i " + QByteArray(kDepth, '{') + "\\b deep" + QByteArray(kDepth, '}') +
       " italic} plain}");
  EXPECT_EQ(FormatOf(u"deep"_s).fontWeight(), int(QFont::Bold));
  // The closing braces beyond the limit are counted, so the italic group ends where it should.
  EXPECT_TRUE(FormatOf(u"italic"_s).fontItalic());
  EXPECT_FALSE(FormatOf(u"plain"_s).fontItalic());
  EXPECT_EQ(FormatOf(u"plain"_s).fontWeight(), int(QFont::Normal));
}

TEST_F(RtfMalformed, ManyStrayClosingBracesAreDropped) {
  Read("{\\rtf1 a}" + QByteArray(100'000, '}') + "b");
  EXPECT_EQ(Text(), u"ab"_s);
}

TEST_F(RtfMalformed, EveryTruncationOfARichFileLoads) {
  const QByteArray rich =
      "{\\rtf1\\ansi\\ansicpg1250\\deff0{\\fonttbl{\\f0\\fswiss\\fcharset238 Arial;}"
      "{\\f1\\fmodern Courier New;}}{\\colortbl ;\\red255\\green0\\blue0;}"
      "{\\*\\generator x;}{\\info{\\title t}}\\viewkind4\\uc1\\pard\\qc\\li720\\fi-360"
      "\\f0\\fs20 Za\\'bf\\'f3\\'b3\\'e6 {\\b\\cf1 g\\'ea\\'9cl\\'b9}\\par"
      "\\pard\\u261?\\uc2\\u380??{\\pict\\bin6 }{}{}\\}\\tab\\emdash\\line end\\par}";
  for (qsizetype length = 0; length <= rich.size(); ++length) {
    Read(rich.first(length));
    ASSERT_LE(Text().size(), rich.size()) << "at length " << length;
  }
  EXPECT_EQ(Text(), u"Zażółć gęślą\nąż\t—\u2028end\n"_s);
}

TEST_F(RtfMalformed, RandomBytesLoad) {
  std::mt19937 generator(20240601);
  std::uniform_int_distribution<int> byte(0, 255);
  for (int round = 0; round < 20; ++round) {
    QByteArray bytes = "{\\rtf1 ";
    for (int i = 0; i < 20'000; ++i) bytes += static_cast<char>(byte(generator));
    Read(bytes);
    ASSERT_LE(Text().size(), bytes.size());
  }
}

// Random RTF-like tokens, so that control words, groups and \bin are hit often.
TEST_F(RtfMalformed, RandomTokensLoad) {
  const char* const pieces[] = {"{",
                                "}",
                                "\\",
                                "\\'",
                                "\\'e",
                                "\\'b9",
                                "\\u",
                                "\\u-",
                                "\\u261",
                                "\\uc",
                                "\\uc3",
                                "\\bin",
                                "\\bin3",
                                "\\*",
                                "\\f",
                                "\\f1",
                                "\\fs",
                                "\\fs-9",
                                "\\par",
                                "\\pard",
                                "\\plain",
                                "\\cf",
                                "\\colortbl",
                                "\\fonttbl",
                                "\\red",
                                "\\fcharset238",
                                "x",
                                " ",
                                "9999999999999",
                                ";",
                                "\\b",
                                "\\v",
                                "\\qc",
                                "\\li",
                                "-",
                                "\r\n"};
  std::mt19937 generator(7);
  std::uniform_int_distribution<std::size_t> pick(0, std::size(pieces) - 1);
  for (int round = 0; round < 50; ++round) {
    QByteArray bytes = "{\\rtf1 ";
    for (int i = 0; i < 5'000; ++i) bytes += pieces[pick(generator)];
    Read(bytes);
    ASSERT_LE(Text().size(), bytes.size());
  }
}

}  // namespace
}  // namespace telvoran
