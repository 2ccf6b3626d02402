// The running copy's server and a later copy's client talking over a real local socket. The
// client blocks, as it does in a later copy, so it runs on a thread of its own while this
// thread's event loop serves.
#include <QCoreApplication>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <chrono>
#include <future>

#include "app/handover/HandOverClient.h"
#include "app/handover/HandOverMessage.h"
#include "app/handover/HandOverServer.h"
#include "support/TempDir.h"

namespace telvoran::handover {
namespace {

using namespace std::chrono_literals;

class HandOverExchange : public ::testing::Test {
 protected:
  test::TempDir dir;
  const QString name = QString::fromStdString((dir / "Program_Telvoran.files").string());
  HandOverServer server;
  QSignalSpy handedOver{&server, &HandOverServer::FilesHandedOver};

  void SetUp() override { ASSERT_TRUE(server.Listen(name)); }

  // Runs the client on its own thread and serves until it has its answer.
  bool HandOver(const QStringList& files, std::chrono::milliseconds limit = kHandOverLimit) {
    auto result = std::async(std::launch::async, [&] { return HandOverFiles(name, files, limit); });
    while (result.wait_for(0ms) != std::future_status::ready)
      QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    return result.get();
  }

  // A peer that is not a later copy: sends `bytes` and waits for the server to hang up.
  QByteArray SendAsStranger(const QByteArray& bytes) {
    auto reply = std::async(std::launch::async, [&] {
      QLocalSocket socket;
      socket.connectToServer(name);
      if (!socket.waitForConnected(2000)) return QByteArray("no connection");
      socket.write(bytes);
      socket.waitForBytesWritten(2000);
      QByteArray received;
      while (socket.waitForReadyRead(3000)) received += socket.readAll();
      return received;
    });
    while (reply.wait_for(0ms) != std::future_status::ready)
      QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    return reply.get();
  }
};

TEST_F(HandOverExchange, TheRunningCopyGetsTheFilesInOrderAndTheSocketIsTheUsersAlone) {
  const QStringList files = {"/archiwa/2005-03-14_C07.czt", "/archiwa/alarm2005.zdr"};
  EXPECT_TRUE(HandOver(files));
  QCoreApplication::processEvents();
  ASSERT_EQ(handedOver.size(), 1);
  EXPECT_EQ(handedOver[0][0].toStringList(), files);
#ifndef _WIN32
  const QFile::Permissions others = QFile::ReadGroup | QFile::WriteGroup | QFile::ExeGroup |
                                    QFile::ReadOther | QFile::WriteOther | QFile::ExeOther;
  EXPECT_EQ(QFileInfo(name).permissions() & others, QFile::Permissions());
#endif
}

TEST_F(HandOverExchange, APeerSendingAnythingElseIsDroppedAndTheServerServesTheNextOne) {
  const QByteArray notRequests[] = {
      QByteArrayLiteral("telvoran-quit/1\0\0"),
      QByteArray(kRequestHeader, sizeof kRequestHeader) + QByteArrayLiteral("relative.czt\0\0"),
      EncodeRequest({"/x/a.czt"}) + kConfirmed,  // confirmed before it was accepted
  };
  for (const QByteArray& bytes : notRequests) EXPECT_EQ(SendAsStranger(bytes), QByteArray());
  EXPECT_EQ(SendAsStranger(EncodeRequest({"/x/a.czt"})), kAccepted) << "accepted, never confirmed";
  QCoreApplication::processEvents();
  EXPECT_EQ(handedOver.size(), 0);

  EXPECT_TRUE(HandOver({"/x/b.zdr"}));
  QCoreApplication::processEvents();
  ASSERT_EQ(handedOver.size(), 1);
  EXPECT_EQ(handedOver[0][0].toStringList(), QStringList("/x/b.zdr"));
}

TEST_F(HandOverExchange, ASilentPeerIsDroppedWithinTheLimit) {
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(SendAsStranger(QByteArray(kRequestHeader, 5)), QByteArray());
  EXPECT_LT(std::chrono::steady_clock::now() - start, kHandOverLimit + 1500ms);
}

TEST_F(HandOverExchange, ACopyReplacesTheSocketLeftBehindByOneThatEndedWithoutRemovingIt) {
  HandOverServer next;  // the old server's socket file is still there
  EXPECT_TRUE(next.Listen(name));
  QSignalSpy nextHandedOver(&next, &HandOverServer::FilesHandedOver);
  EXPECT_TRUE(HandOver({"/x/a.czt"}));
  QCoreApplication::processEvents();
  EXPECT_EQ(nextHandedOver.size(), 1);
}

TEST(HandOverFailure, NothingListeningOrAHungCopyFailsOnceTheLimitHasPassed) {
  test::TempDir dir;
  const QString nobody = QString::fromStdString((dir / "nobody").string());
  auto start = std::chrono::steady_clock::now();
  EXPECT_FALSE(HandOverFiles(nobody, {"/x/a.czt"}, 300ms));
  EXPECT_GE(std::chrono::steady_clock::now() - start, 250ms) << "it waits for a late server";

  // A server whose copy never gets round to answering: the connection is taken, no reply.
  QLocalServer hung;
  const QString hungName = QString::fromStdString((dir / "hung").string());
  ASSERT_TRUE(hung.listen(hungName));
  start = std::chrono::steady_clock::now();
  EXPECT_FALSE(HandOverFiles(hungName, {"/x/a.czt"}, 300ms));
  EXPECT_LT(std::chrono::steady_clock::now() - start, 1500ms);
}

}  // namespace
}  // namespace telvoran::handover
