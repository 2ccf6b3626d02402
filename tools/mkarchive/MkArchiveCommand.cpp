#include "tools/mkarchive/MkArchiveCommand.h"

#include <exception>

#include "tools/mkarchive/ArchiveGeneration.h"
#include "tools/mkarchive/OptionParser.h"
#include "tools/mkarchive/PlantFolder.h"
#include "tools/mkarchive/UsageText.h"

namespace telvoran {
namespace {

constexpr std::string_view kProgram = "telvoran-mkarchive: ";

}  // namespace

int RunMkArchive(std::span<const std::string> arguments, std::ostream& out, std::ostream& err) {
  // A plant's folder of many archives has options of its own.
  if (AsksForPlant(arguments)) return RunMkPlant(arguments, out, err);
  MkArchiveOptions options;
  try {
    options = ParseMkArchiveOptions(arguments);
  } catch (const UsageError& error) {
    err << kProgram << error.what() << "\nTry 'telvoran-mkarchive --help' for more.\n";
    return kExitUsage;
  }
  if (options.showHelp) {
    out << MkArchiveUsageText();
    return kExitSuccess;
  }
  if (options.showVersion) {
    out << "telvoran-mkarchive " << TELVORAN_VERSION << '\n';
    return kExitSuccess;
  }

  try {
    WriteArchive(options);
  } catch (const std::exception& error) {
    err << kProgram << error.what() << '\n';
    return kExitWriteFailed;
  }
  return kExitSuccess;
}

}  // namespace telvoran
