#include "app/StartUp.h"

#include <QApplication>
#include <QFileInfo>
#include <QIcon>
#include <QTimer>

#include "app/ApplicationTitle.h"
#include "app/QtText.h"
#include "app/WindowPlace.h"
#include "app/dialogs/UserDialogs.h"
#include "app/handover/HandOverClient.h"
#include "app/platform/HandOverName.h"
#include "core/text/StringIds.h"
#include "core/text/StringLibrary.h"

namespace telvoran {
namespace {

// Opens the given files once the message loop runs and the main window is on the screen, and
// those that later copies hand over from then on.
void TakeFiles(RunningProgram& program, const QStringList& files, std::string_view guardName) {
  MainWindow& mainWindow = *program.mainWindow;
  program.givenFiles = std::make_unique<GivenFiles>(mainWindow.State(), *mainWindow.MdiArea());
  GivenFiles& givenFiles = *program.givenFiles;
  if (!files.isEmpty())
    QTimer::singleShot(0, &givenFiles, [&givenFiles, files] { givenFiles.Open(files); });

  program.handOver = std::make_unique<handover::HandOverServer>();
  QObject::connect(program.handOver.get(), &handover::HandOverServer::FilesHandedOver, &givenFiles,
                   [&mainWindow, &givenFiles](const QStringList& handedOver) {
                     BringToFront(mainWindow);
                     givenFiles.Open(handedOver);
                   });
  // Without the socket the program runs on; later copies then say that it runs.
  program.handOver->Listen(platform::HandOverName(guardName));
}

}  // namespace

std::unique_ptr<RunningProgram> StartTelvoran(const QString& programFilePath, UserDialogs& dialogs,
                                              std::string_view guardName,
                                              const QStringList& files) {
  const QString programDirectory = QFileInfo(programFilePath).absolutePath();
  auto program = std::make_unique<RunningProgram>();

  program->strings = LoadStringLibrary(ToFileSystemPath(programDirectory));
  if (!program->strings) {
    dialogs.Error(nullptr, kLibraryFailureCaption, kLibraryFailureText);
    return nullptr;
  }
  // Qt's dialogs and buttons speak the language of the library from the first message on.
  program->qtLanguage = std::make_unique<QtLanguage>(
      program->strings->LanguageId(), FromCp1250(program->strings->Text(sid::kPrintPagesLabel)));

  if (platform::ClaimSingleInstance(guardName) == platform::InstanceClaim::kAnotherCopyRunning) {
    if (!files.isEmpty() &&
        handover::HandOverFiles(platform::HandOverName(guardName), files, handover::kHandOverLimit))
      return nullptr;
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
  RestoreWindowPlace(mainWindow);
  QObject::connect(qApp, &QCoreApplication::aboutToQuit, &mainWindow,
                   [&mainWindow] { KeepWindowPlace(mainWindow); });
  mainWindow.show();
  TakeFiles(*program, files, guardName);
  return program;
}

QString ProgramFilePath() {
  const QString path = QCoreApplication::applicationFilePath();
  const QString resolved = QFileInfo(path).canonicalFilePath();
  return resolved.isEmpty() ? path : resolved;
}

QStringList FilesOfCommandLine(const QStringList& arguments) {
  QStringList files;
  for (const QString& argument : arguments.mid(1))
    if (!argument.isEmpty()) files << QFileInfo(argument).absoluteFilePath();
  return files;
}

int RunTelvoran(int& argc, char** argv, UserDialogs& dialogs) {
  QApplication application(argc, argv);
  QGuiApplication::setDesktopFileName(QStringLiteral(TELVORAN_APP_ID));
  const QStringList files = FilesOfCommandLine(QCoreApplication::arguments());
  if (const auto program =
          StartTelvoran(ProgramFilePath(), dialogs, platform::kSingleInstanceName, files))
    QApplication::exec();
  return 0;
}

}  // namespace telvoran
