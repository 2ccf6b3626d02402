#include "app/ProgramState.h"

#include <QDir>
#include <QGuiApplication>
#include <QPrinterInfo>

#include "app/QtText.h"
#include "core/text/StringLookup.h"

namespace telvoran {
namespace {

QString WithTrailingSeparator(QString directory) {
  directory = QDir::fromNativeSeparators(directory);
  if (!directory.isEmpty() && !directory.endsWith(u'/')) directory += u'/';
  return directory;
}

}  // namespace

ProgramState::ProgramState(const StringLookup& strings, UserDialogs& dialogs,
                           const QString& programDirectory, QWidget* dialogParent)
    : strings_(strings),
      dialogs_(dialogs),
      reporter_(dialogs, dialogParent),
      printer_(QPrinter::HighResolution),
      programDirectory_(WithTrailingSeparator(programDirectory)),
      titleCopy_(QGuiApplication::applicationDisplayName()) {
  if (printer_.outputFormat() == QPrinter::NativeFormat) followedDefault_ = printer_.printerName();
}

QString PrinterToUse(const QString& inUse, const QString& followed, const QString& systemDefault) {
  if (inUse != followed || systemDefault.isEmpty()) return inUse;
  return systemDefault;
}

QPrinter& ProgramState::Printer() {
  if (followedDefault_.isEmpty()) return printer_;
  if (printer_.outputFormat() != QPrinter::NativeFormat) {
    followedDefault_.clear();  // the user chose a PDF file
    return printer_;
  }
  const QString use =
      PrinterToUse(printer_.printerName(), followedDefault_, QPrinterInfo::defaultPrinterName());
  if (use != printer_.printerName()) {
    printer_.setPrinterName(use);
    followedDefault_ = use;
  } else if (use != followedDefault_) {
    followedDefault_.clear();  // the user chose another printer
  }
  return printer_;
}

QString ProgramState::Text(int id) const {
  return FromCp1250(strings_.Text(id));
}

}  // namespace telvoran
