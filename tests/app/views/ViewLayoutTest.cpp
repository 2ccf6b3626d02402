// What a data view looks like at the scale factor the test runs under (QT_SCALE_FACTOR): the text
// of every column drawn under its panel, and the scroll range of the widest row.
#include <QApplication>
#include <QImage>
#include <QListView>
#include <QMdiArea>
#include <QScrollBar>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>

#include "app/mainwindow/MainWindow.h"
#include "app/views/EventView.h"
#include "app/views/HeaderPanel.h"
#include "app/views/IntervalView.h"
#include "support/ArchiveRecords.h"
#include "support/FakeStrings.h"
#include "support/ScriptedDialogs.h"
#include "support/TempDir.h"

namespace telvoran {
namespace {

using namespace test;

// A stretch of pixels, in the logical pixels of the view.
struct Span {
  double left;
  double right;
};

class ViewLayoutTest : public ::testing::Test {
 protected:
  FakeStrings strings = NumberedStrings();
  ScriptedDialogs dialogs;
  MainWindow main{strings, dialogs, "/"};
  TempDir dir;

  void SetUp() override {
    // A situation text with spaces, as the libraries have them.
    strings.Set(163, "Uszkodzenie czujnika lub toru pomiarowego");
    main.resize(1200, 700);
    main.show();
  }

  template <typename View>
  View* Open(const std::filesystem::path& path) {
    dialogs.openAnswers.push_back(QString::fromStdString(path.string()));
    main.OpenArchive();
    QApplication::processEvents();
    auto* view = dynamic_cast<View*>(main.ActiveChild());
    if (view) view->resize(1100, 400);
    QApplication::processEvents();
    return view;
  }

  // The stretches of ink in a row of the list, from the left, where the viewport shows them: runs
  // of pixels that differ from the row's background, split where a character's width stays empty.
  static std::vector<Span> InkOfRow(const DataView& view, int rowNumber = 0) {
    const QPixmap pixmap = view.widget()->grab();
    const QImage image = pixmap.toImage();
    const double scale = pixmap.devicePixelRatio();
    const QPoint origin = view.List()->viewport()->mapTo(view.widget(), QPoint(0, 0));
    const QRect row = view.List()->visualRect(view.List()->model()->index(rowNumber, 0));
    const int top = static_cast<int>((origin.y() + row.top() + 2) * scale);
    const int bottom = static_cast<int>((origin.y() + row.bottom() - 2) * scale);
    // Inside the focus frame, which marks the row's edges.
    const int left = static_cast<int>((origin.x() + row.left() + 2) * scale);
    const int right = static_cast<int>(
        (origin.x() + std::min(row.right(), view.List()->viewport()->width()) - 2) * scale);
    // The background is the colour most of the row's pixels have.
    std::map<QRgb, int> colours;
    for (int x = left; x < right; ++x) ++colours[image.pixel(x, top)];
    const QColor background(
        std::max_element(colours.begin(), colours.end(), [](const auto& a, const auto& b) {
          return a.second < b.second;
        })->first);

    auto inked = [&](int x) {
      for (int y = top; y <= bottom; ++y) {
        const QColor pixel = image.pixelColor(x, y);
        const int distance = std::abs(pixel.red() - background.red()) +
                             std::abs(pixel.green() - background.green()) +
                             std::abs(pixel.blue() - background.blue());
        if (distance > 150) return true;
      }
      return false;
    };
    const double gap = view.CharacterAdvance() * scale;
    std::vector<Span> spans;
    int lastInk = -1;
    for (int x = left; x < right; ++x) {
      if (!inked(x)) continue;
      if (spans.empty() || x - lastInk > gap) spans.push_back({x / scale, x / scale});
      spans.back().right = (x + 1) / scale;
      lastInk = x;
    }
    return spans;
  }

  static Span PanelSpan(const DataView& view, int panel) {
    const int left = view.Panel(panel)->mapTo(view.widget(), QPoint(0, 0)).x();
    return {static_cast<double>(left), static_cast<double>(left + view.Panel(panel)->width())};
  }

