// Fuzzes the readers of the two input files that outside programs write: the submissions file
// and the Other File, from any bytes.
//
// The first byte chooses the reader (bit 0: submissions or Other File) and the Security mode
// (bit 1); the rest is the file. Besides the sanitizers' checks, each run checks the framing
// against a plain count of the file's items: a submissions file of n items gives (n - 8) / w
// records of w = 7 (8 with Security) items, or raises 62 when n < 8; an Other File gives n / 2
// rows, or raises 62 when n is odd. No other error may leave either reader.

#include <cstddef>
#include <cstdint>
#include <string>

#include "FuzzFile.h"
#include "common/RecordReader.h"
#include "core/InputFiles.h"
#include "platform/vb/Text.h"

namespace {

using fuzz_support::Check;
using fuzz_support::FilePath;
using fuzz_support::SetFile;

std::size_t CountItems() {
  pager::RecordReader reader(FilePath());
  std::size_t items = 0;
  while (!reader.AtEnd()) {
    reader.ReadText();
    ++items;
  }
  return items;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const bool submissions = (data[0] & 1) == 0;
  const bool security = (data[0] & 2) != 0;
  SetFile(std::string(reinterpret_cast<const char*>(data) + 1, size - 1));
  const std::size_t items = CountItems();

  // The header is there when the first item reads "Unit" (after a byte order mark, between
  // blanks and quotes).
  std::size_t header = 0;
  {
    pager::RecordReader first(FilePath());
    if (!first.AtEnd()) {
      std::string item = first.ReadText();
      if (item.rfind("\xEF\xBB\xBF", 0) == 0) item.erase(0, 3);
      const std::size_t b = item.find_first_not_of(" \t\"");
      item = b == std::string::npos ? std::string() : item.substr(b, item.find_last_not_of(" \t\"") - b + 1);
      if (vb::UCase(item) == "UNIT") header = pager::kSubmissionHeaderItems;
    }
  }
  pager::RecordReader reader(FilePath());
  try {
    if (submissions) {
      const auto parsed = pager::ParseSubmissions(reader, security);
      const auto& rows = parsed.rows;
      const std::size_t width = security ? 8 : 7;
      Check(items >= header);
      Check(rows.size() == (items - header) / width);
      Check(parsed.whole == ((items - header) % width == 0));
      for (const pager::QueueRow& row : rows) {
        Check(row.sender == "Intranet" && row.status == "N");
        Check(row.unit && row.message && row.modem && row.browser);
        Check(row.user.has_value() == security);
      }
    } else {
      const auto parsed = pager::ParseOtherFile(reader, "5551234");
      const auto& rows = parsed.rows;
      Check(rows.size() == items / 2 && parsed.whole == (items % 2 == 0));
      for (const pager::QueueRow& row : rows) Check(row.modem == "5551234" && row.sender == "OWN");
    }
  } catch (const vb::RuntimeError& e) {
    Check(e.Number() == vb::err::kInputPastEndOfFile);
    Check(submissions && header > 0 && items < header);
  }
  return 0;
}
