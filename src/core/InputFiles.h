// The two input files that outside programs write, read into queue rows.
//
// Both are read whole from a RecordReader (which holds the file's content), before anything is
// stored, so that a file which cannot be read stores none of its rows.
#pragma once

#include <string>
#include <vector>

#include "common/RecordReader.h"
#include "core/QueueRow.h"

namespace pager {

// The number of header items before the first submission, in either Security mode.
inline constexpr int kSubmissionHeaderItems = 8;

// What a file gave: the rows of its complete records, and whether anything came after them.
struct ParsedInput {
  std::vector<QueueRow> rows;
  // False when items after the last complete record begin one that is not there whole: a
  // writer has not finished it, or the file was cut short.
  bool whole = true;
  // The file's own rules call that incomplete record an error (62), not a record to drop.
  bool incompleteIsError = false;
};

// The submissions file: a header of 8 items, then records framed by counting items: 7 (unit,
// message, modem, date, time, IP address, browser) or, with `security`, 8 (the user before the
// browser). The header is known by its text: a file whose first item reads "Unit" (any case; a
// byte order mark, blanks and quotes around it aside) begins with it; any other file begins
// with its first record (a writer that appended to a file the intake had just taken writes a
// new file without a header). Each record gives a row with Sender "Intranet" and Status "N";
// User stays Null without security. A trailing incomplete record is not whole. Raises 62 when
// the file ends inside its header.
ParsedInput ParseSubmissions(RecordReader& reader, bool security);

// The Other File: pairs of items, unit and message, each a row for `modem` with Sender "OWN" and
// Status "N". A last pair without its message (an odd number of items) is not whole, and an
// error by the file's rules.
ParsedInput ParseOtherFile(RecordReader& reader, const std::string& modem);

}  // namespace pager
