#include "tools/report/OutputTargets.h"

#include <filesystem>
#include <optional>
#include <system_error>
#ifdef _WIN32
#include <cwctype>
#endif

#include "core/platform/Utf8Path.h"
#include "core/text/StringLibrary.h"

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

// Whether `file` is a program or module of `folder`: a file there that the system would run
// (on Windows, an .exe or .dll).
bool IsProgramFile(const std::filesystem::directory_entry& file) {
  std::error_code unknown;
  if (!file.is_regular_file(unknown)) return false;
#ifdef _WIN32
  std::wstring extension = file.path().extension().wstring();
  for (wchar_t& c : extension) c = static_cast<wchar_t>(std::towlower(c));
  return extension == L".exe" || extension == L".dll";
#else
  using std::filesystem::perms;
  constexpr perms kRunnable = perms::owner_exec | perms::group_exec | perms::others_exec;
  return (file.status(unknown).permissions() & kRunnable) != perms::none;
#endif
}

// Why `target` is a file of the program in `programDirectory`, if it is one.
std::optional<std::string> ProgramFileClash(const std::filesystem::path& target,
                                            const std::filesystem::path& programDirectory) {
  if (programDirectory.empty()) return std::nullopt;
  if (SameFile(target, programDirectory / kStringLibraryFileName))
    return Utf8FromPath(target) + ": this is the program's string library; name another file";
  std::error_code unknown;
  if (!std::filesystem::exists(target, unknown)) return std::nullopt;
  std::filesystem::directory_iterator file(programDirectory, unknown);
  for (; !unknown && file != std::filesystem::directory_iterator(); file.increment(unknown)) {
    std::error_code different;
    if (IsProgramFile(*file) && std::filesystem::equivalent(file->path(), target, different))
      return Utf8FromPath(target) + ": this is a file of the program itself; name another file";
  }
  return std::nullopt;
}

}  // namespace

std::optional<std::string> FindOutputClash(const ReportOptions& options,
                                           const std::filesystem::path& programDirectory) {
  struct Target {
    const char* option;
    const std::optional<std::filesystem::path>& path;
  };
  const Target targets[] = {
      {"--output", options.output}, {"--pdf", options.pdf}, {"--csv", options.csv}};
  for (const Target& target : targets) {
    for (const std::filesystem::path& archive : options.archives) {
      if (target.path && SameFile(*target.path, archive)) {
        return Utf8FromPath(*target.path) + ": this is the archive itself; name another file";
      }
    }
    if (target.path) {
      if (auto clash = ProgramFileClash(*target.path, programDirectory)) return clash;
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
