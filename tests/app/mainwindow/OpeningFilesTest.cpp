// The ways into the open command besides its dialog: archives dropped on the main window and the
// file menu's recently opened archives.
#include <QApplication>
#include <QDropEvent>
#include <QFileInfo>
#include <QListView>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMimeData>
#include <QTest>
#include <QUrl>

#include <gtest/gtest.h>

#include "app/RecentFiles.h"
#include "app/mainwindow/DroppedFiles.h"
#include "app/mainwindow/MainWindow.h"
#include "app/mainwindow/RecentFilesMenu.h"
#include "app/views/DataView.h"
#include "support/ArchiveRecords.h"
#include "support/FakeStrings.h"
#include "support/ScriptedDialogs.h"
#include "support/TempDir.h"

namespace telvoran {
namespace {

using enum CommandId;
using enum Place;

using namespace test;

class OpeningFilesTest : public ::testing::Test {
 protected:
  FakeStrings strings = NumberedStrings();
  ScriptedDialogs dialogs;
  MainWindow main{strings, dialogs, "/"};
  TempDir dir;

  void SetUp() override {
    for (const QString& file : RecentFiles().Files()) RecentFiles().Remove(file);
    main.show();
  }

  QString Archive(const char* name) {
    const bool interval = QString(name).endsWith(".czt");
    const auto path = interval
                          ? dir.Write(name, Join(IntervalHeader(), std::vector{IntervalRecord(1)}))
                          : dir.Write(name, {EventRecord(1)});
    return QString::fromStdString(path.string());
  }

  QStringList ViewTitles() const {
    QStringList titles;
    for (const QMdiSubWindow* view : main.MdiArea()->subWindowList()) titles << view->windowTitle();
    return titles;
  }

  // Drops `urls` on the client area; true when the window took the drop.
  bool Drop(const QList<QUrl>& urls) {
    QMimeData data;
    data.setUrls(urls);
    QWidget* target = main.MdiArea()->viewport();
    const QPoint at(50, 50);
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    if (!enter.isAccepted()) return false;
    QDropEvent drop(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &drop);
    QApplication::processEvents();
    return drop.isAccepted();
  }

