// The help window's print command: the help text on numbered pages.
#include <QTextBlock>
#include <QTextDocument>
#include <QTextEdit>

#include <vector>

#include "output/PageScheme.h"
#include "output/QtPageSurface.h"
#include "shell/HelpU.h"
#include "shell/MainU.h"
#include "shell/UserDialogs.h"
#include "text/QtText.h"

namespace telvoran {
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

void THelpForm::PrintPopUpClick() {
  QPrinter& printer = mainForm_.Printer();
  if (!mainForm_.Dialogs().PrintDialog(this, printer)) return;
  const QFont font = RichEdit->font();
  QtPageSurface surface(printer);
  const auto error = PrintHelpText(surface, mainForm_.Strings(), ToCp1250(mainForm_.TitleCopy()),
                                   ToCp1250(windowTitle()), HelpLines(*RichEdit->document()),
                                   font.family().toStdString(), font.pointSize());
  if (error) mainForm_.Reporter().ShowError(*error);
}

}  // namespace telvoran
