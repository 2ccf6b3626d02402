#pragma once

#include <filesystem>

#include "core/view/DaySpan.h"
#include "core/view/ViewContent.h"

namespace telvoran {

class FailureReporter;
class StringLookup;

// Why an archive gives no view.
enum class ViewRefusal {
  None,
  // A library message or the platform's text has gone to the archive's failure reporter.
  Reported,
  // The file name ends neither in ".czt" nor in ".zdr".
  UnsupportedKind,
  // No panel of that number: 1 to 5 in an interval view, 1 to 7 in an event view.
  ColumnOutOfRange,
  // The panel of a channel the archive does not have, which cannot be clicked.
  AbsentChannel,
};

struct ArchiveView {
  ViewRefusal refusal = ViewRefusal::None;
  ViewContent content;
  // Of a span, the days that could not be read wholly (told); their rows read are kept.
  std::size_t daysNotRead = 0;
};

// The view the open command makes of the archive at `path`, with its rows built for
// `sortColumn` as clicking that column's panel would rebuild them: the same checks, failures
// and texts, the caption being the file name. Failures go to `reporter`. The file is closed
// again whatever happens.
ArchiveView ReadArchiveView(const StringLookup& strings, FailureReporter& reporter,
                            const std::filesystem::path& path, int sortColumn);

// The view over a span of days the catalogue window opens, with its rows built for
// `sortColumn`: the same checks, failures and texts. A day that cannot be read is told and the
// view is still made, with the rows read.
ArchiveView ReadSpanView(const StringLookup& strings, FailureReporter& reporter, DaySpan span,
                         int sortColumn);

// The number of column panels of a view of `kind`.
int ColumnCount(ArchiveKind kind);

}  // namespace telvoran
