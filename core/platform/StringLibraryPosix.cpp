// Loads the string library by reading its file as data (every platform but Windows).
#include <array>
#include <fstream>
#include <optional>
#include <system_error>
#include <vector>

#include "core/text/StringLibrary.h"

namespace telvoran {
namespace {

// The whole of a regular file of at most `maxBytes` bytes; none otherwise.
std::optional<std::vector<unsigned char>> ReadSmallFile(const std::filesystem::path& path,
                                                        std::uintmax_t maxBytes) {
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error)) return std::nullopt;
  const std::uintmax_t size = std::filesystem::file_size(path, error);
  if (error || size > maxBytes) return std::nullopt;

  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::vector<unsigned char> bytes;
  bytes.reserve(size);
  // The file may change after its size was taken: the read stops anyway past the limit.
  std::array<char, 64 * 1024> chunk;
  while (in.read(chunk.data(), chunk.size()) || in.gcount() > 0) {
    bytes.insert(bytes.end(), chunk.data(), chunk.data() + in.gcount());
    if (bytes.size() > maxBytes) return std::nullopt;
  }
  if (in.bad()) return std::nullopt;
  return bytes;
}

}  // namespace

std::unique_ptr<StringLookup> LoadStringLibrary(const std::filesystem::path& programDirectory) {
  if (!programDirectory.is_absolute()) return nullptr;
  const std::optional<std::vector<unsigned char>> bytes =
      ReadSmallFile(programDirectory / kStringLibraryFileName, kMaxStringLibraryBytes);
  if (!bytes) return nullptr;
  return ParseStringLibrary(*bytes);
}

}  // namespace telvoran
