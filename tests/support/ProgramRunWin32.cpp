#define WIN32_LEAN_AND_MEAN
#define NOMINMAX
#include <windows.h>

#include <string>

#include "core/platform/Utf8Path.h"
#include "support/ProgramRun.h"
#include "support/TempDir.h"

namespace telvoran::test {
namespace {

// One argument as CommandLineToArgvW and the C runtime read it back: in quotes, a quote
// escaped by a backslash, and backslashes doubled only where a quote follows them.
std::wstring Quoted(const std::wstring& argument) {
  std::wstring quoted = L"\"";
  std::size_t backslashes = 0;
  for (const wchar_t c : argument) {
    if (c == L'\\') {
      ++backslashes;
      continue;
    }
    quoted.append(c == L'"' ? 2 * backslashes + 1 : backslashes, L'\\');
    backslashes = 0;
    quoted += c;
  }
  quoted.append(2 * backslashes, L'\\');
  return quoted + L"\"";
}

// A file the child writes its standard output or error into.
HANDLE InheritableFile(const std::filesystem::path& path) {
  SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
  return CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS,
                     FILE_ATTRIBUTE_NORMAL, nullptr);
}

}  // namespace

ProgramRun RunProgram(const std::filesystem::path& program,
                      const std::vector<std::string>& arguments,
                      const std::filesystem::path& folder) {
  const TempDir captured;
  const std::filesystem::path out = captured / "stdout";
  const std::filesystem::path err = captured / "stderr";
  std::wstring commandLine = Quoted(program.native());
  for (const std::string& argument : arguments) {
    commandLine += L" " + Quoted(PathFromUtf8(argument).native());
  }

  STARTUPINFOW startup = {};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = INVALID_HANDLE_VALUE;
  startup.hStdOutput = InheritableFile(out);
  startup.hStdError = InheritableFile(err);
  PROCESS_INFORMATION process = {};
  // On a busy machine wine now and then fails to start a process that starts the next time;
  // that says nothing of the program under test, so a start is tried a few times.
  bool started = false;
  DWORD startError = 0;
  for (int attempt = 0; attempt < 3 && !started; ++attempt) {
    if (attempt > 0) Sleep(500);
    started = CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, TRUE, 0,
                             nullptr, folder.c_str(), &startup, &process);
    if (!started) startError = GetLastError();
  }
  CloseHandle(startup.hStdOutput);
  CloseHandle(startup.hStdError);
  if (!started) return {-1, {}, "could not start the program: error " + std::to_string(startError)};

  WaitForSingleObject(process.hProcess, INFINITE);
  DWORD exitCode = 0;
  const bool ended = GetExitCodeProcess(process.hProcess, &exitCode);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return {ended ? static_cast<int>(exitCode) : -1, ReadBytes(out), ReadBytes(err)};
}

std::filesystem::path BuiltProgram(const std::string& name) {
  return std::filesystem::path(TELVORAN_BUILD_DIR) / (name + ".exe");
}

}  // namespace telvoran::test
