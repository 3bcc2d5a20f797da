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

// The submissions file: a header of 8 items, then records framed by counting items: 7 (unit,
// message, modem, date, time, IP address, browser) or, with `security`, 8 (the user before the
// browser). Each record gives a row with Sender "Intranet" and Status "N"; User stays Null
// without security. A trailing incomplete record is dropped. Raises 62 when the file holds
// fewer than 8 items (the header is not complete).
std::vector<QueueRow> ParseSubmissions(RecordReader& reader, bool security);

// The Other File: pairs of items, unit and message, each a row for `modem` with Sender "OWN" and
// Status "N". Raises 62 when the last pair lacks its message (an odd number of items).
std::vector<QueueRow> ParseOtherFile(RecordReader& reader, const std::string& modem);

}  // namespace pager
