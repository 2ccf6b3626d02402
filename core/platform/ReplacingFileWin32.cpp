// ReplacingFile's file operations on Windows.
#include <algorithm>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "core/platform/ReplacingFile.h"
#include "core/platform/Win32ErrorText.h"

namespace telvoran {
namespace {

constexpr int kNameAttempts = 100;
constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
// The file being written is held open until it is finished, while a writer that writes by name
// (the PDF printer) opens it once more: Windows refuses that second opening unless this one
// shares writing.
constexpr DWORD kShareWithWriterByName = FILE_SHARE_READ | FILE_SHARE_WRITE;

using platform::Win32ErrorText;

HANDLE Handle(void* handle) {
  return static_cast<HANDLE>(handle);
}

std::wstring RandomSuffix() {
  static std::mt19937_64 generator{std::random_device{}()};
  constexpr wchar_t kHexDigits[] = L"0123456789abcdef";
  std::uint64_t bits = generator();
  std::wstring suffix;
  for (int digit = 0; digit < 16; ++digit, bits >>= 4) suffix += kHexDigits[bits & 0xF];
  return suffix;
}

// The file a symbolic link (or a chain of them) leads to, as the system resolves it; the name
// itself when it is no link or leads nowhere.
std::filesystem::path ResolveLinks(const std::filesystem::path& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_REPARSE_POINT))
    return path;
  const HANDLE file = CreateFileW(path.c_str(), 0, kShareAll, nullptr, OPEN_EXISTING,
                                  FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (file == INVALID_HANDLE_VALUE) return path;
  std::vector<wchar_t> name(MAX_PATH);
  DWORD length = 0;
  for (;;) {
    length = GetFinalPathNameByHandleW(file, name.data(), static_cast<DWORD>(name.size()),
                                       FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
    if (length < name.size()) break;
    name.resize(length + 1);  // the length needed, with the terminating zero
  }
  CloseHandle(file);
  return length == 0 ? path : std::filesystem::path(std::wstring(name.data(), length));
}

// What is known of an existing target before writing: whether a new file may take its place.
struct TargetFacts {
  bool exists = false;
  bool directory = false;
  bool readOnly = false;
  bool onDisk = true;  // false for a device such as NUL
  DWORD links = 1;
  DWORD attributes = FILE_ATTRIBUTE_NORMAL;
};

std::optional<DWORD> LookAtTarget(const std::filesystem::path& path, TargetFacts& facts) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    const DWORD error = GetLastError();
    if (error == ERROR_FILE_NOT_FOUND) return std::nullopt;
    return error;
  }
  facts.exists = true;
  facts.attributes = attributes;
  facts.directory = attributes & FILE_ATTRIBUTE_DIRECTORY;
  facts.readOnly = attributes & FILE_ATTRIBUTE_READONLY;
  if (facts.directory || facts.readOnly) return std::nullopt;
  const HANDLE file = CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES, kShareAll, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return std::nullopt;  // writing will say what is wrong
  facts.onDisk = GetFileType(file) == FILE_TYPE_DISK;
  BY_HANDLE_FILE_INFORMATION information;
  if (facts.onDisk && GetFileInformationByHandle(file, &information))
    facts.links = information.nNumberOfLinks;
  CloseHandle(file);
  return std::nullopt;
}

// NTFS writes its log up to a file's latest change, the rename that gave it its name
// included, when the file is flushed; a file system that cannot do that refuses, and the
// report is complete and in place either way, so nothing is reported.
void FlushRenamedFile(const std::filesystem::path& path) {
  const HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, kShareAll, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  FlushFileBuffers(file);
  CloseHandle(file);
}

// ReplaceFileW of some systems makes a temporary name of its own for the old file in a buffer
// of MAX_PATH characters, and writes past it when the folder's name is longer; a file whose
// name leaves no room for that takes the old one's place by a plain move instead.
bool ReplaceFileHandles(const std::filesystem::path& path) {
  constexpr std::size_t kTemporaryNameRoom = 16;  // "\" + prefix + four digits + ".tmp", with room
  return path.native().size() + kTemporaryNameRoom < MAX_PATH;
}

}  // namespace

