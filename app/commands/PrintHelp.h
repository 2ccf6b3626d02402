#pragma once

class QString;
class QTextEdit;
class QWidget;

namespace telvoran {
class ProgramState;
}

namespace telvoran::commands {

// The help window's print command: the print dialog, then the help text of `text` on numbered
// pages under the heading `title`, in the text control's font.
void PrintHelp(ProgramState& state, QWidget* parent, const QTextEdit& text, const QString& title);

}  // namespace telvoran::commands
