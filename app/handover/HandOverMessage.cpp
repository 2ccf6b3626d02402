#include "app/handover/HandOverMessage.h"

#include <QDir>
#include <QStringDecoder>

#include <optional>

namespace telvoran::handover {
namespace {

const QByteArray& Header() {
  static const QByteArray header(kRequestHeader, sizeof kRequestHeader);
  return header;
}

ParsedRequest Invalid() {
  return {ParsedRequest::Status::kInvalid, {}};
}
ParsedRequest Incomplete() {
  return {ParsedRequest::Status::kIncomplete, {}};
}

// A path as the running copy accepts it: valid UTF-8 naming an absolute path.
std::optional<QString> DecodePath(QByteArrayView bytes) {
  QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
  const QString path = decoder.decode(bytes);
  if (decoder.hasError() || !QDir::isAbsolutePath(path)) return std::nullopt;
  return path;
}

}  // namespace

QByteArray EncodeRequest(const QStringList& absolutePaths) {
  QByteArray request = Header();
  for (const QString& path : absolutePaths) {
    request += path.toUtf8();
    request += '\0';
  }
  request += '\0';
  return request;
}

ParsedRequest ParseRequest(const QByteArray& received) {
  if (received.size() > kLargestRequest) return Invalid();
  if (received.size() < Header().size())
    return Header().startsWith(received) ? Incomplete() : Invalid();
  if (!received.startsWith(Header())) return Invalid();

  ParsedRequest request{ParsedRequest::Status::kIncomplete, {}};
  qsizetype start = Header().size();
  while (start < received.size()) {
    const qsizetype end = received.indexOf('\0', start);
    if (end < 0) return Incomplete();
    if (end == start) {  // the empty entry that ends the list
      if (request.files.isEmpty() || end + 1 != received.size()) return Invalid();
      request.status = ParsedRequest::Status::kComplete;
      return request;
    }
    const auto path = DecodePath(QByteArrayView(received).sliced(start, end - start));
    if (!path) return Invalid();
    request.files << *path;
    start = end + 1;
  }
  return Incomplete();
}

}  // namespace telvoran::handover
