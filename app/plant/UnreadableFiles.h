#pragma once

#include <QString>

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

namespace telvoran {

class ProgramState;

// One message for the files of a folder's work that could not be read: the library's line,
// then each file with its failure, the first dozen of them named and the rest left as dots.
QString UnreadableFilesText(const ProgramState& state,
                            std::vector<std::pair<std::filesystem::path, std::string>> files);

}  // namespace telvoran
