#include "shell/StartUp.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QIcon>

#include <filesystem>

#include "shell/ApplicationTitle.h"
#include "shell/UserDialogs.h"
#include "text/QtText.h"
#include "text/StringIds.h"
#include "text/StringLibrary.h"

namespace telvoran {
namespace {

std::filesystem::path FileSystemPath(const QString& path) {
#ifdef Q_OS_WIN
  return std::filesystem::path(path.toStdWString());
#else
  return std::filesystem::path(QFile::encodeName(path).toStdString());
#endif
}

}  // namespace

std::unique_ptr<RunningProgram> StartTelvoran(const QString& programFilePath, UserDialogs& dialogs,
                                              std::string_view guardName) {
  const QString programDirectory = QFileInfo(programFilePath).absolutePath();
  auto program = std::make_unique<RunningProgram>();

  program->strings = LoadStringLibrary(FileSystemPath(programDirectory));
  if (!program->strings) {
    dialogs.Error(nullptr, kLibraryFailureCaption, kLibraryFailureText);
    return nullptr;
  }

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
  program->mainForm = std::make_unique<TMainForm>(*program->strings, dialogs, programDirectory);
  program->helpForm = std::make_unique<THelpForm>(*program->mainForm);
  program->aboutBox = std::make_unique<TAboutBox>(*program->mainForm);
  program->mainForm->SetHelpWindow(program->helpForm.get());
  program->mainForm->SetAboutBox(program->aboutBox.get());
  QApplication::setWindowIcon(program->mainForm->windowIcon());
  program->mainForm->show();
  return program;
}

int RunTelvoran(int& argc, char** argv, UserDialogs& dialogs) {
  QApplication application(argc, argv);
  if (const auto program = StartTelvoran(QCoreApplication::applicationFilePath(), dialogs))
    QApplication::exec();
  return 0;
}

}  // namespace telvoran
