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
  RequestReader reader;
  reader.Add(received);
  return reader.Request();
}

ParsedRequest::Status RequestReader::Add(QByteArrayView bytes) {
  using Status = ParsedRequest::Status;
  if (request_.status == Status::kInvalid || bytes.isEmpty()) return request_.status;
  if (request_.status == Status::kComplete || received_.size() + bytes.size() > kLargestRequest) {
    request_ = Invalid();
    received_.clear();
    return request_.status;
  }
  received_ += bytes;
  if (entryStart_ == 0) {
    if (received_.size() < Header().size()) {
      if (!Header().startsWith(received_)) request_ = Invalid();
      return request_.status;
    }
    if (!received_.startsWith(Header())) {
      request_ = Invalid();
      return request_.status;
    }
    entryStart_ = searchFrom_ = Header().size();
  }
  while (true) {
    const qsizetype end = received_.indexOf('\0', searchFrom_);
    if (end < 0) {
      searchFrom_ = received_.size();
      return request_.status;
    }
    if (end == entryStart_) {  // the empty entry that ends the list
      const bool whole = !files_.isEmpty() && end + 1 == received_.size();
      request_ = whole ? ParsedRequest{Status::kComplete, files_} : Invalid();
      received_.clear();
      return request_.status;
    }
    const auto path = DecodePath(QByteArrayView(received_).sliced(entryStart_, end - entryStart_));
    if (!path) {
      request_ = Invalid();
      received_.clear();
      return request_.status;
    }
    files_ << *path;
    entryStart_ = searchFrom_ = end + 1;
  }
}

}  // namespace telvoran::handover
