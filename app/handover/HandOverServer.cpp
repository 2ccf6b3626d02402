#include "app/handover/HandOverServer.h"

#include <QLocalServer>
#include <QLocalSocket>
#include <QTimer>

#include <memory>

#include "app/handover/HandOverMessage.h"

namespace telvoran::handover {
namespace {

void Drop(QLocalSocket* peer) {
  peer->abort();
  peer->deleteLater();
}

}  // namespace

HandOverServer::HandOverServer(QObject* parent) : QObject(parent), server_(new QLocalServer(this)) {
  // The socket is made readable and writable by this user alone.
  server_->setSocketOptions(QLocalServer::UserAccessOption);
  connect(server_, &QLocalServer::newConnection, this, &HandOverServer::Accept);
}

HandOverServer::~HandOverServer() = default;

bool HandOverServer::Listen(const QString& name) {
  if (name.isEmpty()) return false;
  QLocalServer::removeServer(name);
  return server_->listen(name);
}

void HandOverServer::Accept() {
  while (QLocalSocket* peer = server_->nextPendingConnection()) Serve(peer);
}

// Reads the request as it comes, answers it, then waits for the confirmation; every way out
// but the confirmed one drops the peer without a word.
void HandOverServer::Serve(QLocalSocket* peer) {
  struct Exchange {
    RequestReader request;
    QByteArray received;  // after the request: the confirmation
    QStringList files;    // set once the request is accepted
  };
  auto exchange = std::make_shared<Exchange>();

  connect(peer, &QLocalSocket::disconnected, peer, &QObject::deleteLater);
  QTimer::singleShot(kHandOverLimit, peer, [peer] { Drop(peer); });

  connect(peer, &QLocalSocket::readyRead, this, [this, peer, exchange] {
    const QByteArray bytes = peer->readAll();
    if (exchange->files.isEmpty()) {
      switch (exchange->request.Add(bytes)) {
        case ParsedRequest::Status::kIncomplete:
          return;
        case ParsedRequest::Status::kInvalid:
          Drop(peer);
          return;
        case ParsedRequest::Status::kComplete:
          exchange->files = exchange->request.Request().files;
          peer->write(kAccepted);
          return;
      }
    }
    exchange->received += bytes;
    if (kConfirmed.startsWith(exchange->received) && exchange->received != kConfirmed) return;
    const QStringList files = exchange->received == kConfirmed ? exchange->files : QStringList();
    Drop(peer);
    if (!files.isEmpty()) emit FilesHandedOver(files);
  });
}

}  // namespace telvoran::handover
