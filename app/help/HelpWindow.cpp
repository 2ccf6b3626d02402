#include "app/help/HelpWindow.h"

#include <QFile>
#include <QGuiApplication>
#include <QMenu>
#include <QScreen>
#include <QTextEdit>
#include <QVBoxLayout>

#include "app/ApplicationTitle.h"
#include "app/ProgramState.h"
#include "app/QtText.h"
#include "app/commands/PrintHelp.h"
#include "app/Hint.h"
#include "app/dialogs/DialogReporter.h"
#include "app/richtext/RtfHelpText.h"
#include "core/archive/FailureReporter.h"
#include "core/text/StringIds.h"
#include "core/text/StringLookup.h"

namespace telvoran {
namespace {

QFont WindowFont() {
  QFont font("MS Sans Serif");
  font.setStyleHint(QFont::SansSerif);
  font.setPointSize(8);
  return font;
}

}  // namespace

HelpWindow::HelpWindow(ProgramState& state) : state_(state) {
  setObjectName("HelpWindow");
  setWindowTitle("HelpWindow");
  setFont(WindowFont());
  resize(536, 439);

  RichEdit = new QTextEdit(this);
  RichEdit->setObjectName("RichEdit");
  RichEdit->setReadOnly(true);
  RichEdit->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  RichEdit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  RichEdit->setStatusTip("Aby wydrukować tekst pomocy wciśnij prawy klawisz myszy");
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(RichEdit);

  // The context menu belongs to the whole window, the text included.
  PopupMenu = new QMenu(this);
  PrintPopUp = PopupMenu->addAction("&Drukuj pomoc");
  PrintPopUp->setStatusTip("Drukuje tekst pomocy");
  connect(PrintPopUp, &QAction::triggered, this, &HelpWindow::Print);
  // (The text control reports positions in its viewport's coordinates.)
  setContextMenuPolicy(Qt::CustomContextMenu);
  connect(this, &QWidget::customContextMenuRequested, this,
          [this](const QPoint& position) { ShowPopupMenu(this, position); });
  RichEdit->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(RichEdit, &QWidget::customContextMenuRequested, this,
          [this](const QPoint& position) { ShowPopupMenu(RichEdit->viewport(), position); });

  // Centred on the screen the first time; later it opens wherever the user left it.
  if (const QScreen* screen = QGuiApplication::primaryScreen())
    move(screen->availableGeometry().center() - rect().center());
  SetUpWindow();
}

void HelpWindow::SetUpWindow() {
  const StringLookup& strings = state_.Strings();
  setWindowTitle(FromCp1250(strings.Text(sid::kHelpCaption)) + " \"" + kApplicationTitle + u'"');
  // The hint shows in the main window's status bar, never as a tooltip.
  RichEdit->setStatusTip(SplitHint(FromCp1250(strings.Text(sid::kHelpTextHint))).longPart);
  PrintPopUp->setText(FromCp1250(strings.Text(sid::kHelpPrintCaption)));
  PrintPopUp->setStatusTip(SplitHint(FromCp1250(strings.Text(sid::kHelpPrintHint))).longPart);
  RichEdit->clear();
  LoadHelpFile();
}

void HelpWindow::LoadHelpFile() {
  QFile file(state_.ProgramDirectory() + kApplicationTitle + ".hlp");
  const FileInCaptions about(state_.Reporter(), file.fileName());
  if (!file.exists()) {
    ReportMessage(state_.Reporter(), state_.Strings(), sid::kHelpFileMissing);
    return;
  }
  if (!file.open(QIODevice::ReadOnly)) {
    state_.Reporter().ShowError(file.errorString().toStdString());
    return;
  }
  const QByteArray bytes = file.readAll();
  if (file.error() != QFileDevice::NoError) {
    state_.Reporter().ShowError(file.errorString().toStdString());
    return;
  }
  LoadHelpText(bytes, *RichEdit->document());
  RichEdit->moveCursor(QTextCursor::Start);
}

void HelpWindow::ShowPopupMenu(QWidget* source, const QPoint& position) {
  PopupMenu->popup(source->mapToGlobal(position));
}

void HelpWindow::Print() {
  commands::PrintHelp(state_, this, *RichEdit, windowTitle());
}

}  // namespace telvoran
