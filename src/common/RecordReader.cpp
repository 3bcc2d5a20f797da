#include "common/RecordReader.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string_view>

#include "platform/vb/RuntimeError.h"
#include "platform/vb/Text.h"

namespace pager {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsLineEnd(char c) { return c == '\r' || c == '\n'; }
bool IsDelimiter(char c) { return c == ',' || IsLineEnd(c); }

// The file's whole content. Raises 53 when there is no file to read at the path.
std::string ReadWholeFile(const std::string& path) {
  if (path.empty()) vb::Raise(vb::err::kFileNotFound);
  int fd;
  do {
    // Non-blocking, so that a pipe without a writer cannot hold the handler up.
    fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  } while (fd < 0 && errno == EINTR);
  if (fd < 0) {
    if (errno == EACCES || errno == EPERM) vb::Raise(vb::err::kPathFileAccessError);
    vb::Raise(vb::err::kFileNotFound);
  }
  struct stat info {};
  // Only a regular file holds records: a folder, a device or a pipe counts as no file.
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    ::close(fd);
    vb::Raise(vb::err::kFileNotFound);
  }
  std::string content;
  if (info.st_size > 0) content.reserve(static_cast<std::size_t>(info.st_size));
  char buffer[65536];
  while (true) {
    ssize_t got = ::read(fd, buffer, sizeof buffer);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) {
      int error = errno;
      ::close(fd);
      vb::Raise(error == EISDIR ? vb::err::kFileNotFound : vb::err::kDeviceIOError);
    }
    if (got == 0) break;
    content.append(buffer, static_cast<std::size_t>(got));
  }
  ::close(fd);
  return content;
}

std::string TrimBlanks(std::string_view text) {
  std::size_t a = 0;
  std::size_t b = text.size();
  while (a < b && IsBlank(text[a])) ++a;
  while (b > a && IsBlank(text[b - 1])) --b;
  return std::string(text.substr(a, b - a));
}

bool EqualsIgnoringCase(std::string_view text, std::string_view upper) {
  return vb::UCase(text) == upper;
}

}  // namespace

RecordReader::RecordReader(const std::string& path) : content_(ReadWholeFile(path)) {
  tailStart_ = content_.size();
  while (tailStart_ > 0 && (IsBlank(content_[tailStart_ - 1]) || IsLineEnd(content_[tailStart_ - 1]))) --tailStart_;
}

RecordReader::~RecordReader() = default;

void RecordReader::Close() {
  content_.clear();
  content_.shrink_to_fit();
  pos_ = 0;
  tailStart_ = 0;
  afterComma_ = false;
}

bool RecordReader::AtEnd() const {
  if (pos_ >= content_.size()) return !afterComma_;
  // Blanks and line ends, and nothing else, up to the end are no item, unless a comma
  // announced one.
  return !afterComma_ && pos_ >= tailStart_;
}

void RecordReader::ConsumeDelimiter() {
  afterComma_ = false;
  if (pos_ >= content_.size()) return;
  char c = content_[pos_++];
  if (c == ',') {
    afterComma_ = true;
  } else if (c == '\r' && pos_ < content_.size() && content_[pos_] == '\n') {
    ++pos_;
  }
}

RecordReader::Item RecordReader::NextItem() {
  if (AtEnd()) vb::Raise(vb::err::kInputPastEndOfFile);
  const std::size_t size = content_.size();
  while (pos_ < size && IsBlank(content_[pos_])) ++pos_;

  Item item;
  if (pos_ < size && content_[pos_] == '"') {
    item.quoted = true;
    std::size_t close = content_.find('"', pos_ + 1);
    if (close == std::string::npos) {
      item.text = content_.substr(pos_ + 1);
      pos_ = size;
    } else {
      item.text = content_.substr(pos_ + 1, close - pos_ - 1);
      pos_ = close + 1;
      // Whatever stands between the closing quote and the delimiter is not part of the item.
      while (pos_ < size && !IsDelimiter(content_[pos_])) ++pos_;
    }
  } else {
    // Blanks before the delimiter belong to the item: a dial mode "TONE " is not "TONE".
    std::size_t start = pos_;
    while (pos_ < size && !IsDelimiter(content_[pos_])) ++pos_;
    item.text = content_.substr(start, pos_ - start);
  }
  ConsumeDelimiter();
  return item;
}

std::string RecordReader::ReadText() { return NextItem().text; }

std::string RecordReader::ReadUntyped() { return NextItem().text; }

vb::Int16 RecordReader::ReadInteger() {
  std::string text = TrimBlanks(NextItem().text);
  if (text.empty()) return vb::Int16(0);
  // Refuse anything but a plain decimal form before converting: CIntText takes blanks only
  // at the ends, so a tab or a line end inside a quoted item is a type mismatch here too.
  for (char c : text) {
    bool allowed = (c >= '0' && c <= '9') || c == '+' || c == '-' || c == '.' || c == 'e' || c == 'E';
    if (!allowed) vb::Raise(vb::err::kTypeMismatch);
  }
  return vb::CIntText(text);
}

bool RecordReader::ReadBoolean() {
  std::string text = TrimBlanks(NextItem().text);
  if (text.empty()) return false;
  if (EqualsIgnoringCase(text, "#TRUE#")) return true;
  if (EqualsIgnoringCase(text, "#FALSE#")) return false;
  vb::Raise(vb::err::kTypeMismatch);
}

}  // namespace pager
