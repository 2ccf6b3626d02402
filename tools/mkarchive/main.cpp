#include <iostream>

#include "tools/common/CommandLine.h"
#include "tools/mkarchive/MkArchiveCommand.h"

int main(int argc, char** argv) {
  telvoran::UseBinaryStandardStreams();
  return telvoran::RunMkArchive(telvoran::Utf8Arguments(argc, argv), std::cout, std::cerr);
}
