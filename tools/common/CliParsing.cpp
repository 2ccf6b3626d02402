#include "tools/common/CliParsing.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <vector>

namespace telvoran {
namespace {

// CLI11 lists the arguments it could not place last first; the first one given says most.
std::string Unexpected(std::span<const std::string> arguments,
                       const std::vector<std::string>& leftOver) {
  const auto first = std::find_if(arguments.begin(), arguments.end(), [&](const std::string& a) {
    return std::find(leftOver.begin(), leftOver.end(), a) != leftOver.end();
  });
  const std::string argument = first != arguments.end() ? *first : leftOver.front();
  return (argument.starts_with("-") ? "unknown option '" : "unexpected argument '") + argument +
         "'";
}

}  // namespace

std::optional<std::string> ParseWithCli11(CLI::App& app, std::span<const std::string> arguments) {
  try {
    // CLI11 takes the arguments last first.
    app.parse(std::vector<std::string>(arguments.rbegin(), arguments.rend()));
  } catch (const CLI::ExtrasError& error) {
    const std::vector<std::string> leftOver = app.remaining();
    return leftOver.empty() ? error.what() : Unexpected(arguments, leftOver);
  } catch (const CLI::ParseError& error) {
    return error.what();
  }
  return std::nullopt;
}

}  // namespace telvoran