std::optional<std::string> ReplacingFile::OpenFile() {
  finalPath_ = ResolveLinks(target_);
  TargetFacts target;
  if (const auto error = LookAtTarget(finalPath_, target)) return Win32ErrorText(*error);
  // Writing into them in place would be refused too: a read-only file is not replaced behind
  // its back, and a folder is no report.
  if (target.directory || target.readOnly) return Win32ErrorText(ERROR_ACCESS_DENIED);
  targetExisted_ = target.exists;
  targetAttributes_ = target.attributes;
  regularFile_ = target.onDisk;
  // A new file would take one name of a file with several, or the place of a device.
  inPlace_ = !target.onDisk || target.links > 1;

  if (!inPlace_) {
    const std::filesystem::path folder = finalPath_.parent_path();
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
      const std::filesystem::path candidate = folder / (L".telvoran-" + RandomSuffix() + L".tmp");
      const HANDLE file =
          CreateFileW(candidate.c_str(), GENERIC_WRITE, kShareWithWriterByName, nullptr,
                      CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
      if (file != INVALID_HANDLE_VALUE) {
        handle_ = file;
        temporary_ = candidate;
        break;
      }
      const DWORD error = GetLastError();
      if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) break;
    }
    // Where no new file can be made in the folder, the file is rewritten in place; a new file
    // is then made under its own name, which gives the reason if that fails too.
    inPlace_ = Handle(handle_) == INVALID_HANDLE_VALUE;
  }

  if (inPlace_) {
    // OPEN_ALWAYS keeps an existing file, its attributes and its other names; it is emptied
    // below. CREATE_ALWAYS would refuse a hidden file.
    const HANDLE file = CreateFileW(finalPath_.c_str(), GENERIC_WRITE, kShareWithWriterByName,
                                    nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return Win32ErrorText(GetLastError());
    handle_ = file;
    if (regularFile_ && !SetEndOfFile(file)) return Win32ErrorText(GetLastError());
  }
  return std::nullopt;
}

std::optional<std::string> ReplacingFile::WriteOut(std::string_view bytes) {
  if (Handle(handle_) == INVALID_HANDLE_VALUE) return Win32ErrorText(ERROR_INVALID_HANDLE);
  while (!bytes.empty()) {
    const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), DWORD{1} << 30));
    DWORD written = 0;
    if (!WriteFile(Handle(handle_), bytes.data(), chunk, &written, nullptr))
      return Win32ErrorText(GetLastError());
    bytes.remove_prefix(written);
  }
  return std::nullopt;
}

// The order matters for a power cut: the new bytes are on the disk before the name leads to
// them, and the rename is on the disk before the command says it is done.
std::optional<std::string> ReplacingFile::FinishFile() {
  if (Handle(handle_) == INVALID_HANDLE_VALUE) return Win32ErrorText(ERROR_INVALID_HANDLE);
  // A device has no data of its own to flush.
  if (regularFile_ && !FlushFileBuffers(Handle(handle_))) return Win32ErrorText(GetLastError());
  const BOOL closed = CloseHandle(Handle(handle_));
  handle_ = INVALID_HANDLE_VALUE;
  if (!closed) return Win32ErrorText(GetLastError());
  if (inPlace_) return std::nullopt;

  constexpr DWORD kMoveFlags = MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH;
  // The new file takes the old one's attributes (hidden, archive, ...) whichever way it takes
  // its place; not every ReplaceFileW carries them over.
  if (targetExisted_) SetFileAttributesW(temporary_.c_str(), targetAttributes_);
  if (targetExisted_ && ReplaceFileHandles(finalPath_)) {
    // ReplaceFileW gives the new file the old one's permissions (ACL) and owner too; a plain
    // move leaves it those the folder gives a new file, as they mostly were for the old one.
    if (ReplaceFileW(finalPath_.c_str(), temporary_.c_str(), nullptr,
                     REPLACEFILE_IGNORE_MERGE_ERRORS | REPLACEFILE_IGNORE_ACL_ERRORS, nullptr,
                     nullptr)) {
      temporary_.clear();
      FlushRenamedFile(finalPath_);
      return std::nullopt;
    }
    const DWORD error = GetLastError();
    // The old file is gone already (deleted meanwhile, or removed by ReplaceFileW before it
    // failed to rename the new one): the new one only has to take its name.
    if (error != ERROR_UNABLE_TO_MOVE_REPLACEMENT && error != ERROR_FILE_NOT_FOUND)
      return Win32ErrorText(error);
  }
  if (!MoveFileExW(temporary_.c_str(), finalPath_.c_str(), kMoveFlags))
    return Win32ErrorText(GetLastError());
  temporary_.clear();
  return std::nullopt;
}

void ReplacingFile::Discard() {
  if (Handle(handle_) != INVALID_HANDLE_VALUE) CloseHandle(Handle(handle_));
  handle_ = INVALID_HANDLE_VALUE;
  if (!temporary_.empty()) DeleteFileW(temporary_.c_str());
  temporary_.clear();
}

}  // namespace telvoran
