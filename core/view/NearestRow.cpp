#include "core/view/NearestRow.h"

#include "core/rows/EventRows.h"
#include "core/rows/IntervalRows.h"
#include "core/view/ViewContent.h"

namespace telvoran {

std::optional<ArchiveSeconds> ShownRowTime(const ViewContent& content, std::size_t row) {
  const ArchiveRecord& record = content.rows.RecordAt(content.shown.StoreRow(row));
  const std::size_t at =
      content.kind == ArchiveKind::Event ? kEventDateTimeByte : kIntervalDateTimeByte;
  return RecordTime(record.bytes.data() + at);
}

std::optional<std::size_t> NearestShownRow(const ViewContent& content, ArchiveSeconds target) {
  std::optional<std::size_t> best;
  ArchiveSeconds bestDistance = 0;
  const std::size_t count = content.ShownCount();
  for (std::size_t row = 0; row < count; ++row) {
    const std::optional<ArchiveSeconds> time = ShownRowTime(content, row);
    if (!time) continue;
    const ArchiveSeconds distance = *time > target ? *time - target : target - *time;
    if (!best || distance < bestDistance) {
      best = row;
      bestDistance = distance;
      if (distance == 0) break;
    }
  }
  return best;
}

}  // namespace telvoran
