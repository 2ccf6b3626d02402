// A plant's folder as the catalogue window and a span view meet it: the catalogue shown (the
// folder listed and the calendar painted), and a month of one unit opened and re-sorted. One
// line per step: its name and the median seconds of the runs. bench/plant.sh runs it beside
// `cat` of the same files.
//
// Usage: plant_bench FOLDER UNIT FROM TO [RUNS]
//        plant_bench --window FOLDER UNIT FROM TO
// The second opens the span once as the program's window does, its days read aside, and then
// re-sorts it by its first channel; for each step it prints "seconds longest_wait_ms
// progress_shown": the whole step, the longest time the window's events waited meanwhile (rows
// put in place included) and whether the progress bar showed; then the rows. bench/plant-views.sh
// runs it for a unit's ten years.
#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QMainWindow>
#include <QMdiArea>
#include <QProgressBar>
#include <QTableView>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string_view>
#include <vector>

#include "app/plant/CatalogueWindow.h"
#include "app/work/LongWork.h"
#include "core/archive/FailureReporter.h"
#include "core/plant/FolderCatalogue.h"
#include "core/text/StringLibrary.h"
#include "core/view/ArchiveDocument.h"
#include "core/work/WorkProgress.h"

namespace telvoran {
namespace {

using Clock = std::chrono::steady_clock;

class QuietReporter : public FailureReporter {
 public:
  void Beep() override {}
  void ShowMessage(std::string_view text) override {
    std::fprintf(stderr, "%.*s\n", int(text.size()), text.data());
  }
  void ShowError(std::string_view text) override { ShowMessage(text); }
  void ShowErrorMessage(std::string_view text) override { ShowMessage(text); }
};

template <typename Step>
double Median(int runs, Step step) {
  std::vector<double> seconds;
  for (int run = 0; run < runs; ++run) {
    const auto start = Clock::now();
    step();
    seconds.push_back(std::chrono::duration<double>(Clock::now() - start).count());
  }
  std::sort(seconds.begin(), seconds.end());
  return seconds[seconds.size() / 2];
}

DaySpan SpanOf(const std::filesystem::path& folder, int unit, const char* from, const char* to) {
  plant::FolderCatalogue catalogue(folder);
  catalogue.Read();
  DaySpan span{std::string{char('0' + unit / 10), char('0' + unit % 10)}, from, to, {}};
  const auto first = plant::DayFromText(from);
  const auto last = plant::DayFromText(to);
  if (!first || !last) return span;
  for (const plant::DayFile* file : catalogue.Span(unit, *first, *last))
    span.files.push_back(file->path);
  return span;
}

// The span opened once as a window opens it: read aside as long work, then put in place.
int RunWindow(int argc, char** argv) {
  if (argc != 6) return 2;
  const std::unique_ptr<StringLookup> strings =
      LoadStringLibrary(std::filesystem::absolute(TELVORAN_BUILD_DIR));
  if (!strings) return 2;
  const DaySpan span = SpanOf(argv[2], std::atoi(argv[3]), argv[4], argv[5]);
  // The status bar the progress shows in is a main window's.
  QMainWindow window;
  window.setCentralWidget(new QMdiArea);
  window.resize(900, 600);
  window.show();
  QElapsedTimer clock;
  qint64 last = 0;
  qint64 longest = 0;
  bool progressShown = false;
  QTimer ticking;
  QObject::connect(&ticking, &QTimer::timeout, [&] {
    longest = std::max(longest, clock.elapsed() - last);
    last = clock.elapsed();
    progressShown = progressShown || !window.findChildren<QProgressBar*>().isEmpty();
  });
  // One step timed from its start to its rows in place and the window's events taken up again.
  auto timed = [&](auto step) {
    longest = 0;
    progressShown = false;
    clock.start();
    last = 0;
    step();
    const qint64 elapsed = clock.elapsed();
    QCoreApplication::processEvents();
    longest = std::max(longest, clock.elapsed() - last);
    std::printf("%.3f %lld %s ", elapsed / 1000.0, static_cast<long long>(longest),
                progressShown ? "yes" : "no");
  };
  QuietReporter reporter;
  ArchiveDocument document(*strings, reporter);
  ticking.start(5);
  timed([&] {
    document.OpenSpan(span);
    LongWork::Run(&window, *strings,
                  [&](WorkProgress& progress) { document.ReadRowsAside(1, &progress); });
    document.TakeRowsReadAside();
  });
  // Re-sorted by the first channel, whose values need the most of the sort.
  timed([&] {
    LongWork::Run(&window, *strings,
                  [&](WorkProgress& progress) { document.RereadAside(2, &progress); });
    document.TakeRowsReadAside();
  });
  std::printf("%zu\n", document.Content().rows.Size());
  return 0;
}

int Run(int argc, char** argv) {
  if (argc > 1 && std::string_view(argv[1]) == "--window") return RunWindow(argc, argv);
  if (argc < 5) {
    std::fprintf(stderr, "usage: plant_bench FOLDER UNIT FROM TO [RUNS]\n");
    return 2;
  }
  const std::filesystem::path folder = argv[1];
  const int unit = std::atoi(argv[2]);
  const auto from = plant::DayFromText(argv[3]);
  const auto to = plant::DayFromText(argv[4]);
  const int runs = argc > 5 ? std::atoi(argv[5]) : 5;
  const std::unique_ptr<StringLookup> strings =
      LoadStringLibrary(std::filesystem::absolute(TELVORAN_BUILD_DIR));
  if (!strings || !from || !to) return 2;

  // The catalogue window, from its making to its calendar painted with the folder's days.
  QMdiArea area;
  area.resize(900, 600);
  area.show();
  const double shown = Median(runs, [&] {
    auto* window = new CatalogueWindow(*strings, folder, [](DaySpan) {});
    area.addSubWindow(window);
    window->show();
    QEventLoop loop;
    QObject::connect(window, &CatalogueWindow::listingShown, &loop, &QEventLoop::quit);
    loop.exec();
    window->Calendar->viewport()->repaint();
    delete window;
  });
  std::printf("catalogue_shown %.4f\n", shown);

  // The listing alone, as the window's worker runs it.
  const double listed = Median(runs, [&] {
    plant::FolderCatalogue catalogue(folder);
    catalogue.Read();
  });
  std::printf("catalogue_listed %.4f\n", listed);

  const DaySpan span = SpanOf(folder, unit, argv[3], argv[4]);
  std::printf("span_files %zu\n", span.files.size());

  QuietReporter reporter;
  const double open = Median(runs, [&] {
    ArchiveDocument document(*strings, reporter);
    document.OpenSpan(span, 1);
  });
  std::printf("span_open %.4f\n", open);
  ArchiveDocument document(*strings, reporter);
  document.OpenSpan(span, 1);
  int column = 1;
  const double resort = Median(runs, [&] {
    column = column == 3 ? 2 : 3;
    document.Reread(column);
  });
  std::printf("span_resort %.4f\n", resort);
  std::printf("span_rows %zu\n", document.Content().rows.Size());
  return 0;
}

}  // namespace
}  // namespace telvoran

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  return telvoran::Run(argc, argv);
}