  // Expects each stretch of ink to lie under the panel given for it; the last panel's column may
  // run on past it.
  static void ExpectUnderPanels(const DataView& view, const std::vector<Span>& ink,
                                const std::vector<int>& panels) {
    ASSERT_EQ(ink.size(), panels.size());
    for (std::size_t i = 0; i < ink.size(); ++i) {
      SCOPED_TRACE(testing::Message() << "text " << i << " at " << ink[i].left << " to "
                                      << ink[i].right << ", panel " << panels[i]);
      const Span panel = PanelSpan(view, panels[i]);
      EXPECT_GE(ink[i].left, panel.left);
      if (panels[i] < view.PanelCount()) {
        EXPECT_LE(ink[i].right, panel.right);
      }
    }
  }
};

TEST_F(ViewLayoutTest, EventColumnsStandUnderTheirPanels) {
  auto* view = Open<EventView>(dir.Write("e.zdr", {EventRecord(4, 'G')}));
  ASSERT_NE(view, nullptr);
  // Date, time, central unit, channel, medium, reading, unit, situation text.
  ExpectUnderPanels(*view, InkOfRow(*view), {1, 1, 2, 3, 4, 5, 6, 7});
}

TEST_F(ViewLayoutTest, IntervalColumnsStandUnderTheirPanels) {
  auto* view = Open<IntervalView>(dir.Write(
      "i.czt", Join(IntervalHeader('4'), std::vector{IntervalRecord(3, " 21.5101.0  7.3 -4.0")})));
  ASSERT_NE(view, nullptr);
  // Date, time, then the values of channels 1 to 4.
  ExpectUnderPanels(*view, InkOfRow(*view), {1, 1, 2, 3, 4, 5});
}

TEST_F(ViewLayoutTest, ScrollRangeComesFromTheWidestRowWhateverTheOrder) {
  // The long row is neither first by date nor first by reading or situation.
  auto* view = Open<EventView>(dir.Write(
      "e.zdr", {EventRecord(1, 'G'), EventRecord(2, 'M'), EventRecord(3, 'H'), EventRecord(4)}));
  ASSERT_NE(view, nullptr);
  view->resize(400, 300);
  QApplication::processEvents();
  QScrollBar* scroll = view->List()->horizontalScrollBar();
  const int range = scroll->maximum();
  EXPECT_GT(range, 0);
  for (int column : {5, 7, 1}) {
    view->SortBy(column);
    QApplication::processEvents();
    EXPECT_EQ(scroll->maximum(), range) << "sorted by column " << column;
  }

  // Scrolled to its end, the list shows the end of the widest row, and the panels move with it.
  scroll->setValue(scroll->maximum());
  QApplication::processEvents();
  EXPECT_EQ(PanelSpan(*view, 1).left, -scroll->maximum());
  ASSERT_NE(view->Report().DisplayText(1).find("Uszkodzenie"), std::string::npos);
  const std::vector<Span> ink = InkOfRow(*view, 1);
  ASSERT_FALSE(ink.empty());
  const double viewportRight = view->List()->viewport()->mapTo(view->widget(), QPoint(0, 0)).x() +
                               view->List()->viewport()->width();
  EXPECT_LT(ink.back().right, viewportRight - view->CharacterAdvance())
      << "the last letter is in view, with room after it";
}

// Expects the current row of `view` to show the focus frame: from each edge inwards, a dark line
// and then a light one, all along, whatever the row's colour. Walked in the screen's own pixels,
// which at a fractional scale do not fall on the list's.
void ExpectFocusFrameOnCurrentRow(const DataView& view) {
  const QPixmap pixmap = view.List()->viewport()->grab();
  const QImage image = pixmap.toImage();
  const double scale = pixmap.devicePixelRatio();
  const QRect rect = view.List()->visualRect(view.List()->currentIndex());
  const QRect device(static_cast<int>(std::ceil(rect.left() * scale)),
                     static_cast<int>(std::ceil(rect.top() * scale)),
                     static_cast<int>(rect.width() * scale),
                     static_cast<int>(rect.height() * scale));
  const QColor fill = image.pixelColor(device.center().x(), device.top() + device.height() / 2);
  // From `from` one pixel at a time by `step`: a dark pixel, then a light one, within 4 lines.
  auto darkThenLight = [&](QPoint from, QPoint step) {
    bool dark = false;
    for (int i = 0; i < static_cast<int>(4 * scale); ++i, from += step) {
      const int lightness = image.pixelColor(from).lightness();
      if (lightness < 60) dark = true;
      if (dark && lightness > 200) return true;
    }
    return false;
  };
  int along = 0;
  int framed = 0;
  for (int x = device.left() + 20; x < device.left() + 60; ++x, ++along) {
    framed += darkThenLight({x, device.top()}, {0, 1}) &&
              darkThenLight({x, device.top() + device.height() - 1}, {0, -1});
  }
  EXPECT_EQ(framed, along) << fill.name().toStdString();
  for (const int y : {device.top() + 6, device.top() + device.height() - 7}) {
    EXPECT_TRUE(darkThenLight({device.left(), y}, {1, 0})) << fill.name().toStdString();
  }
}

// The focus frame marks the current row in both kinds of view alike: over every situation colour,
// the window background and the selection, at every scale. The list has the keyboard as soon as
// the view is open.
TEST_F(ViewLayoutTest, CurrentRowShowsTheSameFocusFrameOnEveryColour) {
  auto* view = Open<EventView>(
      dir.Write("e.zdr", {EventRecord(1, 'G'), EventRecord(2, 'L'), EventRecord(3, 'H'),
                          EventRecord(4, 'M'), EventRecord(5, 'W'), EventRecord(6, 'O')}));
  ASSERT_NE(view, nullptr);
  ASSERT_TRUE(QTest::qWaitForWindowActive(&main));
  ASSERT_TRUE(view->List()->hasFocus());
  for (int row = 0; row < 6; ++row) {
    SCOPED_TRACE(row);
    if (row > 0) QTest::keyClick(view->List(), Qt::Key_Down);
    ASSERT_EQ(view->List()->currentIndex().row(), row);
    ExpectFocusFrameOnCurrentRow(*view);
    // A row that is not current shows no frame: its top edge has its colour.
    const QRect other = view->List()->visualRect(view->List()->model()->index((row + 2) % 6, 0));
    const QImage image = view->List()->viewport()->grab().toImage();
    const double scale = image.devicePixelRatio();
    EXPECT_EQ(image.pixel(int((other.left() + 30) * scale), int(other.top() * scale)),
              image.pixel(int((other.left() + 30) * scale), int((other.top() + 12) * scale)));
  }

  auto* interval = Open<IntervalView>(dir.Write(
      "i.czt", Join(IntervalHeader(), std::vector{IntervalRecord(1), IntervalRecord(2)})));
  ASSERT_NE(interval, nullptr);
  ASSERT_TRUE(interval->List()->hasFocus());
  QTest::keyClick(interval->List(), Qt::Key_Down);
  ASSERT_EQ(interval->List()->currentIndex().row(), 1);
  ExpectFocusFrameOnCurrentRow(*interval);
}

}  // namespace
}  // namespace telvoran
