#include "core/InputFiles.h"

namespace pager {

std::vector<QueueRow> ParseSubmissions(RecordReader& reader, bool security) {
  for (int i = 0; i < kSubmissionHeaderItems; ++i) reader.ReadText();

  const int itemsPerRecord = security ? 8 : 7;
  std::vector<QueueRow> rows;
  QueueRow row;
  int counter = 0;
  while (!reader.AtEnd()) {
    std::string item = reader.ReadText();
    if (++counter > itemsPerRecord) counter = 1;
    switch (counter) {
      case 1:
        row = QueueRow{};
        row.unit = std::move(item);
        break;
      case 2:
        row.message = std::move(item);
        break;
      case 3:
        row.modem = std::move(item);
        row.sender = std::string("Intranet");
        row.status = std::string("N");
        break;
      case 4:
        row.dateSent = std::move(item);
        break;
      case 5:
        row.timeSent = std::move(item);
        break;
      case 6:
        row.ipAddress = std::move(item);
        break;
      case 7:
        if (security) {
          row.user = std::move(item);
        } else {
          row.browser = std::move(item);
          rows.push_back(std::move(row));
        }
        break;
      default:  // 8, with security only
        row.browser = std::move(item);
        rows.push_back(std::move(row));
        break;
    }
  }
  return rows;
}

std::vector<QueueRow> ParseOtherFile(RecordReader& reader, const std::string& modem) {
  std::vector<QueueRow> rows;
  while (!reader.AtEnd()) {
    QueueRow row;
    row.unit = reader.ReadText();
    row.message = reader.ReadText();
    row.modem = modem;
    row.sender = std::string("OWN");
    row.status = std::string("N");
    rows.push_back(std::move(row));
  }
  return rows;
}

}  // namespace pager
