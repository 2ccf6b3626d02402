// Loads the string library on Windows: mapped as an image resource, never as code.
#define WIN32_LEAN_AND_MEAN
#define NOMINMAX
#include <windows.h>

#include <algorithm>
#include <array>

#include "core/text/StringIds.h"
#include "core/text/StringLibrary.h"

namespace telvoran {
namespace {

BOOL CALLBACK TakeFirstLanguage(HMODULE, LPCWSTR, LPCWSTR, WORD language, LONG_PTR found) {
  *reinterpret_cast<WORD*>(found) = language;
  return FALSE;  // the first language is the one a lookup takes
}

// The language of the string table block that holds the library's first text; 0 for none.
std::uint16_t FirstBlockLanguage(HMODULE module) {
  WORD language = 0;
  const auto block = static_cast<ULONG_PTR>(sid::kFirst / 16 + 1);
  EnumResourceLanguagesW(module, MAKEINTRESOURCEW(6) /* RT_STRING */, MAKEINTRESOURCEW(block),
                         TakeFirstLanguage, reinterpret_cast<LONG_PTR>(&language));
  return language;
}

class Win32StringLibrary : public StringLookup {
 public:
  explicit Win32StringLibrary(HMODULE module)
      : module_(module), languageId_(FirstBlockLanguage(module)) {}
  ~Win32StringLibrary() override { FreeLibrary(module_); }
  Win32StringLibrary(const Win32StringLibrary&) = delete;
  Win32StringLibrary& operator=(const Win32StringLibrary&) = delete;

  // The view points into this object's buffer and stays valid until the next lookup.
  std::string_view Text(int id) const override {
    // With a buffer size of 0, LoadStringW hands out a read-only pointer to the UTF-16 text in
    // the resource itself. Converting it here rather than with LoadStringA gives Windows-1250
    // whatever the system's ANSI code page is.
    const wchar_t* text = nullptr;
    const int length =
        LoadStringW(module_, static_cast<UINT>(id), reinterpret_cast<LPWSTR>(&text), 0);
    if (length <= 0 || text == nullptr) return {};
    const std::string converted = ToLibraryText(std::u16string_view(
        reinterpret_cast<const char16_t*>(text), static_cast<std::size_t>(length)));
    const auto end = std::copy(converted.begin(), converted.end(), buffer_.begin());
    return std::string_view(buffer_.data(), static_cast<std::size_t>(end - buffer_.begin()));
  }

  std::uint16_t LanguageId() const override { return languageId_; }

 private:
  HMODULE module_;
  std::uint16_t languageId_;
  mutable std::array<char, kMaxTextLength + 1> buffer_{};
};

// Holds the library file open while it is loaded, letting others read it but neither change,
// replace nor delete it, so that the file whose size was checked is the file that is mapped.
class HeldFile {
 public:
  explicit HeldFile(const std::filesystem::path& path)
      : handle_(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr)) {}
  ~HeldFile() {
    if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
  }
  HeldFile(const HeldFile&) = delete;
  HeldFile& operator=(const HeldFile&) = delete;

  // A file on a disk (not a folder, pipe or device) of at most `maxBytes` bytes.
  bool IsDiskFileOfAtMost(std::uintmax_t maxBytes) const {
    if (handle_ == INVALID_HANDLE_VALUE || GetFileType(handle_) != FILE_TYPE_DISK) return false;
    LARGE_INTEGER size;
    return GetFileSizeEx(handle_, &size) && static_cast<std::uintmax_t>(size.QuadPart) <= maxBytes;
  }

 private:
  HANDLE handle_;
};

}  // namespace

std::unique_ptr<StringLookup> LoadStringLibrary(const std::filesystem::path& programDirectory) {
  // The full path keeps the system from searching other directories for the file; the wide
  // form keeps a program directory whose name the ANSI code page cannot spell usable.
  if (!programDirectory.is_absolute()) return nullptr;
  const std::filesystem::path path = programDirectory / kStringLibraryFileName;
  const HeldFile file(path);
  if (!file.IsDiskFileOfAtMost(kMaxStringLibraryBytes)) return nullptr;
  const HMODULE module = LoadLibraryExW(path.c_str(), nullptr,
                                        LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
  if (module == nullptr) return nullptr;
  return std::make_unique<Win32StringLibrary>(module);
}

}  // namespace telvoran
