#pragma once

#include <QString>
#include <QStringList>

#include <memory>
#include <string_view>

#include "app/GivenFiles.h"
#include "app/QtTranslations.h"
#include "app/handover/HandOverServer.h"
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
// hand-over before the windows it opens files in, the windows before the texts they show, the
// about box before the main window it belongs to.
struct RunningProgram {
  std::unique_ptr<StringLookup> strings;
  std::unique_ptr<QtLanguage> qtLanguage;
  std::unique_ptr<MainWindow> mainWindow;
  std::unique_ptr<HelpWindow> helpWindow;
  std::unique_ptr<AboutBox> aboutBox;
  std::unique_ptr<GivenFiles> givenFiles;
  std::unique_ptr<handover::HandOverServer> handOver;
};

// Start-up once the application object exists: loads the string library from the folder of
// `programFilePath` and Qt's own texts in its language, claims the single-instance guard
// `guardName`, sets the application title, makes and shows the windows and starts taking files
// from later copies; the archives `files` open once the message loop runs. Null when the
// program ends early: the library could not be loaded, or another copy runs. A copy given files
// hands them to the running one and ends silently; without files, or when the running copy does
// not take them within the hand-over limit, it says that another copy runs.
std::unique_ptr<RunningProgram> StartTelvoran(
    const QString& programFilePath, UserDialogs& dialogs,
    std::string_view guardName = platform::kSingleInstanceName, const QStringList& files = {});

// The program's own file with every link on the way resolved: its folder holds the string
// library and the help file however the program was started.
QString ProgramFilePath();

// The files named on the command line (Qt's own options already taken out), made absolute and
// without empty arguments, which name no file.
QStringList FilesOfCommandLine(const QStringList& arguments);

// The whole run: application object, start-up, message loop. Always exit code 0.
int RunTelvoran(int& argc, char** argv, UserDialogs& dialogs);

}  // namespace telvoran
