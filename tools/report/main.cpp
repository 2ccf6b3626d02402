#include <iostream>
#include <string>
#include <vector>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <stdio.h>
#endif

#include "tools/report/ProgramDirectory.h"
#include "tools/report/ReportCommand.h"

int main(int argc, char** argv) {
#ifdef _WIN32
  // The report carries its own CR LF line ends; a text-mode stream would double the CR.
  _setmode(_fileno(stdout), _O_BINARY);
#endif
  // The report's lines go through the stream's own buffer, not C stdio's, a large one so that a
  // big report takes few writes.
  std::ios::sync_with_stdio(false);
  static char outputBuffer[1 << 20];
  std::cout.rdbuf()->pubsetbuf(outputBuffer, sizeof outputBuffer);
  const std::vector<std::string> arguments(argv + 1, argv + argc);
  return telvoran::RunReport(arguments, std::cout, std::cerr, telvoran::ProgramDirectory());
}
