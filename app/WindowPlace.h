#pragma once

#include <QRect>

class QWidget;

namespace telvoran {

// `window` (the frame's outer rectangle) moved and, if need be, shrunk to lie within `screen`
// (the screen's available area): a window wider or taller than the screen, as the usual 800 x 600
// is at a large scale factor, never hides its title or status bar beyond the screen's edge.
QRect FittedToScreen(const QRect& window, const QRect& screen);

// Gives `window` the size and place it had when the program last ended, from the program's
// settings, or keeps its own; either way fitted to the screen it is on.
void RestoreWindowPlace(QWidget& window);
// Keeps the size and place of `window` in the program's settings for the next start.
void KeepWindowPlace(const QWidget& window);

}  // namespace telvoran
