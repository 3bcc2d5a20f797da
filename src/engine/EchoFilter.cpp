#include "engine/EchoFilter.h"

#include <algorithm>
#include <utility>

namespace pager {

namespace {

constexpr const char* kLineEnds = "\r\n";

bool SameOnTheLine(char written, char read) { return ((written ^ read) & 0x7F) == 0; }

// `read` is `written` as it comes back over the line.
bool SameLine(const std::string& written, const std::string& read) {
  return written.size() == read.size() && std::equal(written.begin(), written.end(), read.begin(), SameOnTheLine);
}

bool BeginsWith(const std::string& written, const std::string& part) {
  return part.size() <= written.size() && std::equal(part.begin(), part.end(), written.begin(), SameOnTheLine);
}

}  // namespace

void EchoFilter::Wrote(const std::string& text, std::int64_t echoDueMs) {
  std::size_t begin = 0;
  while (begin < text.size()) {
    const std::size_t end = std::min(text.find_first_of(kLineEnds, begin), text.size());
    if (end > begin) awaited_.push_back({text.substr(begin, end - begin), echoDueMs});
    begin = end + 1;
  }
  // The terminal echoes after whatever it had sent before: its echo starts a line of its own.
  atLineStart_ = true;
}

std::string EchoFilter::Clean(const std::string& chunk, std::int64_t nowMs) {
  const std::string input = std::exchange(held_, std::string()) + chunk;
  std::string answer;
  bool lineStart = atLineStart_;
  std::size_t begin = 0;
  for (;;) {
    const std::size_t end = input.find_first_of(kLineEnds, begin);
    if (end == std::string::npos) break;
    std::size_t next = end + 1;
    if (input[end] == '\r' && next < input.size() && input[next] == '\n') ++next;
    const bool echo = lineStart && end > begin && TakeEcho(input.substr(begin, end - begin));
    if (!echo) answer.append(input, begin, next - begin);
    begin = next;
    lineStart = true;
  }

  // A line begun but not ended: possibly an echo still coming in.
  const std::string unfinished = input.substr(begin);
  const bool holding = lineStart && !unfinished.empty() && AwaitsLineBeginningWith(unfinished);
  // What could have come back by now and did not is forgotten; an echo coming in stays.
  std::erase_if(awaited_, [&](const Awaited& a) {
    return a.dueMs <= nowMs && !(holding && BeginsWith(a.line, unfinished));
  });
  if (holding) {
    held_ = unfinished;
    atLineStart_ = true;
  } else {
    answer += unfinished;
    atLineStart_ = unfinished.empty() && lineStart;
  }
  return answer;
}

void EchoFilter::Clear() {
  awaited_.clear();
  held_.clear();
  atLineStart_ = true;
}

bool EchoFilter::TakeEcho(const std::string& line) {
  for (auto it = awaited_.begin(); it != awaited_.end(); ++it) {
    if (SameLine(it->line, line)) {
      awaited_.erase(awaited_.begin(), it + 1);
      return true;
    }
  }
  return false;
}

bool EchoFilter::AwaitsLineBeginningWith(const std::string& part) const {
  return std::any_of(awaited_.begin(), awaited_.end(), [&](const Awaited& a) { return BeginsWith(a.line, part); });
}

}  // namespace pager
