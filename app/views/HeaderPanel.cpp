#include "app/views/HeaderPanel.h"

#include <QMouseEvent>

#include "app/QtText.h"
#include "app/Hint.h"

namespace telvoran {

HeaderPanel::HeaderPanel(QWidget* parent) : QLabel(parent) {
  setAlignment(Qt::AlignCenter);
  setLineWidth(2);
  SetLowered(false);
}

void HeaderPanel::SetCaption(std::string_view caption) {
  caption_ = caption;
  setText(FromCp1250(caption));
}

void HeaderPanel::SetHint(std::string_view hint) {
  // Hints of the panels appear in the status bar only, never as a tooltip: their long part.
  setStatusTip(SplitHint(FromCp1250(hint)).longPart);
}

void HeaderPanel::SetLowered(bool lowered) {
  lowered_ = lowered;
  setFrameStyle(QFrame::Panel | (lowered ? QFrame::Sunken : QFrame::Raised));
}

void HeaderPanel::mousePressEvent(QMouseEvent* event) {
  pressed_ = event->button() == Qt::LeftButton;
  QLabel::mousePressEvent(event);
}

void HeaderPanel::mouseReleaseEvent(QMouseEvent* event) {
  const bool click =
      pressed_ && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
  pressed_ = false;
  QLabel::mouseReleaseEvent(event);
  if (click) emit clicked();
}

}  // namespace telvoran
