// Qt's own texts speak the language of the string library.
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>

#include <gtest/gtest.h>

#include "app/QtTranslations.h"
#include "app/StartUp.h"
#include "core/text/LanguageNames.h"
#include "support/ScriptedDialogs.h"

namespace telvoran {
namespace {

QString CancelButtonText() {
  QDialogButtonBox buttons(QDialogButtonBox::Cancel);
  return buttons.button(QDialogButtonBox::Cancel)->text();
}

TEST(QtLanguage, PolishLibraryMakesQtsButtonsPolishWhileItLives) {
  ASSERT_EQ(CancelButtonText(), "Cancel");
  {
    const QtLanguage polish(kPolishLanguageId);
    ASSERT_TRUE(polish.Translated()) << "qt6-translations-l10n is not installed";
    EXPECT_EQ(CancelButtonText(), "Anuluj");
    EXPECT_EQ(QLocale().language(), QLocale::Polish);
  }
  EXPECT_EQ(CancelButtonText(), "Cancel");
  EXPECT_NE(QLocale().language(), QLocale::Polish);
}

// Qt's Polish translations leave the print dialog's "Pages" in English; the library's word fills
// in.
TEST(QtLanguage, TheLibraryFillsTheGapsOfQtsTranslations) {
  QPrinter printer;
  printer.setOutputFormat(QPrinter::PdfFormat);
  {
    const QtLanguage polish(kPolishLanguageId, "Strony");
    const QPrintDialog dialog(&printer);
    const auto* pages = dialog.findChild<QRadioButton*>("pagesRadioButton");
    ASSERT_NE(pages, nullptr);
    EXPECT_EQ(pages->text(), "Strony");
  }
  const QPrintDialog dialog(&printer);
  EXPECT_EQ(dialog.findChild<QRadioButton*>("pagesRadioButton")->text(), "Pages");
}

TEST(QtLanguage, NeutralLibraryCountsAsPolishAndEnglishStaysEnglish) {
  {
    const QtLanguage neutral(0x0000);
    EXPECT_EQ(CancelButtonText(), "Anuluj");
  }
  {
    const QtLanguage english(kEnglishLanguageId);
    EXPECT_EQ(CancelButtonText(), "Cancel");
  }
  {
    const QtLanguage unknown(0x0077);
    EXPECT_FALSE(unknown.Translated());
    EXPECT_EQ(CancelButtonText(), "Cancel");
  }
}

TEST(QtLanguage, LocaleFollowsTheLanguageId) {
  EXPECT_EQ(LocaleOfLanguage(0x0415).language(), QLocale::Polish);
  EXPECT_EQ(LocaleOfLanguage(0x0000).language(), QLocale::Polish);
  EXPECT_EQ(LocaleOfLanguage(0x0409).language(), QLocale::English);
  EXPECT_EQ(LocaleOfLanguage(0x0416).territory(), QLocale::Brazil);
  EXPECT_EQ(LocaleOfLanguage(0x0077), QLocale::c());
}

}  // namespace
}  // namespace telvoran
