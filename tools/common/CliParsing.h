#pragma once

#include <optional>
#include <span>
#include <string>

namespace CLI {
class App;
}

namespace telvoran {

// Reads `arguments` (without the program's name) into the options of `app`. Returns why the
// command line cannot be read, in CLI11's words except for an argument that no option takes:
// "unknown option '--x'" or "unexpected argument 'x'", naming the first such argument given.
std::optional<std::string> ParseWithCli11(CLI::App& app, std::span<const std::string> arguments);

}  // namespace telvoran
