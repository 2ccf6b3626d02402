// The real dialogs, answered by code as soon as each one is up: no test waits for a person.
#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

#include <filesystem>

#include "app/ProgramState.h"
#include "app/dialogs/PrinterSetupDialog.h"
#include "app/dialogs/QtDialogs.h"
#include "support/TempDir.h"

namespace telvoran {
namespace {

// Runs `answer` on the dialog of type T once the event loop of its exec() has started.
template <typename Dialog>
void AnswerWhenShown(std::function<void(Dialog&)> answer) {
  QTimer::singleShot(0, [answer] {
    for (QWidget* window : QApplication::topLevelWidgets())
      if (auto* dialog = qobject_cast<Dialog*>(window); dialog && dialog->isVisible())
        return answer(*dialog);
    ADD_FAILURE() << "no dialog is up";
  });
}

// What the dialog's confirming button does, reached through QDialog where it is public.
void Confirm(QDialog& dialog) {
  dialog.accept();
}

QStringList ComboTexts(const QComboBox& combo) {
  QStringList texts;
  for (int i = 0; i < combo.count(); ++i) texts << combo.itemText(i);
  return texts;
}

class Dialogs : public ::testing::Test {
 protected:
  QtDialogs dialogs;
  test::TempDir dir;
  QString Path(const char* name) const { return QString::fromStdString((dir / name).string()); }
};

TEST_F(Dialogs, OpenShowsTheDescriptionsPreselectsTheEntryAndTakesATypedName) {
  AnswerWhenShown<QFileDialog>([this](QFileDialog& dialog) {
    EXPECT_EQ(dialog.windowTitle(), "Open data file");
    const auto* types = dialog.findChild<QComboBox*>("fileTypeCombo");
    EXPECT_EQ(ComboTexts(*types), QStringList({"Interval", "Event", "Both"}));
    EXPECT_EQ(types->currentIndex(), 2);
    dialog.selectFile(Path("not-there.czt"));
    Confirm(dialog);
  });
  EXPECT_EQ(dialogs.OpenFileName(nullptr, "Open data file",
                                 "Interval|*.czt|Event|*.zdr|Both|*.czt; *.zdr", 3),
            Path("not-there.czt"));

  AnswerWhenShown<QFileDialog>([](QFileDialog& dialog) { dialog.reject(); });
  EXPECT_EQ(dialogs.OpenFileName(nullptr, "Open", "Interval|*.czt", 1), std::nullopt);
}

TEST_F(Dialogs, SaveStaysOpenWhileTheNameIsRefusedAndAddsTheDefaultSuffix) {
  QStringList asked;
  AnswerWhenShown<QFileDialog>([this](QFileDialog& dialog) {
    dialog.selectFile(Path("refused.txt"));
    Confirm(dialog);
    EXPECT_TRUE(dialog.isVisible());
    dialog.selectFile(Path("report"));
    Confirm(dialog);
  });
  const auto chosen = dialogs.SaveFileName(nullptr, "Save", "Text files|*.txt", "txt",
                                           [&asked](const QString& path) {
                                             asked << path;
                                             return !path.endsWith("refused.txt");
                                           });
  EXPECT_EQ(asked, QStringList({Path("refused.txt"), Path("report.txt")}));
  ASSERT_TRUE(chosen);
  EXPECT_EQ(chosen->fileName, Path("report.txt"));
  EXPECT_EQ(chosen->filterIndex, 1);
}

// The file type chosen comes back with the name, and a name typed without extension takes the
// extension of that type.
TEST_F(Dialogs, SaveTellsTheChosenTypeAndGivesItsExtension) {
  for (int type : {2, 1}) {
    AnswerWhenShown<QFileDialog>([this, type](QFileDialog& dialog) {
      auto* types = dialog.findChild<QComboBox*>("fileTypeCombo");
      EXPECT_EQ(ComboTexts(*types), QStringList({"Text files", "CSV"}));
      EXPECT_EQ(types->currentIndex(), 0);
      // As the user's choice in the list: the index changes, then the list says so.
      types->setCurrentIndex(type - 1);
      emit types->activated(type - 1);
      emit types->textActivated(types->currentText());
      dialog.selectFile(Path("data"));
      Confirm(dialog);
    });
    const auto chosen = dialogs.SaveFileName(nullptr, "Save", "Text files|*.txt|CSV|*.csv", "txt",
                                             [](const QString&) { return true; });
    ASSERT_TRUE(chosen);
    EXPECT_EQ(chosen->filterIndex, type);
    EXPECT_EQ(chosen->fileName, Path(type == 2 ? "data.csv" : "data.txt"));
  }
}

// Each open or save dialog starts in the folder of the file chosen last in either of them.
TEST_F(Dialogs, OpenAndSaveStartInTheFolderUsedLast) {
  std::filesystem::create_directories(dir / "archives");
  std::filesystem::create_directories(dir / "reports");
  AnswerWhenShown<QFileDialog>([this](QFileDialog& dialog) {
    dialog.selectFile(Path("archives/a.czt"));
    Confirm(dialog);
  });
  ASSERT_TRUE(dialogs.OpenFileName(nullptr, "Open", "Interval|*.czt", 1));

  auto saveIn = [this](const char* name) {
    AnswerWhenShown<QFileDialog>([this, name](QFileDialog& dialog) {
      EXPECT_EQ(dialog.directory().absolutePath(), Path("archives"));
      dialog.selectFile(Path(name));
      Confirm(dialog);
    });
    return dialogs.SaveFileName(nullptr, "Save", "Text files|*.txt", "txt",
                                [](const QString&) { return true; });
  };
  ASSERT_TRUE(saveIn("reports/r.txt"));
  AnswerWhenShown<QFileDialog>([this](QFileDialog& dialog) {
    EXPECT_EQ(dialog.directory().absolutePath(), Path("reports"));
    dialog.reject();
  });
  EXPECT_EQ(dialogs.OpenFileName(nullptr, "Open", "Interval|*.czt", 1), std::nullopt);
}

TEST_F(Dialogs, MessageBoxesShowTheirCaptionIconButtonsAndLineBreaks) {
  AnswerWhenShown<QMessageBox>([](QMessageBox& box) {
    EXPECT_EQ(box.windowTitle(), "Telvoran");
    EXPECT_EQ(box.icon(), QMessageBox::NoIcon);
    EXPECT_EQ(box.text(), "first\nsecond");
    EXPECT_EQ(box.buttons().size(), 1);
    box.button(QMessageBox::Ok)->click();
  });
  dialogs.Message(nullptr, "Telvoran", "first\rsecond");

  AnswerWhenShown<QMessageBox>([](QMessageBox& box) {
    EXPECT_EQ(box.icon(), QMessageBox::Critical);
    box.button(QMessageBox::Ok)->click();
  });
  dialogs.Error(nullptr, "Error", "text");

  AnswerWhenShown<QMessageBox>([](QMessageBox& box) {
    EXPECT_EQ(box.icon(), QMessageBox::NoIcon);
    EXPECT_EQ(box.defaultButton(), box.button(QMessageBox::Yes));
    box.button(QMessageBox::No)->click();
  });
  EXPECT_FALSE(dialogs.YesNo(nullptr, "Telvoran", "Replace?"));

  AnswerWhenShown<QMessageBox>([](QMessageBox& box) { box.defaultButton()->click(); });
  EXPECT_TRUE(dialogs.YesNo(nullptr, "Telvoran", "Replace?"));
}

TEST_F(Dialogs, PrintDialogOffersWhatPrintingHonoursAndStartsFromAllPages) {
  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setPrintRange(QPrinter::PageRange);
  printer.setFromTo(2, 3);
  AnswerWhenShown<QPrintDialog>([](QPrintDialog& dialog) {
    EXPECT_TRUE(dialog.testOption(QAbstractPrintDialog::PrintPageRange));
    EXPECT_TRUE(dialog.testOption(QAbstractPrintDialog::PrintCollateCopies));
    EXPECT_TRUE(dialog.testOption(QAbstractPrintDialog::PrintToFile));
    EXPECT_FALSE(dialog.testOption(QAbstractPrintDialog::PrintSelection));
    EXPECT_FALSE(dialog.testOption(QAbstractPrintDialog::PrintCurrentPage));
    EXPECT_EQ(dialog.printRange(), QAbstractPrintDialog::AllPages);
    dialog.reject();
  });
  EXPECT_FALSE(dialogs.PrintDialog(nullptr, printer));
}

const PrinterSetupTexts kSetupTexts{
    "Print setup", "&Printer:", "&Paper:", "&Orientation:", "Portrait", "Landscape", "PDF file"};

TEST_F(Dialogs, PrinterSetUpChoosesPrinterPaperAndOrientationOnlyWhenConfirmed) {
  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setPageSize(QPageSize(QPageSize::A4));
  printer.setPageOrientation(QPageLayout::Portrait);
  // Qt's own page set-up complained on the PDF printer; this dialog has nothing to complain of.
  static QStringList warnings;
  warnings.clear();
  const QtMessageHandler previous =
      qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
        if (type != QtDebugMsg && text.contains("printer", Qt::CaseInsensitive)) warnings << text;
      });

