#include "shell/HelpU.h"

#include <QGuiApplication>
#include <QScreen>
#include <QTextEdit>
#include <QVBoxLayout>

#include "shell/ApplicationTitle.h"
#include "shell/Hint.h"
#include "shell/MainU.h"
#include "text/QtText.h"
#include "text/StringIds.h"
#include "text/StringLookup.h"

namespace telvoran {

THelpForm::THelpForm(TMainForm& mainForm) : mainForm_(mainForm) {
  setObjectName("HelpForm");
  setWindowTitle("HelpForm");
  resize(536, 439);
  RichEdit = new QTextEdit(this);
  RichEdit->setObjectName("RichEdit");
  RichEdit->setReadOnly(true);
  RichEdit->setStatusTip("Aby wydrukować tekst pomocy wciśnij prawy klawisz myszy");
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(RichEdit);
  // Centred on the screen the first time; later it opens wherever the user left it.
  if (const QScreen* screen = QGuiApplication::primaryScreen())
    move(screen->availableGeometry().center() - rect().center());
  FormCreate();
}

void THelpForm::FormCreate() {
  const StringLookup& strings = mainForm_.Strings();
  setWindowTitle(FromCp1250(strings.Text(sid::kHelpCaption)) + " \"" + kApplicationTitle + u'"');
  // The hint shows in the main window's status bar, never as a tooltip.
  RichEdit->setStatusTip(SplitHint(FromCp1250(strings.Text(sid::kHelpTextHint))).longPart);
  RichEdit->clear();
}

}  // namespace telvoran
