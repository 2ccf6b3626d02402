#include <QDialog>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTest>

#include <gtest/gtest.h>

#include "app/GivenFiles.h"
#include "app/mainwindow/MainWindow.h"
#include "support/FakeStrings.h"
#include "support/ScriptedDialogs.h"

namespace telvoran {
namespace {

const QString kDemo = QStringLiteral(TELVORAN_BUILD_DIR "/demo/");

class GivenFilesTest : public ::testing::Test {
 protected:
  test::FakeStrings strings = test::NumberedStrings();
  test::ScriptedDialogs dialogs;
  MainWindow form{strings, dialogs, TELVORAN_BUILD_DIR};
  GivenFiles given{form.State(), *form.MdiArea()};

  QStringList ViewCaptions() const {
    QStringList captions;
    for (const QMdiSubWindow* view : form.MdiArea()->subWindowList(QMdiArea::CreationOrder))
      captions << view->windowTitle();
    return captions;
  }
};

TEST_F(GivenFilesTest, EachFileOpensThroughTheOpenCommandInTheOrderGiven) {
  given.Open({kDemo + "alarm2005.zdr", kDemo + "missing.zdr", kDemo + "2005-03-14_C07.czt"});
  EXPECT_EQ(ViewCaptions(), QStringList({"alarm2005.zdr", "2005-03-14_C07.czt"}));
  EXPECT_EQ(dialogs.asked, QStringList({"beep", "message:missing.zdr - Telvoran|S106"}));
  EXPECT_FALSE(given.HasWaitingFiles());
}

TEST_F(GivenFilesTest, FilesArrivingWhileOneIsOpeningWaitForIt) {
  // The missing file's message is up, as a hand-over comes in: the archive file is still
  // the missing one's, so the new file must wait until the message is gone.
  dialogs.whileMessageShown = [&] {
    given.Open({kDemo + "alarm2009.zdr"});
    EXPECT_TRUE(ViewCaptions().isEmpty());
  };
  given.Open({kDemo + "missing.zdr", kDemo + "alarm2005.zdr"});
  EXPECT_EQ(ViewCaptions(), QStringList({"alarm2005.zdr", "alarm2009.zdr"}));
}

TEST_F(GivenFilesTest, FilesWaitWhileAModalDialogIsUp) {
  QDialog dialog(&form);
  dialog.setModal(true);
  dialog.show();
  given.Open({kDemo + "alarm2005.zdr"});
  QTest::qWait(400);
  EXPECT_TRUE(ViewCaptions().isEmpty());
  EXPECT_TRUE(given.HasWaitingFiles());

  dialog.close();
  QTRY_COMPARE(ViewCaptions(), QStringList("alarm2005.zdr"));
}

TEST(BringToFront, AMinimisedMainWindowIsRestoredAndShown) {
  QWidget window;
  window.showMinimized();
  BringToFront(window);
  EXPECT_FALSE(window.isMinimized());
  EXPECT_TRUE(window.isVisible());
}

}  // namespace
}  // namespace telvoran
