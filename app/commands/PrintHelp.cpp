// The help window's print command: the help text on numbered pages.
#include "app/commands/PrintHelp.h"

#include <QTextBlock>
#include <QTextDocument>
#include <QTextEdit>

#include <vector>

#include "app/ProgramState.h"
#include "app/QtText.h"
#include "app/commands/PrintJob.h"
#include "app/dialogs/UserDialogs.h"
#include "core/report/PageScheme.h"

namespace telvoran::commands {
namespace {

// The help text's paragraphs: each paragraph of the text control, and each piece of one that a
// forced line break ends; an empty text has none.
std::vector<std::string> HelpParagraphs(const QTextDocument& document) {
  std::vector<std::string> paragraphs;
  if (document.isEmpty()) return paragraphs;
  paragraphs.reserve(static_cast<std::size_t>(document.blockCount()));
  for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
    for (const QString& piece : block.text().split(QChar::LineSeparator))
      paragraphs.push_back(ToCp1250(piece));
  }
  return paragraphs;
}

}  // namespace

void PrintHelp(ProgramState& state, QWidget* parent, const QTextEdit& text, const QString& title) {
  if (!state.Dialogs().PrintDialog(parent, state.Printer())) return;
  const QFont font = text.font();
  const std::vector<std::string> paragraphs = HelpParagraphs(*text.document());
  PrintChosenPages(state, [&](PageSurface& surface) {
    return PrintHelpText(surface, state.Strings(), ToCp1250(state.TitleCopy()), ToCp1250(title),
                         paragraphs, font.family().toStdString(), font.pointSize());
  });
}

}  // namespace telvoran::commands
