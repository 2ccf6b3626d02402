#pragma once

#include <string>
#include <vector>

namespace telvoran {

// The program's arguments, without its name, as UTF-8 text. On Windows they come from the wide
// command line: the narrow argv holds them in the ANSI code page, which cannot spell every file
// name. Elsewhere argv already holds the system's own bytes, which pass unchanged.
std::vector<std::string> Utf8Arguments(int argc, char** argv);

// Lets standard output and standard error pass bytes unchanged, so that a tool prints the same
// bytes on every system: on Windows the C runtime would otherwise write each line feed as CR LF.
void UseBinaryStandardStreams();

}  // namespace telvoran
