// A plant's folder as the catalogue window and a span view meet it: the catalogue shown (the
// folder listed and the calendar painted), and a month of one unit opened and re-sorted. One
// line per step: its name and the median seconds of the runs. bench/plant.sh runs it beside
// `cat` of the same files.
//
// Usage: plant_bench FOLDER UNIT FROM TO [RUNS]
#include <QApplication>
#include <QEventLoop>
#include <QMdiArea>
#include <QTableView>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "app/plant/CatalogueWindow.h"
#include "core/archive/FailureReporter.h"
#include "core/plant/FolderCatalogue.h"
#include "core/text/StringLibrary.h"
#include "core/view/ArchiveDocument.h"

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

int Run(int argc, char** argv) {
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

  plant::FolderCatalogue catalogue(folder);
  catalogue.Read();
  DaySpan span{std::string{char('0' + unit / 10), char('0' + unit % 10)}, argv[3], argv[4], {}};
  for (const plant::DayFile* file : catalogue.Span(unit, *from, *to))
    span.files.push_back(file->path);
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
