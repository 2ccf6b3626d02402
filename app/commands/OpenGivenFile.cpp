#include "app/commands/OpenGivenFile.h"

#include <QFileInfo>

#include "app/ProgramState.h"
#include "app/QtText.h"
#include "app/commands/OpenArchive.h"
#include "app/commands/OpenFolder.h"
#include "app/dialogs/DialogReporter.h"
#include "core/archive/FailureReporter.h"
#include "core/text/StringIds.h"
#include "core/view/ViewTexts.h"

namespace telvoran::commands {

void OpenGivenFile(ProgramState& state, QMdiArea& area, const QString& fileName) {
  // A folder is a plant's: its catalogue.
  if (QFileInfo(fileName).isDir()) {
    OpenFolderPath(state, area, fileName);
    return;
  }
  if (ArchiveKindOfName(ToCp1250(QFileInfo(fileName).fileName())) == ArchiveKind::Other) {
    const FileInCaptions about(state.Reporter(), fileName);
    ReportMessage(state.Reporter(), state.Strings(), sid::kNotAnArchive);
    return;
  }
  OpenArchiveFile(state, area, fileName);
}

}  // namespace telvoran::commands
