#pragma once

#include <QApplication>
#include <QMdiArea>

#include <gtest/gtest.h>

#include "app/chart/ChartWindow.h"
#include "app/mainwindow/MainWindow.h"
#include "app/views/DataView.h"
#include "support/ChartRecords.h"
#include "support/FakeStrings.h"
#include "support/OpenedViews.h"
#include "support/ScriptedDialogs.h"
#include "support/TempDir.h"

namespace telvoran::test {

// The four header records of an interval archive whose header text is `text` (its channel
// count at position 2, channel k's name at 26k - 23 and unit at 26k - 19).
inline std::vector<ArchiveRecord> HeaderRecords(std::string text) {
  text.resize(4 * kRecordTextLength, ' ');
  std::vector<ArchiveRecord> records;
  for (std::size_t i = 0; i < 4; ++i)
    records.push_back(
        MakeRecord(text.substr(kRecordTextLength * i, kRecordTextLength), kIntervalKind));
  return records;
}

// An archive of four channels, two of them in one unit: T1 and T2 in degC, P1 in kPa and Q1 in
// m3/h; one record a minute from 2005-03-14 00:00:00 with the values given.
inline std::vector<ArchiveRecord> FourChannelArchive(const std::vector<std::string>& values) {
  std::string header = "H4";
  std::size_t k = 1;
  for (const char* channel : {"T1  degC", "T2  degC", "P1  kPa ", "Q1  m3/h"}) {
    header.resize(26 * k++ - 24, ' ');
    header += channel;
  }
  std::vector<ArchiveRecord> records = HeaderRecords(header);
  for (std::size_t i = 0; i < values.size(); ++i)
    records.push_back(
        IntervalRecordAt(SeriesStart() + 60 * static_cast<ArchiveSeconds>(i), values[i]));
  return records;
}

// The main window with an archive opened in a view, and the chart command at hand.
class ChartFixture : public ::testing::Test {
 protected:
  FakeStrings strings = NumberedStrings();
  ScriptedDialogs dialogs;
  MainWindow main{strings, dialogs, "/"};
  TempDir dir;

  void SetUp() override { main.show(); }

  DataView* Open(const std::filesystem::path& path) {
    OpenThroughDialog(main, dialogs, path);
    dialogs.asked.clear();
    return qobject_cast<DataView*>(main.ActiveChild());
  }

  template <typename Window>
  Window* Chart() {
    main.ShowChart();
    QApplication::processEvents();
    return qobject_cast<Window*>(main.ActiveChild());
  }

  QStringList Asked() {
    QStringList asked = dialogs.asked;
    dialogs.asked.clear();
    return asked;
  }
};

}  // namespace telvoran::test
