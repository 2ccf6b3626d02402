#include "tools/report/OutputTargets.h"

#include <filesystem>
#include <optional>
#include <system_error>

#include "core/platform/Utf8Path.h"

namespace telvoran {
namespace {

// Where a name leads: an absolute path without links, "." or "..", or nothing when that cannot
// be worked out.
std::optional<std::filesystem::path> Place(const std::filesystem::path& name) {
  std::error_code failed;
  const std::filesystem::path absolute = std::filesystem::absolute(name, failed);
  if (failed) return std::nullopt;
  std::filesystem::path place = std::filesystem::weakly_canonical(absolute, failed);
  if (failed) return std::nullopt;
  return place;
}

// Whether two names lead to one file: the same existing file (through hard links too), or the
// same place for a file yet to be made.
bool SameFile(const std::filesystem::path& a, const std::filesystem::path& b) {
  std::error_code missing;
  if (std::filesystem::equivalent(a, b, missing)) return true;
  const auto placeA = Place(a);
  return placeA && placeA == Place(b);
}

}  // namespace

std::optional<std::string> FindOutputClash(const ReportOptions& options) {
  for (const auto& target : {options.output, options.pdf}) {
    if (target && SameFile(*target, options.archive)) {
      return Utf8FromPath(*target) + ": this is the archive itself; name another file";
    }
  }
  if (options.output && options.pdf && SameFile(*options.output, *options.pdf)) {
    return "--output and --pdf name the same file";
  }
  return std::nullopt;
}

}  // namespace telvoran
