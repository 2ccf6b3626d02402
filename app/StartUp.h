#pragma once

#include <QString>

#include <memory>
#include <string_view>

#include "app/QtTranslations.h"
#include "app/help/AboutBox.h"
#include "app/help/HelpWindow.h"
#include "app/mainwindow/MainWindow.h"
#include "app/platform/SingleInstance.h"
#include "core/text/StringLookup.h"

namespace telvoran {

class UserDialogs;

// The error text shown when the string library cannot be loaded: built in, since no library
// texts are at hand; a Polish line, a carriage return, its English translation.
inline const QString kLibraryFailureCaption = QStringLiteral("Error");
inline const QString kLibraryFailureText =
    QStringLiteral("Błąd przy wczytywaniu biblioteki DLL!\r[DLL loading error!]");

// What a started program keeps until it ends. Members are destroyed in reverse order: the
// windows before the texts they show, the about box before the main window it belongs to.
struct RunningProgram {
  std::unique_ptr<StringLookup> strings;
  std::unique_ptr<QtLanguage> qtLanguage;
  std::unique_ptr<MainWindow> mainWindow;
  std::unique_ptr<HelpWindow> helpWindow;
  std::unique_ptr<AboutBox> aboutBox;
};

// Start-up once the application object exists: loads the string library from the folder of
// `programFilePath` and Qt's own texts in its language, claims the single-instance guard
// `guardName`, sets the application title and makes and shows the windows. Null when the program
// ends early, after telling the user why: the library could not be loaded, or another copy runs.
std::unique_ptr<RunningProgram> StartTelvoran(
    const QString& programFilePath, UserDialogs& dialogs,
    std::string_view guardName = platform::kSingleInstanceName);

// The whole run: application object, start-up, message loop. Always exit code 0.
int RunTelvoran(int& argc, char** argv, UserDialogs& dialogs);

}  // namespace telvoran
