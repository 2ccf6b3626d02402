#pragma once

#include <QString>
#include <QStringList>

#include <chrono>

namespace telvoran::handover {

// A later copy's end of the hand-over: gives `absolutePaths` to the copy listening under
// `serverName` and waits for it to accept them. True once the running copy has taken the
// files; false when nothing listens, the peer does not answer as it should, or `limit` passes
// first. Blocks the calling thread for at most about `limit`.
bool HandOverFiles(const QString& serverName, const QStringList& absolutePaths,
                   std::chrono::milliseconds limit);

}  // namespace telvoran::handover
