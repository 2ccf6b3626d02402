#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTest>

#include <gtest/gtest.h>

#include "app/mainwindow/MainWindow.h"
#include "app/mainwindow/MdiArrangement.h"
#include "support/FakeStrings.h"
#include "support/ScriptedDialogs.h"

namespace telvoran {
namespace {

TEST(TiledOneAboveAnother, FillsTheAreaWithFullWidthRowsOfEqualHeight) {
  EXPECT_EQ(TiledOneAboveAnother(3, QRect(10, 20, 300, 100)),
            QList<QRect>({QRect(10, 20, 300, 33), QRect(10, 53, 300, 33), QRect(10, 86, 300, 34)}));
  EXPECT_EQ(TiledOneAboveAnother(1, QRect(0, 0, 50, 40)), QList<QRect>({QRect(0, 0, 50, 40)}));
  EXPECT_TRUE(TiledOneAboveAnother(0, QRect(0, 0, 50, 40)).isEmpty());
}

TEST(IconPositions, LineUpAlongTheBottomFromTheLeftAndWrapUpwards) {
  const QRect area(0, 0, 250, 200);
  EXPECT_EQ(
      IconPositions({QSize(100, 20), QSize(100, 20), QSize(100, 20)}, area),
      QList<QRect>({QRect(0, 180, 100, 20), QRect(100, 180, 100, 20), QRect(0, 160, 100, 20)}));
  // An icon wider than the area still gets a row of its own, and nothing loops.
  EXPECT_EQ(IconPositions({QSize(300, 20), QSize(50, 30)}, area),
            QList<QRect>({QRect(0, 180, 300, 20), QRect(0, 150, 50, 30)}));
  // A row is as high as its highest icon; icons sit on the row's bottom.
  EXPECT_EQ(
      IconPositions({QSize(100, 20), QSize(100, 30), QSize(100, 20)}, area),
      QList<QRect>({QRect(0, 180, 100, 20), QRect(100, 170, 100, 30), QRect(0, 150, 100, 20)}));
  EXPECT_EQ(AreaAboveIcons(area, IconPositions({QSize(100, 20)}, area)), QRect(0, 0, 250, 180));
  EXPECT_EQ(AreaAboveIcons(area, {}), area);
}

TEST(Cascaded, KeepsAUsableSizeAndStartsAgainAtTheCorner) {
  // A large frame: two thirds of it, one step apart, down as far as there is room while they
  // still step right; the fifth starts at the corner again.
  EXPECT_EQ(
      Cascaded(5, QRect(0, 0, 1500, 960), QSize(616, 320), 150),
      QList<QRect>({QRect(0, 0, 1000, 640), QRect(150, 150, 1000, 640), QRect(300, 300, 1000, 640),
                    QRect(450, 320, 1000, 640), QRect(0, 0, 1000, 640)}));
  // A small frame: the usual size, but never bigger than the frame, and nothing divides by 0.
  EXPECT_EQ(Cascaded(2, QRect(10, 20, 700, 300), QSize(616, 320), 20),
            QList<QRect>({QRect(10, 20, 616, 300), QRect(30, 20, 616, 300)}));
  EXPECT_EQ(Cascaded(2, QRect(0, 0, 900, 500), QSize(616, 320), 0),
            QList<QRect>({QRect(0, 0, 616, 333), QRect(1, 1, 616, 333)}));
  EXPECT_TRUE(Cascaded(0, QRect(0, 0, 900, 500), QSize(616, 320), 20).isEmpty());
}

class WindowCommands : public ::testing::Test {
 protected:
  WindowCommands() {
    form.MdiArea()->setFixedSize(600, 400);
    form.show();
    form.SetViewCommandsEnabled(true);
  }
  QMdiSubWindow* AddView() {
    QMdiSubWindow* view = form.MdiArea()->addSubWindow(new QWidget);
    view->show();
    return view;
  }
  void Activate(QMdiSubWindow* view) { form.MdiArea()->setActiveSubWindow(view); }

