#include "app/handover/HandOverClient.h"

#include <QDeadlineTimer>
#include <QLocalSocket>
#include <QThread>

#include "app/handover/HandOverMessage.h"

namespace telvoran::handover {
namespace {

int RemainingMs(const QDeadlineTimer& deadline) {
  return static_cast<int>(std::max<qint64>(deadline.remainingTime(), 0));
}

// Tries again while nothing listens yet: the running copy may have claimed the guard a moment
// ago and not yet opened its socket.
bool Connect(QLocalSocket& socket, const QString& serverName, const QDeadlineTimer& deadline) {
  constexpr int kRetryPauseMs = 50;
  while (true) {
    socket.connectToServer(serverName);
    if (socket.waitForConnected(RemainingMs(deadline))) return true;
    socket.abort();
    if (deadline.remainingTime() <= kRetryPauseMs) return false;
    QThread::msleep(kRetryPauseMs);
  }
}

bool WriteAll(QLocalSocket& socket, const QByteArray& bytes, const QDeadlineTimer& deadline) {
  if (socket.write(bytes) != bytes.size()) return false;
  while (socket.bytesToWrite() > 0)
    if (!socket.waitForBytesWritten(RemainingMs(deadline))) return false;
  return true;
}

bool ReadReply(QLocalSocket& socket, const QByteArray& expected, const QDeadlineTimer& deadline) {
  QByteArray reply;
  while (reply.size() < expected.size()) {
    if (socket.bytesAvailable() == 0 && !socket.waitForReadyRead(RemainingMs(deadline)))
      return false;
    reply += socket.read(expected.size() - reply.size());
  }
  return reply == expected;
}

}  // namespace

bool HandOverFiles(const QString& serverName, const QStringList& absolutePaths,
                   std::chrono::milliseconds limit) {
  if (serverName.isEmpty() || absolutePaths.isEmpty()) return false;
  const QDeadlineTimer deadline(limit);
  QLocalSocket socket;
  return Connect(socket, serverName, deadline) &&
         WriteAll(socket, EncodeRequest(absolutePaths), deadline) &&
         ReadReply(socket, kAccepted, deadline) && WriteAll(socket, kConfirmed, deadline);
}

}  // namespace telvoran::handover
