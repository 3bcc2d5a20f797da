// Fuzzes the text record reader with any bytes as a settings or input file.
//
// The first byte of the input chooses what to do with the rest, which becomes the file:
//  - read items of changing kinds until the end, as the settings readers do;
//  - frame the file as a submissions file: skip a header of 8 items, then read items until the
//    end-of-file test reports the end, counting them into records of 7 or 8, as the intake does;
//  - read it as an Other File, in pairs until the end;
//  - cut the bytes into items, write them as one record and read that record back.
// Besides the sanitizers' checks, each path checks the reader's promises: a read raises only
// the documented errors, a read after AtEnd() is false never raises 62, and after 62 the reader
// reports the end.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "FuzzFile.h"
#include "common/RecordReader.h"
#include "common/RecordWriter.h"

namespace {

using pager::RecordItem;
using pager::RecordReader;

using fuzz_support::Check;
using fuzz_support::FilePath;
using fuzz_support::SetFile;

// Reads one item of the given kind; returns the error number, 0 when the read succeeded.
int ReadKind(RecordReader& reader, int kind, std::size_t fileSize) {
  bool wasAtEnd = reader.AtEnd();
  try {
    switch (kind & 3) {
      case 0: Check(reader.ReadText().size() <= fileSize); break;
      case 1: Check(reader.ReadUntyped().size() <= fileSize); break;
      case 2: reader.ReadInteger(); break;
      default: reader.ReadBoolean(); break;
    }
  } catch (const vb::RuntimeError& e) {
    int number = e.Number();
    Check(number == vb::err::kInputPastEndOfFile || number == vb::err::kTypeMismatch ||
          number == vb::err::kOverflow);
    Check((number == vb::err::kInputPastEndOfFile) == wasAtEnd);
    if (number == vb::err::kInputPastEndOfFile) Check(reader.AtEnd());
    return number;
  }
  Check(!wasAtEnd);
  return 0;
}

void ReadSettings(std::uint8_t pattern, std::size_t size) {
  RecordReader reader(FilePath());
  std::size_t items = 0;
  for (int i = 0;; ++i) {
    int kind = (pattern >> ((i % 4) * 2)) & 3;
    if (ReadKind(reader, kind, size) == vb::err::kInputPastEndOfFile) break;
    Check(++items <= size + 1);
  }
}

void ReadSubmissions(bool security, std::size_t size) {
  RecordReader reader(FilePath());
  for (int i = 0; i < 8; ++i) {
    if (ReadKind(reader, 0, size) != 0) return;  // a short header ends the intake with 62
  }
  const int perRecord = security ? 8 : 7;
  int counter = 0;
  std::size_t records = 0;
  std::vector<std::string> record;
  while (!reader.AtEnd()) {
    record.push_back(reader.ReadText());
    if (++counter > perRecord) counter = 1;
    if (counter == 1) record.erase(record.begin(), record.end() - 1);
    if (counter == perRecord) ++records;
  }
  Check(records * static_cast<std::size_t>(perRecord) <= size + 1);
}

void ReadOtherFile(std::size_t size) {
  RecordReader reader(FilePath());
  while (!reader.AtEnd()) {
    Check(ReadKind(reader, 0, size) == 0);
    if (ReadKind(reader, 0, size) != 0) break;  // an odd item count ends with 62
  }
}

// Cuts the bytes at every '|' into items: "#" + rest a truth value, "=" + digits a number,
// "~" nothing, anything else a text. Texts holding a double quote are not written, since the
// convention cannot carry them.
void RoundTrip(const std::string& bytes) {
  std::vector<RecordItem> items;
  std::size_t start = 0;
  while (start <= bytes.size() && items.size() < 64) {
    std::size_t bar = bytes.find('|', start);
    std::string piece = bytes.substr(start, bar == std::string::npos ? std::string::npos : bar - start);
    if (!piece.empty() && piece[0] == '#') {
      items.emplace_back(piece.size() % 2 == 0);
    } else if (!piece.empty() && piece[0] == '=') {
      long long value = 0;
      for (char c : piece) value = (value * 31 + static_cast<unsigned char>(c)) % 65536;
      items.emplace_back(value - 32768);
    } else if (piece == "~") {
      items.emplace_back(std::monostate{});
    } else if (piece.find('"') == std::string::npos) {
      items.emplace_back(piece);
    }
    if (bar == std::string::npos) break;
    start = bar + 1;
  }
  // A record of one never-set item is a bare line end, which holds no item at all.
  if (items.size() == 1 && std::holds_alternative<std::monostate>(items[0])) return;
  pager::WriteRecord(FilePath(), items);
  RecordReader reader(FilePath());
  for (const RecordItem& item : items) {
    Check(!reader.AtEnd());
    if (const auto* text = std::get_if<std::string>(&item)) {
      Check(reader.ReadText() == *text);
    } else if (const auto* number = std::get_if<long long>(&item)) {
      Check(reader.ReadInteger().value() == *number);
    } else if (const auto* truth = std::get_if<bool>(&item)) {
      Check(reader.ReadBoolean() == *truth);
    } else {
      Check(reader.ReadUntyped().empty());
    }
  }
  Check(reader.AtEnd());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::uint8_t mode = data[0];
  std::string bytes(reinterpret_cast<const char*>(data + 1), size - 1);
  switch (mode % 4) {
    case 0:
      SetFile(bytes);
      ReadSettings(mode, bytes.size());
      break;
    case 1:
      SetFile(bytes);
      ReadSubmissions((mode & 4) != 0, bytes.size());
      break;
    case 2:
      SetFile(bytes);
      ReadOtherFile(bytes.size());
      break;
    default:
      RoundTrip(bytes);
      break;
  }
  return 0;
}
