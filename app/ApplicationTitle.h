#pragma once

#include <QString>

namespace telvoran {

// The application title: the caption of the main window and of every message box.
inline const QString kApplicationTitle = QStringLiteral("Telvoran");

// The caption of a message box about the file at `path`: its name, then the application title,
// so that boxes about two files tell them apart.
QString FileMessageCaption(const QString& path);

// The title an application has before it sets its own: the program file's name without its
// folder, cut at its first dot, its first letter kept and the rest in lower case.
QString DefaultApplicationTitle(const QString& programFilePath);

}  // namespace telvoran
