#include "app/StartUp.h"

#include <QApplication>
#include <QFileInfo>
#include <QIcon>

#include "app/ApplicationTitle.h"
#include "app/QtText.h"
#include "app/dialogs/UserDialogs.h"
#include "core/text/StringIds.h"
#include "core/text/StringLibrary.h"

namespace telvoran {

std::unique_ptr<RunningProgram> StartTelvoran(const QString& programFilePath, UserDialogs& dialogs,
                                              std::string_view guardName) {
  const QString programDirectory = QFileInfo(programFilePath).absolutePath();
  auto program = std::make_unique<RunningProgram>();

  program->strings = LoadStringLibrary(ToFileSystemPath(programDirectory));
  if (!program->strings) {
    dialogs.Error(nullptr, kLibraryFailureCaption, kLibraryFailureText);
    return nullptr;
  }
  // Qt's dialogs and buttons speak the language of the library from the first message on.
  program->qtLanguage = std::make_unique<QtLanguage>(program->strings->LanguageId());

  if (platform::ClaimSingleInstance(guardName) == platform::InstanceClaim::kAnotherCopyRunning) {
    // The title is not set yet, so the box carries the application's default title.
    dialogs.Message(nullptr, DefaultApplicationTitle(programFilePath),
                    FromCp1250(program->strings->Text(sid::kSecondCopy)));
    return nullptr;
  }

  // The name alone is the title: a display name would make the platform append " — Telvoran"
  // to every caption that does not already end with it (the help window, the dialogs).
  QCoreApplication::setApplicationName(kApplicationTitle);
  // The main window comes first: the help window looks in its program directory.
  program->mainWindow = std::make_unique<MainWindow>(*program->strings, dialogs, programDirectory);
  MainWindow& mainWindow = *program->mainWindow;
  program->helpWindow = std::make_unique<HelpWindow>(mainWindow.State());
  program->aboutBox = std::make_unique<AboutBox>(*program->strings, &mainWindow);
  mainWindow.SetHelpWindow(program->helpWindow.get());
  mainWindow.SetAboutBox(program->aboutBox.get());
  QApplication::setWindowIcon(mainWindow.windowIcon());
  mainWindow.show();
  return program;
}

int RunTelvoran(int& argc, char** argv, UserDialogs& dialogs) {
  QApplication application(argc, argv);
  if (const auto program = StartTelvoran(QCoreApplication::applicationFilePath(), dialogs))
    QApplication::exec();
  return 0;
}

}  // namespace telvoran
