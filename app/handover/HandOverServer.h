#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

#include <chrono>

class QLocalServer;
class QLocalSocket;

namespace telvoran::handover {

// How long a hand-over may take, from a later copy's start of connecting to the running
// copy's answer; a peer that takes longer is dropped.
inline constexpr std::chrono::milliseconds kHandOverLimit{2000};

// The running copy's end of the hand-over: listens under a local name private to the user and
// reports the files each well-formed, confirmed request names. A peer that sends anything
// else, or too slowly, is disconnected and changes nothing.
class HandOverServer : public QObject {
  Q_OBJECT

 public:
  explicit HandOverServer(QObject* parent = nullptr);
  ~HandOverServer() override;

  // Starts listening under `name`, replacing a socket left behind by a copy that ended without
  // removing it: the caller holds the single-instance guard, so no other copy listens there.
  // False when the system refuses; the program then runs without the hand-over.
  bool Listen(const QString& name);

 signals:
  void FilesHandedOver(const QStringList& files);

 private:
  void Accept();
  void Serve(QLocalSocket* peer);

  QLocalServer* server_;
};

}  // namespace telvoran::handover
