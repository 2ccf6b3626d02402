// The program's save with the CSV type and telvoran-report --csv write the same bytes, with the
// string library of the build.
#include <QApplication>
#include <QProcess>

#include <gtest/gtest.h>

#include "app/mainwindow/MainWindow.h"
#include "app/views/DataView.h"
#include "core/text/StringLibrary.h"
#include "support/ArchiveRecords.h"
#include "support/ScriptedDialogs.h"
#include "support/TempDir.h"

namespace telvoran {
namespace {

using namespace test;

constexpr int kCsvType = 2;

class CsvSave : public ::testing::Test {
 protected:
  std::unique_ptr<StringLookup> strings = LoadStringLibrary(TELVORAN_BUILD_DIR);
  ScriptedDialogs dialogs;
  TempDir dir;

  // Opens `archive` in a fresh main window, sorts its view by `column` and saves it as CSV.
  std::string SavedByTheProgram(const std::filesystem::path& archive, int column) {
    MainWindow main(*strings, dialogs, "/");
    main.show();
    dialogs.openAnswers.push_back(QString::fromStdString(archive.string()));
    main.OpenArchive();
    QApplication::processEvents();
    auto* view = dynamic_cast<DataView*>(main.ActiveChild());
    if (!view) return "no view";
    view->SortBy(column);
    const auto target = dir / "program.csv";
    std::filesystem::remove(target);
    dialogs.saveAnswers.push_back({QString::fromStdString(target.string())});
    dialogs.saveTypeAnswers.push_back(kCsvType);
    main.SaveReport();
    return ReadBytes(target);
  }

  std::string SavedByTheTool(const std::filesystem::path& archive, int column) {
    const auto target = dir / "tool.csv";
    QProcess tool;
    tool.start(TELVORAN_BUILD_DIR "/telvoran-report",
               {"--sort", QString::number(column), "--csv", QString::fromStdString(target.string()),
                QString::fromStdString(archive.string())});
    if (!tool.waitForFinished(60000) || tool.exitCode() != 0)
      return "tool failed: " + tool.readAllStandardError().toStdString();
    return ReadBytes(target);
  }
};

TEST_F(CsvSave, ProgramAndToolWriteTheSameBytes) {
  ASSERT_TRUE(strings);
  std::vector<ArchiveRecord> records;
  for (int i = 0; i < 40; ++i) {
    // Polish letters, commas and quotes in the fields, a comma as decimal sign.
    records.push_back(MakeRecord(std::string(1, static_cast<char>(10 + i % 12)) +
                                     DateBytes(9, 3, 5, 7, i % 60, 9) + "2" + "GLHMWOFx"[i % 8] +
                                     (i % 3 ? " 45,0" : "  ERR") +
                                     "\xA3\xF3"
                                     "d," +
                                     "\"%\"  ",
                                 kEventKind));
  }
  const auto events = dir.Write("alarm2009.zdr", records);
  const auto interval =
      dir.Write("2005-03-14_C07.czt",
                Join(IntervalHeader('3'), std::vector{IntervalRecord(3, " 21,5 1,2,\xB3\xB9k  "),
                                                      IntervalRecord(1, "     -0.10\"q\"  "),
                                                      IntervalRecord(2, " 22.0 ERR  7    ")}));
  for (const auto& [archive, column] :
       {std::pair{events, 1}, std::pair{events, 7}, std::pair{events, 5}, std::pair{interval, 1},
        std::pair{interval, 3}}) {
    SCOPED_TRACE(archive.filename().string() + " sorted by " + std::to_string(column));
    const std::string program = SavedByTheProgram(archive, column);
    EXPECT_GT(program.size(), 100u);
    EXPECT_EQ(program, SavedByTheTool(archive, column));
  }
}

}  // namespace
}  // namespace telvoran
