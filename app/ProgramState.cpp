#include "app/ProgramState.h"

#include <QDir>
#include <QGuiApplication>

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
      titleCopy_(QGuiApplication::applicationDisplayName()) {}

QString ProgramState::Text(int id) const {
  return FromCp1250(strings_.Text(id));
}

}  // namespace telvoran
