// The list's own arithmetic: where rows land, what the scroll bar's end shows, what inserted rows
// leave alone, and the points and drags that fall on no row.
#include <QApplication>
#include <QScrollBar>
#include <QStringListModel>
#include <QTest>

#include <gtest/gtest.h>

#include <tuple>

#include "app/views/RowListView.h"
#include "support/PaintCounter.h"

namespace telvoran {
namespace {

constexpr int kHeight = 14;

class RowListViewTest : public ::testing::Test {
 protected:
  RowListViewTest() {
    QStringList rows;
    for (int i = 0; i < 1000; ++i) rows << QString::number(i);
    model.setStringList(rows);
    list.setModel(&model);
    list.setSelectionMode(QAbstractItemView::SingleSelection);
    list.SetRowWidth(900);
    // Ten and a half rows high, narrower than its rows.
    list.resize(300, 200);
    list.show();
    QApplication::processEvents();
    list.resize(300 - list.viewport()->width() + 300,
                200 - list.viewport()->height() + 10 * kHeight + kHeight / 2);
    QApplication::processEvents();
  }
  int Top() const { return list.indexAt(QPoint(0, 0)).row(); }

  QStringListModel model;
  RowListView list{kHeight};
};

TEST_F(RowListViewTest, RowsLandAtTheirPlaceAndTheEndShowsTheLastRowWhole) {
  ASSERT_EQ(list.viewport()->height(), 10 * kHeight + kHeight / 2);
  QScrollBar* bar = list.verticalScrollBar();
  EXPECT_EQ(bar->maximum(), 990);
  EXPECT_EQ(list.horizontalScrollBar()->maximum(), 600);
  using Hint = QAbstractItemView::ScrollHint;
  struct Case {
    int from, row;
    Hint hint;
    int top;
  };
  for (const Case& c : {Case{0, 500, Hint::PositionAtTop, 500}, {0, 500, Hint::PositionAtBottom, 491},
                        {0, 500, Hint::PositionAtCenter, 496}, {0, 5, Hint::EnsureVisible, 0},
                        {0, 10, Hint::EnsureVisible, 1}, {600, 599, Hint::EnsureVisible, 599},
                        {0, 999, Hint::PositionAtTop, 990}, {500, 2, Hint::PositionAtBottom, 0}}) {
    SCOPED_TRACE(testing::Message() << c.row << " from " << c.from << " hint " << c.hint);
    bar->setValue(c.from);
    list.scrollTo(model.index(c.row), c.hint);
    EXPECT_EQ(Top(), c.top);
    // A row wider than the list is shown from its start, or from its middle when centred.
    const int left = c.hint == Hint::PositionAtCenter ? -300 : 0;
    for (int row : {c.top, c.top + 7}) {
      const int top = (row - c.top) * kHeight;
      EXPECT_EQ(list.visualRect(model.index(row)), QRect(left, top, 900, kHeight));
      EXPECT_EQ(list.indexAt(QPoint(left + 899, top + kHeight - 1)).row(), row);
    }
  }

  list.setFocus();
  list.setCurrentIndex(model.index(0));
  for (const auto& [key, current, top] :
       {std::tuple{Qt::Key_PageDown, 10, 1}, {Qt::Key_End, 999, 990}, {Qt::Key_PageUp, 989, 989},
        {Qt::Key_Up, 988, 988}, {Qt::Key_Home, 0, 0}}) {
    QTest::keyClick(&list, key);
    EXPECT_EQ(list.currentIndex().row(), current) << key;
    EXPECT_EQ(Top(), top) << key;
  }
  QTest::keyClick(&list, Qt::Key_End);
  const QRect last = list.visualRect(model.index(999));
  EXPECT_EQ(list.visualRect(model.index(Top())).top(), 0) << "the top row is whole";
  EXPECT_LE(last.bottom(), list.viewport()->height() - 1) << "and so is the last";
}

TEST_F(RowListViewTest, InsertedRowsKeepTheRowsInSightCurrentRowAndSelection) {
  list.verticalScrollBar()->setValue(100);
  list.setCurrentIndex(model.index(104));
  model.insertRows(0, 3);
  model.insertRows(500, 2);
  EXPECT_EQ(list.verticalScrollBar()->value(), 103);
  EXPECT_EQ(list.verticalScrollBar()->maximum(), 995);
  EXPECT_EQ(list.indexAt(QPoint(0, 0)).data().toString(), "100") << "the same rows in sight";
  EXPECT_EQ(list.currentIndex().row(), 107);
  EXPECT_TRUE(list.selectionModel()->isSelected(model.index(107)));
  model.removeRows(0, 1000);
  EXPECT_EQ(list.verticalScrollBar()->maximum(), 0);
  EXPECT_EQ(Top(), 0);
  QApplication::processEvents();
  EXPECT_FALSE(list.verticalScrollBar()->isVisible()) << "too few rows for the bar";
  // Rows again after too few for the bar: it comes back with them.
  model.insertRows(0, 50);
  QApplication::processEvents();
  EXPECT_TRUE(list.verticalScrollBar()->isVisible());
}

// A followed file sorted by another column than the date adds rows above those in sight at
// every look: the bars' handles stay on the same pixels, so neither they nor the frame are
// painted again.
TEST_F(RowListViewTest, RowsInsertedAboveThoseInSightPaintNoBarNorFrame) {
  QTest::keyClick(&list, Qt::Key_End);
  QApplication::processEvents();
  test::PaintCounter counter({list.verticalScrollBar(), list.horizontalScrollBar(), &list});
  for (int look = 0; look < 3; ++look) {
    model.insertRows(200, 5);
    QApplication::processEvents();
  }
  EXPECT_EQ(counter.paints, 0);
  // On a short list more rows shorten the handle: the bar is painted again.
  model.removeRows(20, model.rowCount() - 20);
  QTest::keyClick(&list, Qt::Key_Home);
  QApplication::processEvents();
  counter.paints = 0;
  model.insertRows(model.rowCount(), 20);
  QApplication::processEvents();
  QApplication::processEvents();
  EXPECT_GT(counter.paints, 0);
}

TEST_F(RowListViewTest, PointsAndDragsOffTheRowsSelectNothing) {
  list.setCurrentIndex(model.index(3));
  list.horizontalScrollBar()->setValue(600);
  EXPECT_EQ(list.visualRect(model.index(0)).left(), -600);
  EXPECT_FALSE(list.indexAt(QPoint(300, 0)).isValid()) << "right of the widest row";
  EXPECT_FALSE(list.indexAt(QPoint(0, -1)).isValid());
  model.removeRows(5, 995);
  EXPECT_FALSE(list.indexAt(QPoint(10, 5 * kHeight)).isValid()) << "below the last row";
  // A drag takes the selection along the rows, and leaves it on the last one it passed when it
  // goes below them.
  QTest::mousePress(list.viewport(), Qt::LeftButton, {}, QPoint(10, 1 * kHeight + 3));
  QTest::mouseMove(list.viewport(), QPoint(10, 3 * kHeight + 3));
  EXPECT_EQ(list.selectionModel()->selectedIndexes(), QModelIndexList{model.index(3)});
  QTest::mouseMove(list.viewport(), QPoint(10, 8 * kHeight));
  QTest::mouseRelease(list.viewport(), Qt::LeftButton, {}, QPoint(10, 8 * kHeight));
  EXPECT_EQ(list.selectionModel()->selectedIndexes(), QModelIndexList{model.index(3)});
  model.removeRows(0, 5);
  QTest::keyClick(&list, Qt::Key_End);
  EXPECT_FALSE(list.currentIndex().isValid());
}

}  // namespace
}  // namespace telvoran
