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
  struct Target {
    const char* option;
    const std::optional<std::filesystem::path>& path;
  };
  const Target targets[] = {
      {"--output", options.output}, {"--pdf", options.pdf}, {"--csv", options.csv}};
  for (const Target& target : targets) {
    if (target.path && SameFile(*target.path, options.archive)) {
      return Utf8FromPath(*target.path) + ": this is the archive itself; name another file";
    }
  }
  for (std::size_t a = 0; a < std::size(targets); ++a) {
    for (std::size_t b = a + 1; b < std::size(targets); ++b) {
      if (targets[a].path && targets[b].path && SameFile(*targets[a].path, *targets[b].path)) {
        return std::string(targets[a].option) + " and " + targets[b].option + " name the same file";
      }
    }
  }
  return std::nullopt;
}

}  // namespace telvoran
