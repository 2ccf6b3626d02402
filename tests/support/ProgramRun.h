#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace telvoran::test {

struct ProgramRun {
  int exitStatus;  // -1 when the program could not be started or did not end by itself
  std::string out;
  std::string err;
};

// Runs the built `program` as a user would, with `arguments` (UTF-8), in the working folder
// `folder`, without a display (on POSIX neither DISPLAY, WAYLAND_DISPLAY nor QT_QPA_PLATFORM is
// passed on). Its standard output and standard error are captured byte for byte, outside
// `folder`.
ProgramRun RunProgram(const std::filesystem::path& program,
                      const std::vector<std::string>& arguments,
                      const std::filesystem::path& folder);

// A program of the build folder by its name, with the system's suffix for programs.
std::filesystem::path BuiltProgram(const std::string& name);

}  // namespace telvoran::test
