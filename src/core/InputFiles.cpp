#include "core/InputFiles.h"

#include <optional>
#include <string_view>

#include "platform/vb/Text.h"

namespace pager {

namespace {

// The header's first item, as the form handler writes it.
constexpr const char* kHeaderFirstItem = "UNIT";
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// True when `item`, the file's first, is the header's: its text, in any case, between blanks
// and quotes, after the byte order mark some editors put at a file's start.
bool IsHeaderFirstItem(std::string_view item) {
  if (item.substr(0, kByteOrderMark.size()) == kByteOrderMark) item.remove_prefix(kByteOrderMark.size());
  const std::size_t first = item.find_first_not_of(" \t\"");
  if (first == std::string_view::npos) return false;
  const std::size_t last = item.find_last_not_of(" \t\"");
  return vb::UCase(item.substr(first, last - first + 1)) == kHeaderFirstItem;
}

}  // namespace

ParsedInput ParseSubmissions(RecordReader& reader, bool security) {
  std::optional<std::string> firstRecordItem;
  if (!reader.AtEnd()) {
    std::string first = reader.ReadText();
    if (IsHeaderFirstItem(first)) {
      for (int i = 1; i < kSubmissionHeaderItems; ++i) reader.ReadText();
    } else {
      firstRecordItem = std::move(first);
    }
  }

  const int itemsPerRecord = security ? 8 : 7;
  ParsedInput parsed;
  std::vector<QueueRow>& rows = parsed.rows;
  QueueRow row;
  int counter = 0;
  while (firstRecordItem || !reader.AtEnd()) {
    std::string item = firstRecordItem ? std::move(*firstRecordItem) : reader.ReadText();
    firstRecordItem.reset();
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
  parsed.whole = counter == 0 || counter == itemsPerRecord;
  return parsed;
}

ParsedInput ParseOtherFile(RecordReader& reader, const std::string& modem) {
  ParsedInput parsed;
  std::vector<QueueRow>& rows = parsed.rows;
  while (!reader.AtEnd()) {
    QueueRow row;
    row.unit = reader.ReadText();
    if (reader.AtEnd()) {
      parsed.whole = false;
      parsed.incompleteIsError = true;
      break;
    }
    row.message = reader.ReadText();
    row.modem = modem;
    row.sender = std::string("OWN");
    row.status = std::string("N");
    rows.push_back(std::move(row));
  }
  return parsed;
}

}  // namespace pager
