#include <QCoreApplication>
#include <QFile>

#include <gtest/gtest.h>

#include <filesystem>
#include <random>

#include "app/QtText.h"
#include "app/StartUp.h"
#include "app/platform/SingleInstance.h"
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

TEST_F(SingleInstance, AGuardThatCannotBeSetUpLetsEveryCopyRun) {
  ScopedRuntimeDir missing(runtimeDir / "missing" / "folder");
  EXPECT_EQ(ClaimSingleInstance(guard), InstanceClaim::kFirstCopy);
  EXPECT_EQ(ClaimSingleInstance(guard), InstanceClaim::kFirstCopy);
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

}  // namespace
}  // namespace telvoran
