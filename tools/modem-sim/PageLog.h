// The file of accepted pages that an end-to-end test (or a curious operator) reads.
//
// One line per page, fields separated by tabs, ended by a line feed:
//   local time "YYYY-MM-DD HH:MM:SS", the dial text of the call, the unit, the message text.
// A backslash, tab, carriage return or line feed inside a field is written as \\, \t, \r or \n,
// so each page stays one line. Each line goes to the file in one append write, so a reader
// never sees half a line.
#pragma once

#include <ctime>
#include <string>

#include "modem-sim/SimEvents.h"

namespace modemsim {

std::string FormatPageLine(const AcceptedPage& page, std::time_t when);

class PageLog {
 public:
  explicit PageLog(std::string path) : path_(std::move(path)) {}

  // Appends the page; false when the file could not be opened or written (nothing else changes).
  bool Append(const AcceptedPage& page, std::time_t when) const;

  const std::string& Path() const { return path_; }

 private:
  std::string path_;
};

}  // namespace modemsim
