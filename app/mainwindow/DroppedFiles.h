#pragma once

#include <QStringList>

class QMimeData;

namespace telvoran {

// The local files among what is dragged, in the order given; addresses of anything else (web
// pages, remote files) and texts are left out.
QStringList DroppedLocalFiles(const QMimeData& data);

}  // namespace telvoran
