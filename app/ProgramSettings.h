#pragma once

#include <QSettings>

namespace telvoran {

// The user's settings of the program (organisation and application "Telvoran"): the archives
// opened last and the main window's size and place.
QSettings ProgramSettings();

}  // namespace telvoran
