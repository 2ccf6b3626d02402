#include <iostream>
#include <string>
#include <vector>

#include "tools/mkarchive/MkArchiveCommand.h"

int main(int argc, char** argv) {
  const std::vector<std::string> arguments(argv + 1, argv + argc);
  return telvoran::RunMkArchive(arguments, std::cout, std::cerr);
}
