// The help window's print command: the help text on numbered pages.
#include "app/commands/PrintHelp.h"

#include <QTextBlock>
#include <QTextDocument>
#include <QTextEdit>

#include <vector>

#include "app/ProgramState.h"
#include "app/QtText.h"
#include "app/dialogs/UserDialogs.h"
#include "app/printing/QtPageSurface.h"
#include "core/report/PageScheme.h"

namespace telvoran::commands {
namespace {

// The help text's lines: each paragraph of the text control is one line; an empty text has none.
std::vector<std::string> HelpLines(const QTextDocument& document) {
  std::vector<std::string> lines;
  if (document.isEmpty()) return lines;
  lines.reserve(static_cast<std::size_t>(document.blockCount()));
  for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
    lines.push_back(ToCp1250(block.text()));
  return lines;
}

}  // namespace

void PrintHelp(ProgramState& state, QWidget* parent, const QTextEdit& text, const QString& title) {
  QPrinter& printer = state.Printer();
  if (!state.Dialogs().PrintDialog(parent, printer)) return;
  const QFont font = text.font();
  QtPageSurface surface(printer);
  const auto error =
      PrintHelpText(surface, state.Strings(), ToCp1250(state.TitleCopy()), ToCp1250(title),
                    HelpLines(*text.document()), font.family().toStdString(), font.pointSize());
  if (error) state.Reporter().ShowError(*error);
}

}  // namespace telvoran::commands
