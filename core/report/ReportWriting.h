#pragma once

#include <cerrno>
#include <cstddef>
#include <filesystem>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <system_error>

#include "core/platform/ReplacingFile.h"
#include "core/work/WorkProgress.h"

namespace telvoran {

// Lines of a report collected into pieces of about this size before they are written: a large
// report then costs a few thousand writes, not two for every row.
inline constexpr std::size_t kReportPieceBytes = std::size_t{64} << 10;

// Takes a report's lines one by one and hands them on to `write` in pieces, each line followed
// by CR LF. `write` takes a piece and returns false once writing has failed; every later line
// is refused then, so that the producer stops.
template <typename Write>
class ReportPieces {
 public:
  explicit ReportPieces(Write write) : write_(std::move(write)) {
    piece_.reserve(kReportPieceBytes + 256);
  }

  // Adds a line; false once writing has failed.
  bool Add(std::string_view line) {
    if (failed_) return false;
    piece_ += line;
    piece_ += "\r\n";
    if (piece_.size() >= kReportPieceBytes) Flush();
    return !failed_;
  }
  // Adds lines that end in CR LF already, written as they stand; false once writing has failed.
  bool AddLines(std::string_view lines) {
    if (failed_) return false;
    if (piece_.size() + lines.size() < kReportPieceBytes) {
      piece_ += lines;
      return true;
    }
    Flush();
    if (!failed_) failed_ = !write_(lines);
    return !failed_;
  }
  // Writes what is collected.
  void Flush() {
    if (!failed_ && !piece_.empty()) failed_ = !write_(std::string_view(piece_));
    piece_.clear();
  }

 private:
  Write write_;
  std::string piece_;
  bool failed_ = false;
};

// What a report's producer hands its lines to: add(line) takes one line, add.Lines(lines)
// several that end in CR LF already. Both return false once writing has failed, after which
// the producer should stop.
template <typename Pieces>
class ReportLineSink {
 public:
  explicit ReportLineSink(Pieces& pieces) : pieces_(pieces) {}
  bool operator()(std::string_view line) { return pieces_.Add(line); }
  bool Lines(std::string_view lines) { return pieces_.AddLines(lines); }

 private:
  Pieces& pieces_;
};

// Writes the lines `produce` gives as the file `target`, which appears under its name only once
// complete. `produce` is called with a ReportLineSink. Returns nothing on success, else the
// platform's text for the failure; the target is then left as it was. Once `progress` is asked
// to stop, the lines are refused and nothing is written: no file appears, an existing one stays
// as it was, and nothing is returned.
template <typename Produce>
std::optional<std::string> WriteReportFile(const std::filesystem::path& target, Produce produce,
                                           WorkProgress* progress = nullptr) {
  ReplacingFile file(target);
  if (auto failure = file.Open()) return failure;
  ReportPieces pieces([&file, progress](std::string_view piece) {
    return !StopAsked(progress) && file.Write(piece);
  });
  produce(ReportLineSink(pieces));
  pieces.Flush();
  // The file made so far goes with `file`.
  if (StopAsked(progress)) return std::nullopt;
  // A refused piece stopped the writing; Commit() says why.
  return file.Commit();
}

// The same onto `out`, which is flushed at the end; what was written before a failure stays
// written.
template <typename Produce>
std::optional<std::string> WriteReportStream(std::ostream& out, Produce produce) {
  errno = 0;
  ReportPieces pieces([&out](std::string_view piece) {
    out.write(piece.data(), static_cast<std::streamsize>(piece.size()));
    return out.good();
  });
  produce(ReportLineSink(pieces));
  pieces.Flush();
  if (out.good()) out.flush();
  if (out.good()) return std::nullopt;
  // A stream keeps no reason of its own; the system's last error is the best account of it.
  return std::generic_category().message(errno != 0 ? errno : EIO);
}

}  // namespace telvoran
