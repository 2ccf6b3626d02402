#include "core/archive/ArchiveKind.h"

namespace telvoran {

ArchiveKind ArchiveKindOfName(std::string_view fileName) {
  const std::size_t point = fileName.rfind('.');
  if (point == std::string_view::npos) return ArchiveKind::Other;
  const std::string_view extension = fileName.substr(point);
  if (extension == ".czt") return ArchiveKind::Interval;
  if (extension == ".zdr") return ArchiveKind::Event;
  return ArchiveKind::Other;
}

}  // namespace telvoran
