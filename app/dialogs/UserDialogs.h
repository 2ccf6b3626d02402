#pragma once

#include <QDateTime>
#include <QString>

#include <functional>
#include <optional>

class QPrinter;
class QWidget;

namespace telvoran {

// The words of the printer set-up dialog, from the string library.
struct PrinterSetupTexts {
  QString title;
  QString printer;      // the label of the printer list
  QString paper;        // the label of the paper sizes
  QString orientation;  // the label of the orientations
  QString portrait;
  QString landscape;
  QString pdfFile;  // the printer that writes a PDF file
};

// The name confirmed in a save dialog and the file type (the filter entry, from 1) chosen with it.
struct SaveChoice {
  QString fileName;
  int filterIndex = 1;
};

// Every modal dialog and message box of the program goes through here, so that tests can
// answer them from a script. Texts are Unicode; captions of message boxes are given.
class UserDialogs {
 public:
  virtual ~UserDialogs() = default;

  // The open dialog. `filter` holds pairs "description|patterns|description|patterns" with
  // patterns separated by "; "; `filterIndex` (from 1) picks the entry shown first. The chosen
  // full path, or nothing when the user cancels.
  virtual std::optional<QString> OpenFileName(QWidget* parent, const QString& title,
                                              const QString& filter, int filterIndex) = 0;

  // The folder dialog: an existing folder's full path, or nothing when the user cancels.
  virtual std::optional<QString> FolderName(QWidget* parent, const QString& title) = 0;

  // The save dialog, showing the first entry of `filter` (pairs as in the open dialog). A name
  // typed without extension receives `defaultSuffix`, or the extension of the entry the user
  // chose instead; each name the user confirms is put to `acceptName`, and the dialog stays
  // open while it says no. Nothing when the user cancels.
  virtual std::optional<SaveChoice> SaveFileName(
      QWidget* parent, const QString& title, const QString& filter, const QString& defaultSuffix,
      const std::function<bool(const QString& path)>& acceptName) = 0;

  // The print dialog: true when the user confirms; the printer then holds the choices (page
  // range, copies, collation, order).
  virtual bool PrintDialog(QWidget* parent, QPrinter& printer) = 0;
  // The printer set-up dialog, in which the user chooses the printer (or a PDF file) and the
  // paper; the choices stay on the printer for later jobs, unless the user cancels.
  virtual void PrintSetupDialog(QWidget* parent, QPrinter& printer,
                                const PrinterSetupTexts& texts) = 0;

  // A date and time asked for: a field labelled `label` that starts at `initial`, in the
  // archives' own clock (UTC, no zone). The moment confirmed, or nothing when the user cancels.
  virtual std::optional<QDateTime> DateTime(QWidget* parent, const QString& title,
                                            const QString& label, const QDateTime& initial) = 0;

  // A plain message box: no icon, one OK button.
  virtual void Message(QWidget* parent, const QString& caption, const QString& text) = 0;
  // A question with Yes and No, Yes the default; true for Yes.
  virtual bool YesNo(QWidget* parent, const QString& caption, const QString& text) = 0;
  // An error box with the error icon and one OK button.
  virtual void Error(QWidget* parent, const QString& caption, const QString& text) = 0;
  // The platform's default message sound.
  virtual void Beep() = 0;
};

}  // namespace telvoran
