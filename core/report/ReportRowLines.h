#pragma once

#include <cstddef>
#include <functional>
#include <string_view>

namespace telvoran {

class ReportSource;
class WorkProgress;

// Rows from this many on are built on two threads where the source allows it and the machine
// has a second core: a helper thread builds blocks of lines ahead, and the calling thread writes
// them in order and builds whichever block is next when it would otherwise wait. Fewer rows are
// built on the calling thread alone.
inline constexpr std::size_t kRowsForTwoThreads = std::size_t{32} << 10;

// Gives the display text of every row of `source`, in list order, each line ended by CR LF, to
// `write` in blocks of many lines. `write` returns false once writing has failed; no block
// follows then. The bytes are the same whichever thread built them. With `progress`, the rows
// written are told to it, and no block follows once it is asked to stop.
void ProduceReportRowLines(const ReportSource& source,
                           const std::function<bool(std::string_view)>& write,
                           WorkProgress* progress = nullptr);

// The same on the calling thread alone, whatever the number of rows: the reference for the
// above.
void ProduceReportRowLinesOnOneThread(const ReportSource& source,
                                      const std::function<bool(std::string_view)>& write);

}  // namespace telvoran
