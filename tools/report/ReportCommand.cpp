#include "tools/report/ReportCommand.h"

#include <memory>
#include <new>
#include <optional>
#include <stdexcept>

#include "core/plant/FolderCatalogue.h"
#include "core/platform/RecordFile.h"
#include "core/platform/Utf8Path.h"
#include "core/report/CsvReport.h"
#include "core/report/TextReport.h"
#include "core/text/StringLibrary.h"
#include "tools/report/ArchiveView.h"
#include "tools/report/ConsoleReporter.h"
#include "tools/report/OutputTargets.h"
#include "tools/report/ReportArguments.h"
#include "tools/report/ReportUsageText.h"

namespace telvoran {
namespace {

// Prints "telvoran-report: what: why" and returns `status`.
int Complain(std::ostream& err, int status, std::string_view what, std::string_view why) {
  err << kReportProgram << what << ": " << why << '\n';
  return status;
}

std::string SortOption(int column) {
  return "--sort " + std::to_string(column);
}

// Says why the archive gave no view, unless the core has said it, and picks the exit status.
int ExplainRefusal(ViewRefusal refusal, const ReportOptions& options,
                   const ConsoleReporter& reporter, std::ostream& err) {
  switch (refusal) {
    case ViewRefusal::None:
    case ViewRefusal::Reported:
      break;
    case ViewRefusal::UnsupportedKind:
      return Complain(err, kReportRefused, Utf8FromPath(options.archive),
                      "not an archive this tool reads: the name must end in .czt (interval "
                      "archive) or .zdr (event archive)");
    case ViewRefusal::ColumnOutOfRange: {
      const ArchiveKind kind = options.ReadsSpan()
                                   ? ArchiveKind::Interval
                                   : ArchiveKindOfName(Utf8FromPath(options.archive.filename()));
      return Complain(err, kReportRefused, SortOption(options.sortColumn),
                      std::string(kind == ArchiveKind::Event ? "an event" : "an interval") +
                          " archive has the columns 1 to " + std::to_string(ColumnCount(kind)));
    }
    case ViewRefusal::AbsentChannel:
      return Complain(err, kReportRefused, SortOption(options.sortColumn),
                      "the archive has no channel " + std::to_string(options.sortColumn - 1));
  }
  // The core has shown a library message, or the platform's text of an unforeseen error.
  return reporter.ShowedError() ? kReportFailed : kReportRefused;
}

// The text report into its file, or onto `out` when no file is named.
int WriteReport(const ReportSource& report, const StringLookup& strings,
                const ReportOptions& options, std::ostream& out, std::ostream& err) {
  if (options.output) {
    if (auto failure = WriteTextReport(report, strings, *options.output)) {
      return Complain(err, kReportFailed, Utf8FromPath(*options.output), *failure);
    }
  } else if (auto failure = WriteTextReport(report, strings, out)) {
    return Complain(err, kReportFailed, "standard output", *failure);
  }
  return kReportDone;
}

// Characters `first` to `first + count - 1` of a file's name, cut at its end.
std::string NamePiece(const std::filesystem::path& path, std::size_t first, std::size_t count) {
  const std::string name = Utf8FromPath(path.filename());
  return first > name.size() ? std::string() : name.substr(first - 1, count);
}

// The span the options name: the archives given, as one span from the day of the first to the
// day of the last, or a unit's days in a plant's folder. Nothing, with the reason told and the
// exit status in `status`, when there is none.
std::optional<DaySpan> SpanOfOptions(const ReportOptions& options, std::ostream& err, int& status) {
  DaySpan span;
  if (!options.unit) {
    for (const std::filesystem::path& archive : options.archives) {
      if (ArchiveKindOfName(Utf8FromPath(archive.filename())) != ArchiveKind::Interval) {
        status = Complain(err, kReportRefused, Utf8FromPath(archive),
                          "several archives are read as one span of days: each must be an "
                          "interval archive (.czt)");
        return std::nullopt;
      }
    }
    span.files = options.archives;
    span.unit = NamePiece(span.files.front(), 13, 2);
    span.from = NamePiece(span.files.front(), 1, 10);
    span.to = NamePiece(span.files.back(), 1, 10);
    return span;
  }
  plant::FolderCatalogue catalogue(options.archive);
  if (!catalogue.Read()) {
    status = Complain(err, kReportFailed, Utf8FromPath(options.archive), catalogue.ErrorText());
    return std::nullopt;
  }
  span.unit = std::string(1, static_cast<char>('0' + *options.unit / 10)) +
              static_cast<char>('0' + *options.unit % 10);
  span.from = *options.from;
  span.to = *options.to;
  for (const plant::DayFile* day :
       catalogue.Span(*options.unit, *plant::DayFromText(span.from), *plant::DayFromText(span.to)))
    span.files.push_back(day->path);
  return span;
}

int Report(std::span<const std::string> arguments, std::ostream& out, std::ostream& err,
           const std::filesystem::path& programDirectory, PdfPrinter printPdf) {
  ReportOptions options;
  try {
    options = ParseReportArguments(arguments);
  } catch (const ReportUsageError& error) {
    err << kReportProgram << error.what() << "\nTry 'telvoran-report --help' for more.\n";
    return kReportFailed;
  }
  if (options.showHelp) {
    out << ReportUsageText();
    return kReportDone;
  }
  if (options.showVersion) {
    out << "telvoran-report " << TELVORAN_VERSION << '\n';
    return kReportDone;
  }
  if (options.pdf && printPdf == nullptr) {
    return Complain(err, kReportRefused, "--pdf",
                    "the PDF printout needs the desktop build of Telvoran; this telvoran-report "
                    "was built without it");
  }
  if (auto clash = FindOutputClash(options, programDirectory)) {
    err << kReportProgram << *clash << '\n';
    return kReportFailed;
  }

  const std::unique_ptr<StringLookup> strings = LoadStringLibrary(programDirectory);
  if (!strings) {
    return Complain(err, kReportFailed, Utf8FromPath(programDirectory / kStringLibraryFileName),
                    "the string library is missing or cannot be read");
  }

  ConsoleReporter reporter(err);
  ArchiveView view;
  if (options.ReadsSpan()) {
    int status = kReportDone;
    std::optional<DaySpan> span = SpanOfOptions(options, err, status);
    if (!span) return status;
    view = ReadSpanView(*strings, reporter, std::move(*span), options.sortColumn);
  } else {
    view = ReadArchiveView(*strings, reporter, options.archive, options.sortColumn);
  }
  if (view.refusal != ViewRefusal::None) {
    return ExplainRefusal(view.refusal, options, reporter, err);
  }

  const ViewReport report(view.content);
  if (options.WritesTextReport()) {
    if (const int status = WriteReport(report, *strings, options, out, err);
        status != kReportDone) {
      return status;
    }
  }
  if (options.pdf) {
    if (auto failure = printPdf(report, *strings, *options.pdf)) {
      return Complain(err, kReportFailed, Utf8FromPath(*options.pdf), *failure);
    }
  }
  if (options.csv) {
    if (auto failure = WriteCsvReport(report, *options.csv)) {
      return Complain(err, kReportFailed, Utf8FromPath(*options.csv), *failure);
    }
  }
  // Days of a span that could not be read have been told; their rows read are written.
  return view.daysNotRead > 0 ? kReportRefused : kReportDone;
}

}  // namespace

int RunReport(std::span<const std::string> arguments, std::ostream& out, std::ostream& err,
              const std::filesystem::path& programDirectory, PdfPrinter printPdf) {
  // Memory can run out anywhere a large archive is read, sorted or written; the reading says so
  // itself and keeps what it read, any other step ends here.
  try {
    return Report(arguments, out, err, programDirectory, printPdf);
  } catch (const std::bad_alloc&) {
  } catch (const std::length_error&) {
  }
  out.flush();
  err << kReportProgram << platform::OutOfMemoryText() << '\n';
  return kReportFailed;
}

}  // namespace telvoran
