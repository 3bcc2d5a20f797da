// What the server wrote to the line, taken out of what it reads back.
//
// Paging terminals in manual entry mode, and modems in command mode, echo every character they
// are sent. A page whose text holds a word the answer reader reacts to ("BUSY", "invalid",
// "ID", ...) would otherwise act on the server's own line. The filter keeps each text written
// since the last read and removes one exact occurrence of it from the next chunk read.
//
// What callers may rely on:
//  - Clean removes each recorded text at most once, at its first occurrence, in the order the
//    texts were written; text the terminal sent of its own stays, also when it repeats a
//    recorded text a second time.
//  - A recorded text that is not found in a chunk is kept for one more read (its echo may come
//    a moment after the read), then dropped; Clear drops everything (the line was hung up).
#pragma once

#include <string>
#include <vector>

namespace pager {

class EchoFilter {
 public:
  // Records a text just written to the line (empty texts are ignored).
  void Wrote(const std::string& text);

  // The chunk without the recorded texts; ages the texts not found.
  std::string Clean(const std::string& chunk);

  void Clear() { pending_.clear(); }
  std::size_t Pending() const { return pending_.size(); }

 private:
  struct Written {
    std::string text;
    int missedReads = 0;
  };
  std::vector<Written> pending_;
};

}  // namespace pager