  // The file menu's recent items, by caption.
  QStringList RecentItems() {
    emit main.FileMenu()->aboutToShow();
    QStringList captions;
    for (const QAction* item : main.RecentFileList->Items()) captions << item->text();
    return captions;
  }
};

TEST(DroppedLocalFiles, TakesLocalFilesOnlyInTheirOrder) {
  QMimeData data;
  data.setUrls({QUrl::fromLocalFile("/data/b.zdr"), QUrl("https://example.org/a.czt"),
                QUrl::fromLocalFile("/data/a.czt"), QUrl("ftp://host/c.zdr")});
  EXPECT_EQ(DroppedLocalFiles(data), QStringList({"/data/b.zdr", "/data/a.czt"}));
  QMimeData text;
  text.setText("/data/a.czt");
  EXPECT_TRUE(DroppedLocalFiles(text).isEmpty());
}

TEST_F(OpeningFilesTest, DroppedArchivesOpenOneAfterAnotherThroughTheOpenCommand) {
  const QString interval = Archive("2005-03-14_C07.czt");
  const QString missing = QString::fromStdString((dir / "gone.zdr").string());
  const QString event = Archive("alarm2005.zdr");
  EXPECT_TRUE(Drop({QUrl::fromLocalFile(interval), QUrl("https://example.org/x.zdr"),
                    QUrl::fromLocalFile(missing), QUrl::fromLocalFile(event)}));
  EXPECT_EQ(ViewTitles(), QStringList({"2005-03-14_C07.czt", "alarm2005.zdr"}));
  // The missing file gets the open command's own message, and no open dialog is shown.
  EXPECT_EQ(dialogs.asked, QStringList({"beep", "message:gone.zdr - Telvoran|S106"}));
  EXPECT_TRUE(main.ViewCommandsEnabled());
}

// A new view opens at the usual size, or maximized over a maximized view, filling the client area;
// either way the keyboard is in its list, on a row.
TEST_F(OpeningFilesTest, ANewViewFollowsAMaximizedOneAndTakesTheKeyboard) {
  main.OpenFiles({Archive("a.zdr")});
  auto* first = qobject_cast<DataView*>(main.ActiveChild());
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(first->size(), QSize(616, 320));
  ASSERT_TRUE(QTest::qWaitForWindowActive(&main));
  EXPECT_TRUE(first->List()->hasFocus());
  EXPECT_TRUE(first->List()->currentIndex().isValid());

  first->showMaximized();
  main.OpenFiles({Archive("b.czt")});
  auto* second = qobject_cast<DataView*>(main.ActiveChild());
  ASSERT_NE(second, nullptr);
  ASSERT_NE(second, first);
  EXPECT_TRUE(second->isMaximized());
  EXPECT_EQ(second->geometry(), main.MdiArea()->viewport()->rect());
  EXPECT_TRUE(second->List()->hasFocus());
  EXPECT_TRUE(second->List()->currentIndex().isValid());
}

TEST_F(OpeningFilesTest, NothingButAddressesOfOtherPlacesIsRefusedAsADrop) {
  EXPECT_FALSE(Drop({QUrl("https://example.org/a.czt")}));
  EXPECT_TRUE(ViewTitles().isEmpty());
  EXPECT_TRUE(dialogs.asked.isEmpty());
}

// A dropped file that is not an archive is told, naming it; the open dialog's choice of one is
// not (see the views' tests).
TEST_F(OpeningFilesTest, ADroppedFileThatIsNotAnArchiveIsTold) {
  const QString notes = QString::fromStdString(dir.Write("notes.txt", "x").string());
  const QString event = Archive("alarm2005.zdr");
  EXPECT_TRUE(Drop({QUrl::fromLocalFile(notes), QUrl::fromLocalFile(event)}));
  EXPECT_EQ(ViewTitles(), QStringList({"alarm2005.zdr"}));
  EXPECT_EQ(dialogs.asked, QStringList({"beep", "message:notes.txt - Telvoran|S282"}));
}

TEST_F(OpeningFilesTest, FileMenuListsTheArchivesOpenedLastNewestFirst) {
  EXPECT_TRUE(RecentItems().isEmpty());
  const QString first = Archive("first.zdr");
  const QString second = Archive("second.czt");
  main.OpenFiles({first, second, first});
  const QString broken = QString::fromStdString(dir.Write("broken.zdr", "").string());
  main.OpenFiles({broken});
  EXPECT_EQ(RecentItems(), QStringList({"&1 " + first, "&2 " + second}))
      << "only archives opened in full, each once";
  const QStringList layout = [this] {
    QStringList names;
    for (const QAction* action : main.FileMenu()->actions())
      names << (action->isSeparator() ? action->objectName() : action->text().left(2));
    return names;
  }();
  EXPECT_EQ(layout, QStringList({"S1", "S3", "S1", "S3", "PrintSeparator", "S1", "S1",
                                 "ExitSeparator", "&1", "&2", "", "S1"}))
      << "between printing and the end of the menu";
  EXPECT_EQ(main.RecentFileList->Items()[0]->statusTip(), "S195");

  for (int i = 0; i < 10; ++i)
    main.OpenFiles({Archive(("a" + std::to_string(i) + ".zdr").c_str())});
  const QStringList items = RecentItems();
  ASSERT_EQ(items.size(), 8);
  EXPECT_TRUE(items[0].endsWith("a9.zdr"));
  EXPECT_TRUE(items[7].endsWith("a2.zdr"));
}

TEST_F(OpeningFilesTest, ChoosingARecentArchiveOpensItAndAMissingOneIsDroppedWithItsMessage) {
  const QString kept = Archive("kept.zdr");
  const QString gone = Archive("gone.zdr");
  main.OpenFiles({kept, gone});
  for (QMdiSubWindow* view : main.MdiArea()->subWindowList()) view->close();
  QApplication::processEvents();
  std::filesystem::remove(gone.toStdString());
  dialogs.asked.clear();

  RecentItems();
  main.RecentFileList->Items()[0]->trigger();  // gone.zdr, the newest
  EXPECT_EQ(dialogs.asked, QStringList({"beep", "message:gone.zdr - Telvoran|S106"}));
  EXPECT_EQ(RecentItems(), QStringList({"&1 " + kept}));

  main.RecentFileList->Items()[0]->trigger();
  EXPECT_EQ(ViewTitles(), QStringList({"kept.zdr"}));
}

TEST(RecentFiles, KeepEightAbsolutePathsNewestFirstAndEachOnce) {
  RecentFiles files;
  for (const QString& file : files.Files()) files.Remove(file);
  for (int i = 1; i <= 9; ++i) files.Add(QString("/data/%1.zdr").arg(i));
  files.Add("/data/5.zdr");
  files.Add("relative.czt");
  const QStringList kept = files.Files();
  ASSERT_EQ(kept.size(), 8);
  EXPECT_EQ(kept[0], QFileInfo("relative.czt").absoluteFilePath());
  EXPECT_EQ(kept[1], "/data/5.zdr");
  EXPECT_EQ(kept[2], "/data/9.zdr");
  EXPECT_EQ(kept.count("/data/5.zdr"), 1);
  EXPECT_FALSE(kept.contains("/data/2.zdr"));
  files.Remove("/data/5.zdr");
  EXPECT_FALSE(files.Files().contains("/data/5.zdr"));
}

}  // namespace
}  // namespace telvoran
