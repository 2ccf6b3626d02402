#include "app/help/AboutBox.h"

#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>

#include "app/ApplicationTitle.h"
#include "app/QtText.h"
#include "core/text/StringIds.h"
#include "core/text/StringLookup.h"

namespace telvoran {
namespace {

const QString kMakerLine = QStringLiteral("\u00A9 2026 Zesp\u00F3\u0142 Telvoran");

QLabel* PlacedLabel(QWidget* parent, int x, int y, int width, int lines = 1) {
  auto* label = new QLabel(parent);
  label->setGeometry(x, y, width, 16 * lines);
  label->setWordWrap(lines > 1);
  label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  return label;
}

}  // namespace

AboutBox::AboutBox(const StringLookup& strings, QWidget* parent)
    : QDialog(parent), strings_(strings) {
  setObjectName("AboutBox");
  setWindowTitle("AboutBox");
  setFixedSize(232, 166);
  QFont font = this->font();
  font.setPointSize(8);
  setFont(font);

  auto* panel = new QFrame(this);
  panel->setGeometry(13, 8, 206, 113);
  panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  auto* image = new QLabel(panel);
  image->setGeometry(16, 16, 32, 32);
  image->setPixmap((parent ? parent->windowIcon() : windowIcon()).pixmap(32, 32));
  ProductName = PlacedLabel(panel, 72, 16, 126);
  Version = PlacedLabel(panel, 72, 32, 126);
  // A library text may not fit one line of the panel: it gets a second one.
  Info = PlacedLabel(panel, 16, 60, 182, 2);
  Comments = PlacedLabel(panel, 16, 92, 182);

  OKButton = new QPushButton("OK", this);
  OKButton->setObjectName("OKButton");
  OKButton->setGeometry(78, 132, 75, 25);
  OKButton->setDefault(true);
  connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);
  SetUpTexts();
}

void AboutBox::SetUpTexts() {
  const StringLookup& strings = strings_;
  ProductName->setText(FromCp1250(strings.Text(sid::kAboutProduct)) + kApplicationTitle);
  Version->setText(FromCp1250(strings.Text(sid::kAboutVersion)) + "3.0");
  Info->setText(FromCp1250(strings.Text(sid::kAboutInfo)));
  Comments->setText(kMakerLine);
  setWindowTitle(FromCp1250(strings.Text(sid::kAboutCaption)));
  OKButton->setText(FromCp1250(strings.Text(sid::kAboutOk)));
}

void AboutBox::showEvent(QShowEvent* event) {
  // Centred on the screen the first time; later it opens where it was last.
  if (!shownBefore_) {
    shownBefore_ = true;
    if (const QScreen* screen = QGuiApplication::primaryScreen())
      move(screen->availableGeometry().center() - rect().center());
  }
  QDialog::showEvent(event);
}

}  // namespace telvoran