  AnswerWhenShown<PrinterSetupDialog>([](PrinterSetupDialog& dialog) {
    EXPECT_EQ(dialog.windowTitle(), "Print setup");
    EXPECT_EQ(dialog.Printers->currentText(), "PDF file");
    EXPECT_EQ(dialog.Printers->itemText(dialog.Printers->count() - 1), "PDF file");
    EXPECT_EQ(dialog.PaperSizes->currentText(), QPageSize(QPageSize::A4).name());
    EXPECT_EQ(ComboTexts(*dialog.Orientations), QStringList({"Portrait", "Landscape"}));
    EXPECT_EQ(dialog.Orientations->currentIndex(), 0);
    dialog.PaperSizes->setCurrentIndex(
        dialog.PaperSizes->findText(QPageSize(QPageSize::A5).name()));
    dialog.Orientations->setCurrentIndex(1);
    dialog.accept();
  });
  dialogs.PrintSetupDialog(nullptr, printer, kSetupTexts);
  EXPECT_EQ(printer.outputFormat(), QPrinter::PdfFormat);
  EXPECT_EQ(printer.pageLayout().pageSize().id(), QPageSize::A5);
  EXPECT_EQ(printer.pageLayout().orientation(), QPageLayout::Landscape);

  AnswerWhenShown<PrinterSetupDialog>([](PrinterSetupDialog& dialog) {
    EXPECT_EQ(dialog.PaperSizes->currentText(), QPageSize(QPageSize::A5).name());
    dialog.PaperSizes->setCurrentIndex(0);
    dialog.Orientations->setCurrentIndex(0);
    dialog.reject();
  });
  dialogs.PrintSetupDialog(nullptr, printer, kSetupTexts);
  EXPECT_EQ(printer.pageLayout().pageSize().id(), QPageSize::A5);
  EXPECT_EQ(printer.pageLayout().orientation(), QPageLayout::Landscape);

