#include "app/dialogs/QtDialogs.h"

#include <QDateTimeEdit>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>

#include "app/RecentFiles.h"
#include "app/dialogs/DialogTexts.h"
#include "app/dialogs/PrinterSetupDialog.h"
#include "app/platform/Beep.h"

namespace telvoran {
namespace {

// A save dialog that puts each name the user confirms to `acceptName` and stays open while
// the answer is no. Qt's own overwrite question is off: the caller asks its own.
class ConfirmingSaveDialog : public QFileDialog {
 public:
  ConfirmingSaveDialog(QWidget* parent, const QString& title,
                       const std::function<bool(const QString&)>& acceptName)
      : QFileDialog(parent, title), acceptName_(acceptName) {}

  void done(int result) override {
    if (result == QDialog::Accepted && !acceptName_(selectedFiles().value(0))) return;
    QFileDialog::done(result);
  }

 private:
  const std::function<bool(const QString&)>& acceptName_;
};

// Each Qt filter carries its patterns in brackets for the dialog to match with; the dialog
// hides them, so the user reads the descriptions exactly as the program gives them.
void SetFilter(QFileDialog& dialog, const QString& filter, int filterIndex) {
  const QStringList nameFilters = NameFiltersFromPairs(filter);
  dialog.setOption(QFileDialog::HideNameFilterDetails);
  dialog.setNameFilters(nameFilters);
  if (filterIndex >= 1 && filterIndex <= nameFilters.size())
    dialog.selectNameFilter(nameFilters[filterIndex - 1]);
}

bool ShowBox(QWidget* parent, QMessageBox::Icon icon, const QString& caption, const QString& text,
             QMessageBox::StandardButtons buttons, QMessageBox::StandardButton defaultButton) {
  QMessageBox box(icon, caption, WithLineBreaks(text), buttons, parent);
  box.setTextFormat(Qt::PlainText);
  box.setDefaultButton(defaultButton);
  return box.exec() == defaultButton;
}

}  // namespace

QString QtDialogs::StartFolder() const {
  if (!lastFolder_.isEmpty()) return lastFolder_;
  const QString recent = RecentFiles().Files().value(0);
  return recent.isEmpty() ? QString() : QFileInfo(recent).absolutePath();
}

void QtDialogs::Remember(const QString& chosen) {
  if (!chosen.isEmpty()) lastFolder_ = QFileInfo(chosen).absolutePath();
}

std::optional<QString> QtDialogs::FolderName(QWidget* parent, const QString& title) {
  QFileDialog dialog(parent, title);
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setFileMode(QFileDialog::Directory);
  dialog.setOption(QFileDialog::ShowDirsOnly);
  if (const QString folder = StartFolder(); !folder.isEmpty()) dialog.setDirectory(folder);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.selectedFiles().value(0);
}

std::optional<QString> QtDialogs::OpenFileName(QWidget* parent, const QString& title,
                                               const QString& filter, int filterIndex) {
  QFileDialog dialog(parent, title);
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  // A typed name that does not exist is returned too: the open command reports it.
  dialog.setFileMode(QFileDialog::AnyFile);
  SetFilter(dialog, filter, filterIndex);
  if (const QString folder = StartFolder(); !folder.isEmpty()) dialog.setDirectory(folder);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  Remember(dialog.selectedFiles().value(0));
  return dialog.selectedFiles().value(0);
}

std::optional<SaveChoice> QtDialogs::SaveFileName(
    QWidget* parent, const QString& title, const QString& filter, const QString& defaultSuffix,
    const std::function<bool(const QString& path)>& acceptName) {
  ConfirmingSaveDialog dialog(parent, title, acceptName);
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setOption(QFileDialog::DontConfirmOverwrite);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setDefaultSuffix(defaultSuffix);
  SetFilter(dialog, filter, 1);
  if (const QString folder = StartFolder(); !folder.isEmpty()) dialog.setDirectory(folder);
  // A name typed without extension takes the one of the file type chosen.
  QObject::connect(
      &dialog, &QFileDialog::filterSelected, &dialog, [&dialog](const QString& chosen) {
        const int index = NameFilterIndex(dialog.nameFilters(), chosen);
        if (const QString suffix = SuffixOfNameFilter(dialog.nameFilters().value(index - 1));
            !suffix.isEmpty())
          dialog.setDefaultSuffix(suffix);
      });
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  Remember(dialog.selectedFiles().value(0));
  return SaveChoice{dialog.selectedFiles().value(0),
                    NameFilterIndex(dialog.nameFilters(), dialog.selectedNameFilter())};
}

// The dialog offers what printing carries out: all pages or a range, copies and their collation,
// the page order; no selection and no current page, which a printout of numbered pages lacks.
// Every job starts from all pages, as a range chosen for one job rarely suits the next.
bool QtDialogs::PrintDialog(QWidget* parent, QPrinter& printer) {
  printer.setPrintRange(QPrinter::AllPages);
  printer.setPageRanges({});
  QPrintDialog dialog(&printer, parent);
  dialog.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintPageRange |
                    QAbstractPrintDialog::PrintCollateCopies |
                    QAbstractPrintDialog::PrintShowPageSize);
  return dialog.exec() == QDialog::Accepted;
}

void QtDialogs::PrintSetupDialog(QWidget* parent, QPrinter& printer,
                                 const PrinterSetupTexts& texts) {
  telvoran::PrinterSetupDialog dialog(printer, texts, parent);
  if (dialog.exec() == QDialog::Accepted) dialog.ApplyTo(printer);
}

// A small dialog of one date and time field, in seconds; the archives' clock has no zone, so
// the field runs in UTC and no daylight saving hour is skipped or doubled.
std::optional<QDateTime> QtDialogs::DateTime(QWidget* parent, const QString& title,
                                             const QString& label, const QDateTime& initial) {
  QDialog dialog(parent);
  dialog.setWindowTitle(title);
  auto* field = new QDateTimeEdit(&dialog);
  field->setTimeSpec(Qt::UTC);
  field->setDisplayFormat("yyyy-MM-dd HH:mm:ss");
  field->setCalendarPopup(true);
  field->setDateTimeRange(QDateTime(QDate(2000, 1, 1), QTime(0, 0), Qt::UTC),
                          QDateTime(QDate(2099, 12, 31), QTime(23, 59, 59), Qt::UTC));
  field->setDateTime(initial);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
  QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
  auto* form = new QFormLayout(&dialog);
  form->addRow(label, field);
  form->addRow(buttons);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return field->dateTime();
}

void QtDialogs::Message(QWidget* parent, const QString& caption, const QString& text) {
  ShowBox(parent, QMessageBox::NoIcon, caption, text, QMessageBox::Ok, QMessageBox::Ok);
}

bool QtDialogs::YesNo(QWidget* parent, const QString& caption, const QString& text) {
  return ShowBox(parent, QMessageBox::NoIcon, caption, text, QMessageBox::Yes | QMessageBox::No,
                 QMessageBox::Yes);
}

void QtDialogs::Error(QWidget* parent, const QString& caption, const QString& text) {
  ShowBox(parent, QMessageBox::Critical, caption, text, QMessageBox::Ok, QMessageBox::Ok);
}

void QtDialogs::Beep() {
  platform::Beep();
}

}  // namespace telvoran