  test::FakeStrings strings = test::NumberedStrings();
  test::ScriptedDialogs dialogs;
  MainWindow form{strings, dialogs, "/x"};
};

TEST_F(WindowCommands, NextAndPreviousCycleInCreationOrder) {
  QMdiSubWindow* a = AddView();
  QMdiSubWindow* b = AddView();
  QMdiSubWindow* c = AddView();
  Activate(a);
  form.NextView();
  EXPECT_EQ(form.ActiveChild(), b);
  form.NextView();
  form.NextView();
  EXPECT_EQ(form.ActiveChild(), a);
  form.PreviousView();
  EXPECT_EQ(form.ActiveChild(), c);
}

TEST_F(WindowCommands, TilePutsTheLatestActiveOnTopAndKeepsTheIconRowFree) {
  QMdiSubWindow* a = AddView();
  QMdiSubWindow* b = AddView();
  QMdiSubWindow* c = AddView();
  QMdiSubWindow* minimised = AddView();
  minimised->showMinimized();
  Activate(c);
  Activate(a);
  Activate(b);
  b->showMaximized();
  form.TileViews();

  const QRect area = form.MdiArea()->viewport()->rect();
  const QRect icon = minimised->geometry();
  EXPECT_EQ(icon.bottomLeft(), area.bottomLeft());
  EXPECT_FALSE(b->isMaximized());
  const QList<QRect> rows = TiledOneAboveAnother(3, QRect(0, 0, area.width(), icon.top()));
  EXPECT_EQ(b->geometry(), rows[0]);
  EXPECT_EQ(a->geometry(), rows[1]);
  EXPECT_EQ(c->geometry(), rows[2]);
}

TEST_F(WindowCommands, ArrangeLinesTheIconsUpAlongTheBottomAndLeavesOtherViewsAlone) {
  QMdiSubWindow* open = AddView();
  open->setGeometry(50, 50, 200, 100);
  QList<QMdiSubWindow*> icons = {AddView(), AddView()};
  for (QMdiSubWindow* icon : icons) {
    icon->showMinimized();
    icon->move(300, 10);
  }
  form.ArrangeIcons();
  const QRect area = form.MdiArea()->viewport()->rect();
  EXPECT_EQ(icons[0]->geometry().bottomLeft(), area.bottomLeft());
  EXPECT_EQ(icons[1]->geometry().topLeft(), icons[0]->geometry().topRight() + QPoint(1, 0));
  EXPECT_EQ(open->geometry(), QRect(50, 50, 200, 100));
}

TEST_F(WindowCommands, CascadeKeepsTheViewsUsableAndTheActiveOneInFront) {
  QMdiSubWindow* a = AddView();
  QMdiSubWindow* b = AddView();
  QMdiSubWindow* minimised = AddView();
  minimised->showMinimized();
  Activate(b);
  Activate(a);
  a->showMaximized();
  form.CascadeViews();

  const QRect area = form.MdiArea()->viewport()->rect();
  EXPECT_FALSE(a->isMaximized());
  EXPECT_TRUE(minimised->isMinimized());
  for (const QMdiSubWindow* view : {a, b}) {
    EXPECT_GE(view->width(), std::min(area.width(), kUsualViewSize.width()));
    EXPECT_GE(view->height(), std::min(area.height(), kUsualViewSize.height()));
    EXPECT_TRUE(area.contains(view->geometry())) << view->geometry().x();
  }
  EXPECT_EQ(b->pos(), area.topLeft());
  EXPECT_GT(a->y(), b->y()) << "the active view one title bar lower, in front";
  EXPECT_EQ(form.ActiveChild(), a);
  QWidget* front = form.MdiArea()->viewport()->childAt(a->geometry().center());
  while (front && front->parentWidget() != form.MdiArea()->viewport())
    front = front->parentWidget();
  EXPECT_EQ(front, a);
}

TEST_F(WindowCommands, DoNothingWithoutViews) {
  form.NextView();
  form.PreviousView();
  form.TileViews();
  form.CascadeViews();
  form.ArrangeIcons();
  EXPECT_EQ(form.ActiveChild(), nullptr);
}

}  // namespace
}  // namespace telvoran
