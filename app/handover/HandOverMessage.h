#pragma once

#include <QByteArray>
#include <QStringList>

namespace telvoran::handover {

// What a later copy and the running copy say to each other, in this order:
//  1. the later copy sends a request: kRequestHeader, then each file path in UTF-8 followed
//     by a zero byte, then one more zero byte that ends the list;
//  2. the running copy answers kAccepted once it has read a well-formed request;
//  3. the later copy sends kConfirmed, and only then does the running copy open the files.
// The confirmation keeps a copy that gave up waiting from having its files opened later by a
// running copy that was merely slow.
inline constexpr char kRequestHeader[] = "telvoran-open-files/1";  // zero byte included
inline const QByteArray kAccepted = QByteArrayLiteral("accepted\n");
inline const QByteArray kConfirmed = QByteArrayLiteral("open\n");

// A request larger than this is not one a later copy sends.
inline constexpr qsizetype kLargestRequest = 1 << 20;

// The request for `absolutePaths`, which must not be empty and name no empty path.
QByteArray EncodeRequest(const QStringList& absolutePaths);

struct ParsedRequest {
  enum class Status {
    kIncomplete,  // what came so far may still become a request
    kInvalid,     // not a request: the peer is ignored
    kComplete,    // a whole request; `files` holds its paths in order
  };
  Status status = Status::kIncomplete;
  QStringList files;
};

// Reads the bytes received so far. Only absolute paths in valid UTF-8, at least one of them,
// make a request; anything else, or anything after the end of the list, makes it invalid.
ParsedRequest ParseRequest(const QByteArray& received);

// Reads a request as its bytes arrive, each byte looked at once however the sender splits them,
// with the same outcome as ParseRequest on all the bytes so far: a sender that trickles its
// request costs the running copy no more than one that sends it whole.
class RequestReader {
 public:
  // Takes the next bytes; what the request is now. Once complete or invalid it stays so, and
  // further bytes make a complete request invalid.
  ParsedRequest::Status Add(QByteArrayView bytes);
  const ParsedRequest& Request() const { return request_; }

 private:
  QByteArray received_;
  qsizetype entryStart_ = 0;  // where the entry not yet taken begins
  qsizetype searchFrom_ = 0;  // bytes before this hold no zero byte of that entry
  QStringList files_;         // the paths taken so far; the request's once it is complete
  ParsedRequest request_;
};

}  // namespace telvoran::handover
