#include "core/platform/ReplacingFile.h"

#include <cerrno>
#include <cstdint>
#include <random>
#include <system_error>

#include "core/platform/NewFile.h"

namespace telvoran {
namespace {

constexpr std::size_t kBufferBytes = std::size_t{1} << 16;
constexpr int kNameAttempts = 100;

std::string ErrorText(int error) {
  return std::generic_category().message(error);
}

std::string RandomSuffix() {
  static std::mt19937_64 generator{std::random_device{}()};
  constexpr char kHexDigits[] = "0123456789abcdef";
  std::uint64_t bits = generator();
  std::string suffix;
  for (int digit = 0; digit < 16; ++digit, bits >>= 4) suffix += kHexDigits[bits & 0xF];
  return suffix;
}

bool HasNoWritePermission(std::filesystem::perms permissions) {
  using std::filesystem::perms;
  return (permissions & (perms::owner_write | perms::group_write | perms::others_write)) ==
         perms::none;
}

}  // namespace

ReplacingFile::ReplacingFile(std::filesystem::path target) : target_(std::move(target)) {}

ReplacingFile::~ReplacingFile() {
  Discard();
}

std::optional<std::string> ReplacingFile::Open() {
  if (auto refusal = CheckTarget()) return refusal;
  return CreateTemporaryFile();
}

bool ReplacingFile::Write(std::string_view bytes) {
  if (failure_ || stream_ == nullptr) return false;
  if (std::fwrite(bytes.data(), 1, bytes.size(), stream_) != bytes.size()) {
    failure_ = ErrorText(errno);
    return false;
  }
  return true;
}

std::optional<std::string> ReplacingFile::Commit() {
  if (stream_ == nullptr) return failure_ ? failure_ : ErrorText(EBADF);
  if (!failure_ && std::fflush(stream_) != 0) failure_ = ErrorText(errno);
  const int closed = std::fclose(stream_);
  const int closeError = errno;
  stream_ = nullptr;
  if (!failure_ && closed != 0) failure_ = ErrorText(closeError);
  if (!failure_ && targetPermissions_) {
    std::error_code ignored;  // the report itself is complete either way
    std::filesystem::permissions(temporary_, *targetPermissions_, ignored);
  }
  if (!failure_) {
    std::error_code renamed;
    std::filesystem::rename(temporary_, target_, renamed);
    if (renamed) failure_ = renamed.message();
  }
  if (failure_) {
    Discard();
    return failure_;
  }
  temporary_.clear();
  return std::nullopt;
}

// A rename would replace a directory's entry or a read-only file just as well as a writable
// file; refuse both up front, as writing into them in place would fail.
std::optional<std::string> ReplacingFile::CheckTarget() {
  std::error_code unknown;
  const auto status = std::filesystem::status(target_, unknown);
  if (std::filesystem::is_directory(status)) return ErrorText(EISDIR);
  if (!std::filesystem::exists(status)) return std::nullopt;
  if (HasNoWritePermission(status.permissions())) return ErrorText(EACCES);
  targetPermissions_ = status.permissions();
  return std::nullopt;
}

std::optional<std::string> ReplacingFile::CreateTemporaryFile() {
  const std::filesystem::path folder = target_.parent_path();
  for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
    std::filesystem::path candidate = folder / (".telvoran-" + RandomSuffix() + ".tmp");
    stream_ = platform::CreateNewFile(candidate);
    if (stream_ != nullptr) {
      temporary_ = std::move(candidate);
      std::setvbuf(stream_, nullptr, _IOFBF, kBufferBytes);
      return std::nullopt;
    }
    if (errno != EEXIST) return ErrorText(errno);
  }
  return ErrorText(EEXIST);
}

void ReplacingFile::Discard() {
  if (stream_ != nullptr) {
    std::fclose(stream_);
    stream_ = nullptr;
  }
  if (!temporary_.empty()) {
    std::error_code ignored;
    std::filesystem::remove(temporary_, ignored);
    temporary_.clear();
  }
}

}  // namespace telvoran
