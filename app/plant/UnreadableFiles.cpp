#include "app/plant/UnreadableFiles.h"

#include <algorithm>

#include "app/ProgramState.h"
#include "app/QtText.h"
#include "core/text/StringIds.h"

namespace telvoran {

QString UnreadableFilesText(const ProgramState& state,
                            std::vector<std::pair<std::filesystem::path, std::string>> files) {
  constexpr std::size_t kNamedFiles = 12;
  std::sort(files.begin(), files.end());
  QString text = state.Text(sid::kFindUnreadFiles);
  for (std::size_t i = 0; i < files.size(); ++i) {
    if (i == kNamedFiles) {
      text += "\n...";
      break;
    }
    text += "\n" + FromFileSystemPath(files[i].first) + ": " +
            FromCp1250(files[i].second).replace('\r', ' ');
  }
  return text;
}

}  // namespace telvoran