  qInstallMessageHandler(previous);
  EXPECT_TRUE(warnings.isEmpty()) << warnings.join("; ").toStdString();
}

// The printer follows the system's default until the user chooses another in the print set-up.
TEST(PrinterToUse, FollowsTheSystemDefaultUntilTheUserChoosesAnother) {
  const struct {
    const char* inUse;
    const char* followed;
    const char* systemDefault;
    const char* use;
  } cases[] = {
      {"A", "A", "A", "A"},  // the default as at start
      {"A", "A", "B", "B"},  // B made the default since: offered and used
      {"C", "A", "B", "C"},  // the user chose C: kept
      {"A", "A", "", "A"},   // no default now: kept
  };
  for (const auto& c : cases)
    EXPECT_EQ(PrinterToUse(c.inUse, c.followed, c.systemDefault), c.use)
        << c.inUse << c.systemDefault;
}

TEST(PrinterSetupDialog, ListsEveryPrinterOfTheSystemBeforeThePdfFile) {
  QPrinter printer;
  PrinterSetupDialog dialog(printer, kSetupTexts);
  EXPECT_EQ(dialog.Printers->count(), QPrinterInfo::availablePrinterNames().size() + 1);
  EXPECT_EQ(dialog.Printers->itemData(dialog.Printers->count() - 1).toString(), "");
  EXPECT_GT(dialog.PaperSizes->count(), 1);
}

}  // namespace
}  // namespace telvoran
