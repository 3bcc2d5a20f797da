// The texts that pick a paging company and dial it, shared by Start (the first company) and the
// pause between calls (each next company). Header-only, so that the call engine can use it
// without linking the server core.
#pragma once

#include <string>
#include <string_view>

namespace pager {

// The company list: one row per distinct modem number of the queue, ascending as text.
inline constexpr const char* kCompanyListQuery = "Select Distinct [Modem] from [Queue] Order by [Modem]";

// The query of one company's queued rows. The number is put between single quotes with every
// quote inside it doubled, so a number holding a quote selects exactly the rows whose Modem
// equals it (and never breaks the text or widens the selection).
inline std::string CompanyQueryText(std::string_view modem) {
  std::string text = "Select * From Queue where Queue.[Modem] = '";
  for (char c : modem) {
    text += c;
    if (c == '\'') text += '\'';
  }
  text += '\'';
  return text;
}

// What is written to the modem to dial a company: command, prefix, number, suffix and one CR
// (no LF). A command or prefix never set adds nothing.
inline std::string DialLine(std::string_view dialCmd, std::string_view prefix, std::string_view modem,
                            std::string_view suffix) {
  std::string line;
  line.reserve(dialCmd.size() + prefix.size() + modem.size() + suffix.size() + 1);
  line.append(dialCmd).append(prefix).append(modem).append(suffix);
  line += '\r';
  return line;
}

// The status line while dialing: "Dialing " with prefix, number and suffix.
inline std::string DialCaption(std::string_view prefix, std::string_view modem, std::string_view suffix) {
  std::string caption = "Dialing ";
  caption.append(prefix).append(modem).append(suffix);
  return caption;
}

}  // namespace pager
