#pragma once

#include <QString>

#include <string_view>

namespace telvoran::platform {

// The display this process shows its windows on, as a part of a file name: "-71" for the X
// display ":71" (its screen numbers aside), "-wayland-0" for that Wayland socket; empty on a
// platform without one (`platformName` is Qt's, "xcb", "wayland", "offscreen"...).
QString DisplayPart(const QString& platformName);

// Where the single-instance guard `guardName` and its hand-over socket lie, without the ending
// that tells them apart: one folder for both, the user's runtime folder as Qt checks it (private
// to the user; Qt makes a private one in the temp folder when the session names none it can use),
// and a name with the display in it, so that copies on two displays of one user do not take each
// other's files. Empty when there is no such folder.
QString SessionPlace(std::string_view guardName);

}  // namespace telvoran::platform
