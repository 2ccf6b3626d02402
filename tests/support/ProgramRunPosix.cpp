#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>

#include "support/ProgramRun.h"
#include "support/TempDir.h"

namespace telvoran::test {

ProgramRun RunProgram(const std::filesystem::path& program,
                      const std::vector<std::string>& arguments,
                      const std::filesystem::path& folder) {
  const TempDir captured;
  const std::filesystem::path out = captured / "stdout";
  const std::filesystem::path err = captured / "stderr";
  std::vector<char*> argv = {const_cast<char*>(program.c_str())};
  for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);

  const pid_t child = ::fork();
  if (child == 0) {
    const int outFd = ::open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    const int errFd = ::open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (outFd < 0 || errFd < 0 || ::chdir(folder.c_str()) != 0 || ::dup2(outFd, 1) < 0 ||
        ::dup2(errFd, 2) < 0)
      std::_Exit(127);
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) ::unsetenv(name);
    ::execv(argv[0], argv.data());
    std::_Exit(127);
  }
  int status = 0;
  if (child < 0 || ::waitpid(child, &status, 0) != child) return {-1, {}, {}};
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, ReadBytes(out), ReadBytes(err)};
}

std::filesystem::path BuiltProgram(const std::string& name) {
  return std::filesystem::path(TELVORAN_BUILD_DIR) / name;
}

}  // namespace telvoran::test
