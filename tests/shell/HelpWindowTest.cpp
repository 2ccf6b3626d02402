// The help window (its text, its messages, hiding and printing) and the about box.
#include <QCloseEvent>
#include <QCoreApplication>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QProcess>
#include <QPushButton>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextEdit>

#include <gtest/gtest.h>

#include "shell/ABoxU.h"
#include "shell/HelpU.h"
#include "shell/MainU.h"
#include "support/FakeStrings.h"
#include "support/ScriptedDialogs.h"
#include "support/TempDir.h"

namespace telvoran {
namespace {

using test::ScriptedDialogs;

class HelpWindow : public ::testing::Test {
 protected:
  test::FakeStrings strings = test::NumberedStrings();
  ScriptedDialogs dialogs;
  test::TempDir dir;
  std::unique_ptr<TMainForm> form;

  // A main window whose program directory holds `helpBytes` as its help file (none when null).
  std::unique_ptr<THelpForm> MakeHelp(const char* helpBytes) {
    if (helpBytes) dir.Write("Telvoran.hlp", helpBytes);
    form =
        std::make_unique<TMainForm>(strings, dialogs, QString::fromStdString(dir.Path().string()));
    return std::make_unique<THelpForm>(*form);
  }
};

TEST_F(HelpWindow, TakesItsTextsFromTheLibraryAndShowsRichText) {
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

TEST_F(HelpWindow, ShowsAPlainTextFileAsPlainText) {
  auto help = MakeHelp("Pomoc programu\r\nWiersz \xB9\xE6");
  EXPECT_EQ(help->RichEdit->toPlainText(), QString::fromUtf8("Pomoc programu\nWiersz ąć"));
}

TEST_F(HelpWindow, MissingHelpFileBeepsAndSaysSoAndLeavesTheTextEmpty) {
  auto help = MakeHelp(nullptr);
  EXPECT_EQ(dialogs.asked, (QStringList{"beep", "message:Telvoran|S183"}));
  EXPECT_TRUE(help->RichEdit->document()->isEmpty());
}

TEST_F(HelpWindow, UnreadableHelpFileGivesThePlatformsWordsForTheError) {
  std::filesystem::create_directory(dir / "Telvoran.hlp");
  auto help = MakeHelp(nullptr);
  ASSERT_EQ(dialogs.asked.size(), 1);
  EXPECT_TRUE(dialogs.asked[0].startsWith("error:Telvoran|")) << dialogs.asked[0].toStdString();
  EXPECT_TRUE(help->RichEdit->document()->isEmpty());
}

TEST_F(HelpWindow, EmptyOrBinaryHelpFilesLoadWithoutAWord) {
  auto empty = MakeHelp("");
  EXPECT_TRUE(empty->RichEdit->document()->isEmpty());
  std::string binary;
  for (int i = 0; i < 65536; ++i) binary += static_cast<char>((i * 7919) & 0xFF);
  dir.Write("Telvoran.hlp", binary);
  THelpForm help(*form);
  EXPECT_FALSE(help.RichEdit->document()->isEmpty());
  EXPECT_TRUE(dialogs.asked.isEmpty());
}

TEST_F(HelpWindow, FiftyMegabytesOfRichTextLoadWhole) {
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
  form = std::make_unique<TMainForm>(strings, dialogs, QString::fromStdString(dir.Path().string()));
  THelpForm help(*form);
  const QTextDocument& document = *help.RichEdit->document();
  EXPECT_EQ(document.blockCount(), paragraphs + 1);
  EXPECT_EQ(document.lastBlock().text(), "Koniec");
  EXPECT_TRUE(dialogs.asked.isEmpty());
}

TEST_F(HelpWindow, ClosingOnlyHidesIt) {
  auto help = MakeHelp("text");
  help->show();
  EXPECT_TRUE(help->close());
  EXPECT_TRUE(help->isHidden());
  form->SetHelpWindow(help.get());
  form->HelpContentsClick();
  EXPECT_TRUE(help->isVisible());
  EXPECT_EQ(help->RichEdit->toPlainText(), "text");
}

TEST_F(HelpWindow, ContextMenuOverTheTextOffersPrinting) {
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

TEST_F(HelpWindow, PrintsEveryParagraphOnNumberedPagesWithTheHeadingOnTheFirst) {
  QString text = "{\\rtf1\\ansi ";
  for (int line = 1; line <= 150; ++line) text += QString("Linia %1\\par ").arg(line);
  auto help = MakeHelp((text + "}").toLatin1().constData());
  const QString pdf = QString::fromStdString((dir / "help.pdf").string());
  form->Printer().setOutputFormat(QPrinter::PdfFormat);
  form->Printer().setOutputFileName(pdf);

  dialogs.printAnswers = {false};
  help->PrintPopUpClick();
  EXPECT_FALSE(QFile::exists(pdf)) << "cancelled";

  dialogs.printAnswers = {true};
  help->PrintPopUpClick();
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

TEST(AboutBox, TakesItsTextsFromTheLibrary) {
  test::FakeStrings strings = test::NumberedStrings();
  ScriptedDialogs dialogs;
  TMainForm form(strings, dialogs, "/");
  TAboutBox about(form);
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
