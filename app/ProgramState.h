#pragma once

#include <QPrinter>
#include <QString>

#include "app/RecentFiles.h"
#include "app/dialogs/DialogReporter.h"
#include "core/archive/FailureReporter.h"

class QWidget;

namespace telvoran {

class StringLookup;
class UserDialogs;

// What the windows and commands of the program share: the string library, the dialogs, the
// failure reporter, the printer, the program directory (with its trailing separator), the copy
// of the application title and the archives opened last. Each view reads its archive through a
// document of its own.
class ProgramState {
 public:
  // Failures are reported in message boxes over `dialogParent`.
  ProgramState(const StringLookup& strings, UserDialogs& dialogs, const QString& programDirectory,
               QWidget* dialogParent);
  ProgramState(const ProgramState&) = delete;
  ProgramState& operator=(const ProgramState&) = delete;

  const StringLookup& Strings() const { return strings_; }
  UserDialogs& Dialogs() { return dialogs_; }
  FailureReporter& Reporter() { return reporter_; }
  QPrinter& Printer() { return printer_; }
  const QString& ProgramDirectory() const { return programDirectory_; }
  const QString& TitleCopy() const { return titleCopy_; }
  RecentFiles& RecentlyOpened() { return recentFiles_; }

  // A library text in Unicode.
  QString Text(int id) const;

 private:
  const StringLookup& strings_;
  UserDialogs& dialogs_;
  DialogReporter reporter_;
  QPrinter printer_;
  QString programDirectory_;
  QString titleCopy_;
  RecentFiles recentFiles_;
};

}  // namespace telvoran
