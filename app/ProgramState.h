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
// The printer to use when it is asked for: the system's default of the moment while the printer
// in use is still the default it was last set to (`followed`); else the printer in use, which
// the user chose. An empty `systemDefault` (none is set now) keeps the printer in use.
QString PrinterToUse(const QString& inUse, const QString& followed, const QString& systemDefault);

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
  // The printer of every printout. Until the user chooses another printer in the print set-up,
  // it is the system's default printer at the moment it is asked for, so that a queue made the
  // default while the program runs is the one offered and used.
  QPrinter& Printer();
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
  QString followedDefault_;  // the system's default the printer was last set to; empty once chosen
  QString programDirectory_;
  QString titleCopy_;
  RecentFiles recentFiles_;
};

}  // namespace telvoran
