#include "engine/EchoFilter.h"

namespace pager {

namespace {
// A text not found in this many reads is given up.
constexpr int kReadsToWait = 2;
}  // namespace

void EchoFilter::Wrote(const std::string& text) {
  if (!text.empty()) pending_.push_back({text, 0});
}

std::string EchoFilter::Clean(const std::string& chunk) {
  std::string cleaned = chunk;
  std::vector<Written> kept;
  for (Written& written : pending_) {
    const std::size_t at = cleaned.find(written.text);
    if (at != std::string::npos) {
      cleaned.erase(at, written.text.size());
    } else if (++written.missedReads < kReadsToWait) {
      kept.push_back(std::move(written));
    }
  }
  pending_ = std::move(kept);
  return cleaned;
}

}  // namespace pager
