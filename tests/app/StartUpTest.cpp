#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTest>

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <random>
#include <utility>

#include "app/QtText.h"
#include "app/StartUp.h"
#include "app/platform/HandOverName.h"
#include "app/platform/SingleInstance.h"
#ifndef _WIN32
#include "app/platform/SessionPlacePosix.h"
#endif
#include "core/text/StringLibrary.h"
#include "support/ScriptedDialogs.h"
#include "support/TempDir.h"

namespace telvoran {
namespace {

using platform::ClaimSingleInstance;
using platform::InstanceClaim;

// A guard name no other test or running copy uses. Guards are held until the process ends.
std::string UniqueGuardName() {
  static std::random_device random;
  return "Telvoran_test_" + std::to_string(random()) + std::to_string(random());
}

// Points the user's runtime folder, where the guard's lock file lies, somewhere of our own.
class ScopedRuntimeDir {
 public:
  explicit ScopedRuntimeDir(const std::filesystem::path& dir) : old_(qgetenv(kName)) {
    qputenv(kName, QFile::encodeName(QString::fromStdString(dir.string())));
  }
  ~ScopedRuntimeDir() {
    if (old_.isNull())
      qunsetenv(kName);
    else
      qputenv(kName, old_);
  }

 private:
  static constexpr const char* kName = "XDG_RUNTIME_DIR";
  QByteArray old_;
};

class StartUp : public ::testing::Test {
 protected:
  // A runtime folder is the user's alone; Qt complains about one that is not.
  StartUp() { std::filesystem::permissions(runtimeDir.Path(), std::filesystem::perms::owner_all); }
  test::TempDir runtimeDir;
  ScopedRuntimeDir scopedRuntimeDir{runtimeDir.Path()};
  test::ScriptedDialogs dialogs;
  const std::string guard = UniqueGuardName();
};
class SingleInstance : public StartUp {};

TEST_F(SingleInstance, OnlyTheFirstClaimOfAGuardSucceeds) {
  EXPECT_EQ(ClaimSingleInstance(guard), InstanceClaim::kFirstCopy);
  EXPECT_EQ(ClaimSingleInstance(guard), InstanceClaim::kAnotherCopyRunning);
  EXPECT_EQ(ClaimSingleInstance(UniqueGuardName()), InstanceClaim::kFirstCopy);
}

#ifndef _WIN32
// The lock file of the POSIX guard.
TEST_F(SingleInstance, ALockFileLeftBehindByAnEndedCopyDoesNotBlock) {
  runtimeDir.Write(guard + ".lock", "");
  EXPECT_EQ(ClaimSingleInstance(guard), InstanceClaim::kFirstCopy);
}

// A runtime folder that cannot be used sends the lock where the hand-over socket goes, Qt's own
// private folder: two copies never both run, the later one handing its files to the other.
TEST_F(SingleInstance, AnUnusableRuntimeFolderPutsTheGuardBesideTheHandOverSocket) {
  ScopedRuntimeDir missing(runtimeDir / "missing" / "folder");
  EXPECT_EQ(ClaimSingleInstance(guard), InstanceClaim::kFirstCopy);
  EXPECT_EQ(ClaimSingleInstance(guard), InstanceClaim::kAnotherCopyRunning);
  const QString socket = platform::HandOverName(guard);
  ASSERT_FALSE(socket.isEmpty());
  const QString lock = QFileInfo(socket).path() + '/' + QString::fromStdString(guard) + ".lock";
  EXPECT_TRUE(QFileInfo::exists(lock)) << lock.toStdString();
  EXPECT_FALSE(std::filesystem::exists(runtimeDir / "missing"));
  QFile::remove(lock);
}

// Copies on two displays are two first copies: the display is part of the names.
TEST(DisplayPart, NamesTheDisplayOfThePlatformInUse) {
  const QByteArray oldX = qgetenv("DISPLAY");
  const QByteArray oldWayland = qgetenv("WAYLAND_DISPLAY");
  const struct {
    const char* platform;
    const char* x;
    const char* wayland;
    const char* part;
  } cases[] = {
      {"xcb", ":71", "", "-71"},
      {"xcb", ":71.0", "", "-71"},
      {"xcb", "host:72.1", "", "-host_72"},
      {"xcb", "", "", ""},
      {"wayland", ":71", "wayland-1", "-wayland-1"},
      {"offscreen", ":71", "wayland-1", ""},
      {"xcb", ":1/../x", "", "-1_"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.platform) + " " + c.x);
    qputenv("DISPLAY", c.x);
    qputenv("WAYLAND_DISPLAY", c.wayland);
    EXPECT_EQ(platform::DisplayPart(c.platform), c.part);
  }
  for (const auto& [name, old] :
       {std::pair{"DISPLAY", oldX}, std::pair{"WAYLAND_DISPLAY", oldWayland}}) {
    if (old.isNull())
      qunsetenv(name);
    else
      qputenv(name, old);
  }
}

TEST_F(SingleInstance, APlantedLinkInPlaceOfTheLockFileIsNotFollowed) {
  std::filesystem::create_symlink(runtimeDir / "target", runtimeDir / (guard + ".lock"));
  EXPECT_EQ(ClaimSingleInstance(guard), InstanceClaim::kFirstCopy);
  EXPECT_FALSE(std::filesystem::exists(runtimeDir / "target"));
}
#endif

TEST_F(StartUp, WithoutTheStringLibraryTheBuiltInErrorShowsAndNothingElseHappens) {
  const QString program = QString::fromStdString((runtimeDir / "telvoran").string());
  EXPECT_EQ(StartTelvoran(program, dialogs, guard), nullptr);
  EXPECT_EQ(
      dialogs.asked,
      QStringList({"error:Error|Błąd przy wczytywaniu biblioteki DLL!\r[DLL loading error!]"}));
  EXPECT_EQ(ToCp1250(kLibraryFailureText).size(), 58u);
  EXPECT_EQ(ClaimSingleInstance(guard), InstanceClaim::kFirstCopy) << "the guard was not taken";
}

TEST_F(StartUp, TheFirstCopyShowsItsWindowsASecondShowsString101UnderTheDefaultTitle) {
  const auto first = StartTelvoran(TELVORAN_BUILD_DIR "/telvoran", dialogs, guard);
  ASSERT_NE(first, nullptr);
  EXPECT_TRUE(dialogs.asked.isEmpty());
  EXPECT_EQ(QCoreApplication::applicationName(), "Telvoran");
  EXPECT_TRUE(first->mainWindow->isVisible());
  EXPECT_EQ(first->mainWindow->State().ProgramDirectory(), TELVORAN_BUILD_DIR "/");
  EXPECT_EQ(first->mainWindow->State().TitleCopy(), "Telvoran");
  EXPECT_FALSE(first->helpWindow->isVisible());
  EXPECT_FALSE(first->aboutBox->isVisible());
  ASSERT_NE(first->qtLanguage, nullptr);
  EXPECT_TRUE(first->qtLanguage->Translated()) << "Qt's texts in the library's language, Polish";

  const auto strings = LoadStringLibrary(TELVORAN_BUILD_DIR);
  EXPECT_EQ(StartTelvoran(TELVORAN_BUILD_DIR "/TELVORAN-Copy.bin", dialogs, guard), nullptr);
  EXPECT_EQ(dialogs.asked, QStringList("message:Telvoran-copy|" + FromCp1250(strings->Text(101))));
}

TEST_F(StartUp, AFirstCopyOpensTheFilesItIsGivenOnceItsMessageLoopRuns) {
  const QString demo = QStringLiteral(TELVORAN_BUILD_DIR "/demo/");
  const auto first = StartTelvoran(TELVORAN_BUILD_DIR "/telvoran", dialogs, guard,
                                   {demo + "2005-03-15_C12.czt", demo + "alarm2009.zdr"});
  ASSERT_NE(first, nullptr);
  QMdiArea& area = *first->mainWindow->MdiArea();
  EXPECT_TRUE(area.subWindowList().isEmpty()) << "opened before the main window was up";
  QTRY_COMPARE(area.subWindowList().size(), 2);
  EXPECT_EQ(area.subWindowList(QMdiArea::CreationOrder)[0]->windowTitle(), "2005-03-15_C12.czt");
  EXPECT_EQ(area.activeSubWindow()->windowTitle(), "alarm2009.zdr");
  EXPECT_TRUE(dialogs.asked.isEmpty());
}

TEST_F(StartUp, ASecondCopyWhoseFilesTheRunningCopyDoesNotTakeInTimeShowsString101) {
  const auto first = StartTelvoran(TELVORAN_BUILD_DIR "/telvoran", dialogs, guard);
  ASSERT_NE(first, nullptr);
  // The running copy is this very thread, busy starting the second: it cannot answer.
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(StartTelvoran(TELVORAN_BUILD_DIR "/telvoran", dialogs, guard,
                          {TELVORAN_BUILD_DIR "/demo/alarm2005.zdr"}),
            nullptr);
  EXPECT_GE(std::chrono::steady_clock::now() - start, handover::kHandOverLimit);
  const auto strings = LoadStringLibrary(TELVORAN_BUILD_DIR);
  EXPECT_EQ(dialogs.asked, QStringList("message:telvoran|" + FromCp1250(strings->Text(101))));

  // When the running copy gets round to the request, the later copy has given up: nothing opens.
  QTest::qWait(300);
  EXPECT_TRUE(first->mainWindow->MdiArea()->subWindowList().isEmpty());
}

TEST(CommandLine, FilesAreMadeAbsoluteAndEmptyArgumentsNameNone) {
  const QStringList files =
      FilesOfCommandLine({"telvoran", "a.czt", "", "/archiwa/b.zdr", "../c.zdr"});
  EXPECT_EQ(files, QStringList({QDir::current().absoluteFilePath("a.czt"), "/archiwa/b.zdr",
                                QDir::cleanPath(QDir::current().absoluteFilePath("../c.zdr"))}));
  EXPECT_TRUE(FilesOfCommandLine({"telvoran"}).isEmpty());
}

}  // namespace
}  // namespace telvoran
