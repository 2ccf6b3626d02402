#include <QByteArray>
#include <QStringList>

#include <gtest/gtest.h>

#include "app/handover/HandOverMessage.h"

namespace telvoran::handover {
namespace {

using Status = ParsedRequest::Status;

QByteArray Header() {
  return QByteArray(kRequestHeader, sizeof kRequestHeader);
}

TEST(HandOverMessage, ARequestReadsBackAsItsPathsInOrder) {
  const QStringList paths = {"/home/ewa/archiwa/2005-03-14_C07.czt", "/tmp/zdarzenia ąę.zdr",
                             "/a/b\nc.zdr"};
  const ParsedRequest request = ParseRequest(EncodeRequest(paths));
  EXPECT_EQ(request.status, Status::kComplete);
  EXPECT_EQ(request.files, paths);
}

TEST(HandOverMessage, EveryCutOfARequestIsIncompleteUntilItsLastByte) {
  const QByteArray whole = EncodeRequest({"/x/a.czt", "/x/b.zdr"});
  for (qsizetype length = 0; length < whole.size(); ++length)
    EXPECT_EQ(ParseRequest(whole.left(length)).status, Status::kIncomplete) << length;
}

TEST(HandOverMessage, AnythingButAbsolutePathsInUtf8IsNotARequest) {
  const struct {
    const char* what;
    QByteArray bytes;
  } cases[] = {
      {"another header", QByteArrayLiteral("telvoran-quit/1\0/x/a.czt\0\0")},
      {"a wrong first byte", QByteArrayLiteral("x")},
      {"no files", Header() + QByteArrayLiteral("\0")},
      {"a relative path", Header() + QByteArrayLiteral("a.czt\0\0")},
      {"a relative path after a good one", Header() + QByteArrayLiteral("/x/a.czt\0b.zdr\0\0")},
      {"bytes that are not UTF-8", Header() + QByteArrayLiteral("/x/\xff\xfe.czt\0\0")},
      {"bytes after the end of the list", Header() + QByteArrayLiteral("/x/a.czt\0\0open\n")},
      {"too many bytes", Header() + QByteArray(kLargestRequest, '/')},
  };
  for (const auto& c : cases) EXPECT_EQ(ParseRequest(c.bytes).status, Status::kInvalid) << c.what;
}

// Bytes read in pieces, however the sender splits them, make what the whole makes; byte by byte,
// a request at the size limit is read in linear time, each byte looked at once.
TEST(HandOverMessage, ARequestReadInPiecesReadsAsTheWhole) {
  const QByteArray requests[] = {
      EncodeRequest({"/home/ewa/archiwa/2005-03-14_C07.czt", "/tmp/zdarzenia ąę.zdr"}),
      EncodeRequest({"/x/a.czt"}).chopped(1),
      Header() + QByteArrayLiteral("/x/a.czt\0b.zdr\0\0"),
      Header() + QByteArrayLiteral("/x/\xff\xfe.czt\0\0"),
      Header() + QByteArrayLiteral("/x/a.czt\0\0open\n"),
      QByteArrayLiteral("telvoran-quit/1\0/x/a.czt\0\0"),
      EncodeRequest({'/' + QString(kLargestRequest - int(sizeof kRequestHeader) - 3, u'x')}),
      Header() + QByteArray(kLargestRequest, '/'),
  };
  for (const QByteArray& whole : requests) {
    SCOPED_TRACE(whole.left(40).toStdString());
    const ParsedRequest expected = ParseRequest(whole);
    RequestReader byBytes;
    for (const char byte : whole) byBytes.Add(QByteArrayView(&byte, 1));
    EXPECT_EQ(byBytes.Request().status, expected.status);
    EXPECT_EQ(byBytes.Request().files, expected.files);
    if (whole.size() > 1000) continue;
    for (qsizetype cut = 0; cut <= whole.size(); ++cut) {
      RequestReader halves;
      halves.Add(QByteArrayView(whole).first(cut));
      halves.Add(QByteArrayView(whole).sliced(cut));
      EXPECT_EQ(halves.Request().status, expected.status) << cut;
      EXPECT_EQ(halves.Request().files, expected.files) << cut;
    }
  }
  // A request of exactly the size limit is taken.
  EXPECT_EQ(ParseRequest(requests[6]).status, Status::kComplete);
  RequestReader overrun;
  overrun.Add(requests[0]);
  EXPECT_EQ(overrun.Add("x"), Status::kInvalid) << "a byte after a whole request";
}

}  // namespace
}  // namespace telvoran::handover
