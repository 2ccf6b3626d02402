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

// Writes the lines `produce` gives as the file `target`, which appears under its name only once
// complete. `produce` is called with a function that takes a line and returns false once
// writing has failed, after which it should stop. Returns nothing on success, else the
// platform's text for the failure; the target is then left as it was.
template <typename Produce>
std::optional<std::string> WriteReportFile(const std::filesystem::path& target, Produce produce) {
  ReplacingFile file(target);
  if (auto failure = file.Open()) return failure;
  ReportPieces pieces([&file](std::string_view piece) { return file.Write(piece); });
  produce([&pieces](std::string_view line) { return pieces.Add(line); });
  pieces.Flush();
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
  produce([&pieces](std::string_view line) { return pieces.Add(line); });
  pieces.Flush();
  if (out.good()) out.flush();
  if (out.good()) return std::nullopt;
  // A stream keeps no reason of its own; the system's last error is the best account of it.
  return std::generic_category().message(errno != 0 ? errno : EIO);
}

}  // namespace telvoran
