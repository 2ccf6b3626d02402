// The help window (its text, its messages, hiding and printing) and the about box.
#include <QCloseEvent>
#include <QCoreApplication>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextEdit>

#include <gtest/gtest.h>

#include <algorithm>

#include "app/help/AboutBox.h"
#include "app/help/HelpWindow.h"
#include "app/mainwindow/MainWindow.h"
#include "support/FakeStrings.h"
#include "support/ScriptedDialogs.h"
#include "support/TempDir.h"

namespace telvoran {
namespace {

using test::ScriptedDialogs;

class HelpWindowTest : public ::testing::Test {
 protected:
  test::FakeStrings strings = test::NumberedStrings();
  ScriptedDialogs dialogs;
  test::TempDir dir;
  std::unique_ptr<MainWindow> form;

  // A main window whose program directory holds `helpBytes` as its help file (none when null).
  std::unique_ptr<HelpWindow> MakeHelp(const char* helpBytes) {
    if (helpBytes) dir.Write("Telvoran.hlp", helpBytes);
    form =
        std::make_unique<MainWindow>(strings, dialogs, QString::fromStdString(dir.Path().string()));
    return std::make_unique<HelpWindow>(form->State());
  }
};

TEST_F(HelpWindowTest, TakesItsTextsFromTheLibraryAndShowsRichText) {
  auto help = MakeHelp("{\\rtf1\\ansi\\ansicpg1250 {\\b Otwieranie} pliku\\par Drugi\\par}");
  EXPECT_EQ(help->windowTitle(), "S179 \"Telvoran\"");
  EXPECT_EQ(help->RichEdit->statusTip(), "S180");
  EXPECT_EQ(help->PrintPopUp->text(), "S181");
  EXPECT_EQ(help->PrintPopUp->statusTip(), "S182");
  EXPECT_TRUE(help->RichEdit->toolTip().isEmpty());
  EXPECT_TRUE(help->isHidden());
  EXPECT_TRUE(dialogs.asked.isEmpty());
  const QTextDocument& document = *help->RichEdit->document();
  EXPECT_EQ(document.begin().text(), "Otwieranie pliku");
  EXPECT_TRUE(document.begin().begin().fragment().charFormat().font().bold());
}

TEST_F(HelpWindowTest, ShowsAPlainTextFileAsPlainText) {
  auto help = MakeHelp("Pomoc programu\r\nWiersz \xB9\xE6");
  EXPECT_EQ(help->RichEdit->toPlainText(), QString::fromUtf8("Pomoc programu\nWiersz ąć"));
}

TEST_F(HelpWindowTest, MissingHelpFileBeepsAndSaysSoAndLeavesTheTextEmpty) {
  auto help = MakeHelp(nullptr);
  EXPECT_EQ(dialogs.asked, (QStringList{"beep", "message:Telvoran.hlp - Telvoran|S183"}));
  EXPECT_TRUE(help->RichEdit->document()->isEmpty());
}

TEST_F(HelpWindowTest, UnreadableHelpFileGivesThePlatformsWordsForTheError) {
  std::filesystem::create_directory(dir / "Telvoran.hlp");
  auto help = MakeHelp(nullptr);
  ASSERT_EQ(dialogs.asked.size(), 1);
  EXPECT_TRUE(dialogs.asked[0].startsWith("error:Telvoran.hlp - Telvoran|"))
      << dialogs.asked[0].toStdString();
  EXPECT_TRUE(help->RichEdit->document()->isEmpty());
}

TEST_F(HelpWindowTest, EmptyOrBinaryHelpFilesLoadWithoutAWord) {
  auto empty = MakeHelp("");
  EXPECT_TRUE(empty->RichEdit->document()->isEmpty());
  std::string binary;
  for (int i = 0; i < 65536; ++i) binary += static_cast<char>((i * 7919) & 0xFF);
  dir.Write("Telvoran.hlp", binary);
  HelpWindow help(form->State());
  EXPECT_FALSE(help.RichEdit->document()->isEmpty());
  EXPECT_TRUE(dialogs.asked.isEmpty());
}

TEST_F(HelpWindowTest, FiftyMegabytesOfRichTextLoadWhole) {
  std::string rtf = "{\\rtf1\\ansi\\ansicpg1250 ";
  const std::string paragraph =
      "{\\b Rozdzia\\'b3} " + std::string(10000, 'x') + " {\\cf1 kolor}\\par ";
  int paragraphs = 0;
  while (rtf.size() < 50'000'000) {
    rtf += paragraph;
    ++paragraphs;
  }
  rtf += "Koniec}";
  dir.Write("Telvoran.hlp", rtf);
  form =
      std::make_unique<MainWindow>(strings, dialogs, QString::fromStdString(dir.Path().string()));
  HelpWindow help(form->State());
  const QTextDocument& document = *help.RichEdit->document();
  EXPECT_EQ(document.blockCount(), paragraphs + 1);
  EXPECT_EQ(document.lastBlock().text(), "Koniec");
  EXPECT_TRUE(dialogs.asked.isEmpty());
}

TEST_F(HelpWindowTest, ClosingOnlyHidesIt) {
  auto help = MakeHelp("text");
  help->show();
  EXPECT_TRUE(help->close());
  EXPECT_TRUE(help->isHidden());
  form->SetHelpWindow(help.get());
  form->ShowHelp();
  EXPECT_TRUE(help->isVisible());
  EXPECT_EQ(help->RichEdit->toPlainText(), "text");
}

TEST_F(HelpWindowTest, ContextMenuOverTheTextOffersPrinting) {
  auto help = MakeHelp("text");
  help->show();
  QWidget* text = help->RichEdit->viewport();
  QContextMenuEvent click(QContextMenuEvent::Mouse, QPoint(20, 20),
                          text->mapToGlobal(QPoint(20, 20)));
  QCoreApplication::sendEvent(text, &click);
  EXPECT_TRUE(help->PopupMenu->isVisible());
  help->PopupMenu->close();
}

// The text of a PDF's pages, one entry a page.
QStringList PdfPages(const QString& pdf) {
  QProcess process;
  process.start("pdftotext", {"-layout", pdf, "-"});
  if (!process.waitForFinished(20000)) return {};
  QStringList pages = QString::fromUtf8(process.readAllStandardOutput()).split('\f');
  if (!pages.isEmpty() && pages.last().trimmed().isEmpty()) pages.removeLast();
  return pages;
}

TEST_F(HelpWindowTest, PrintsEveryParagraphOnNumberedPagesWithTheHeadingOnTheFirst) {
  QString text = "{\\rtf1\\ansi ";
  for (int line = 1; line <= 150; ++line) text += QString("Linia %1\\par ").arg(line);
  auto help = MakeHelp((text + "}").toLatin1().constData());
  const QString pdf = QString::fromStdString((dir / "help.pdf").string());
  form->State().Printer().setOutputFormat(QPrinter::PdfFormat);
  form->State().Printer().setOutputFileName(pdf);

  dialogs.printAnswers = {false};
  help->Print();
  EXPECT_FALSE(QFile::exists(pdf)) << "cancelled";

  dialogs.printAnswers = {true};
  help->Print();
  const QStringList pages = PdfPages(pdf);
  if (pages.isEmpty()) GTEST_SKIP() << "pdftotext is not installed";
  ASSERT_GE(pages.size(), 2);
  EXPECT_TRUE(pages[0].contains("S178S179 \"Telvoran\""));
  EXPECT_FALSE(pages[1].contains("S178"));
  EXPECT_TRUE(pages[0].contains("Linia 1\n"));
  EXPECT_TRUE(pages.last().contains("Linia 150"));
  int printed = 0;
  for (const QString& page : pages) printed += static_cast<int>(page.count("Linia "));
  EXPECT_EQ(printed, 150);
}

// A paragraph far wider than the page loses no word: it is wrapped at word boundaries.
TEST_F(HelpWindowTest, PrintsEveryWordOfParagraphsWiderThanThePage) {
  QString paragraph;
  for (int word = 1; word <= 400; ++word) paragraph += QString("wyraz%1 ").arg(word);
  auto help = MakeHelp(
      ("{\\rtf1\\ansi Pierwszy\\par " + paragraph + "\\par Ostatni}").toLatin1().constData());
  const QString pdf = QString::fromStdString((dir / "help.pdf").string());
  form->State().Printer().setOutputFormat(QPrinter::PdfFormat);
  form->State().Printer().setOutputFileName(pdf);
  dialogs.printAnswers = {true};
  help->Print();
  const QStringList pages = PdfPages(pdf);
  if (pages.isEmpty()) GTEST_SKIP() << "pdftotext is not installed";
  const QString printed = pages.join("\n");
  for (int word = 1; word <= 400; ++word) {
    EXPECT_TRUE(printed.contains(QRegularExpression(QString("\\bwyraz%1\\b").arg(word)))) << word;
  }
  const QStringList lines = printed.split('\n', Qt::SkipEmptyParts);
  const auto wrapped = std::count_if(lines.begin(), lines.end(),
                                     [](const QString& line) { return line.contains("wyraz"); });
  EXPECT_GT(wrapped, 10) << "one paragraph, many lines";
  EXPECT_TRUE(printed.contains("Ostatni"));
}

TEST(AboutBox, TakesItsTextsFromTheLibrary) {
  test::FakeStrings strings = test::NumberedStrings();
  ScriptedDialogs dialogs;
  MainWindow form(strings, dialogs, "/");
  AboutBox about(strings, &form);
  EXPECT_EQ(about.ProductName->text(), "S173Telvoran");
  EXPECT_EQ(about.Version->text(),
            "S174"
            "3.0");
  EXPECT_EQ(about.Info->text(), "S175");
  EXPECT_FALSE(about.Comments->text().isEmpty());
  EXPECT_EQ(about.windowTitle(), "S176");
  EXPECT_EQ(about.OKButton->text(), "S177");
  EXPECT_TRUE(about.OKButton->isDefault());
  EXPECT_EQ(about.size(), QSize(232, 166));
}

}  // namespace
}  // namespace telvoran
