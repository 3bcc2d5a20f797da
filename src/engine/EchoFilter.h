// The server's own lines, taken out of what it reads back.
//
// Paging terminals in manual entry mode, and modems in command mode, echo every line they are
// sent. A page whose text holds a word the answer reader reacts to ("BUSY", "invalid", "ID",
// ...) would otherwise act on the server's own line. An echo is a whole line of the input
// that matches a line written, coming back in the order the lines were written; nothing else
// is ever taken out, so a short line written ("R", "d") never eats into an answer such as
// "NO CARRIER" or "not valid".
//
// Lines. A text written is split into its lines at CR and LF (empty lines are not kept: they
// hold no keyword). In the input a line ends with CR, LF or CR LF; it begins after such an
// end, or at the first byte read after a line was written (the echo follows whatever the
// terminal had sent before, such as a prompt without a line end).
//
// What callers may rely on:
//  - Clean takes out exactly the lines of the chunk that are whole echoes, each with its line
//    end, and nothing else; every other byte comes back in order.
//  - A line's echo may be split over reads: when a chunk ends in a line begun that is still
//    the start of an awaited line, that part is held back and read again in front of the next
//    chunk; as soon as it stops being such a start, it is given back there.
//  - Bytes are compared on their low seven bits: the line is seven-bit, so an echo comes back
//    without the eighth bit of what was written.
//  - A line is awaited until the first read made at or after its echo time (when it can have
//    left the port and come back); not echoed by then, it is forgotten. A line echoed makes
//    every line written before it forgotten too: echoes come in order.
//  - Clear forgets every line and the held part (a new call, or the line closed).
#pragma once

#include <cstdint>
#include <deque>
#include <string>

namespace pager {

class EchoFilter {
 public:
  // Records the lines of a text just written; their echo is awaited until the first read at
  // or after echoDueMs.
  void Wrote(const std::string& text, std::int64_t echoDueMs);

  // The chunk read at nowMs, without the echoes; forgets the lines whose time is over.
  std::string Clean(const std::string& chunk, std::int64_t nowMs);

  void Clear();
  // Lines still awaited.
  std::size_t Pending() const { return awaited_.size(); }

 private:
  struct Awaited {
    std::string line;
    std::int64_t dueMs;
  };
  // Forgets the awaited lines up to the one `line` echoes; false when it echoes none.
  bool TakeEcho(const std::string& line);
  bool AwaitsLineBeginningWith(const std::string& part) const;

  std::deque<Awaited> awaited_;
  std::string held_;        // the start of an echo, read but not yet given back
  bool atLineStart_ = true;  // the next byte read begins a line
};

}  // namespace pager
