// Writes one record of the text record convention, replacing the file's whole content.
//
// The record: the items in order, separated by a single comma without blanks; a text between
// double quotes, unchanged (nothing inside it is escaped, so a text holding a double quote or
// a line end does not read back whole); an integer as its decimal digits with a minus sign
// when negative; a truth value as #TRUE# or #FALSE#; an item never given a value as nothing, so
// the commas around it meet; then CR LF.
#pragma once

#include <string>
#include <variant>
#include <vector>

namespace pager {

using RecordItem = std::variant<std::monostate /*never set: written as nothing*/, std::string /*quoted*/,
                                long long /*bare*/, bool /*#TRUE#/#FALSE#*/>;

// The record's bytes, CR LF included.
std::string FormatRecord(const std::vector<RecordItem>& items);

// Creates the file, or empties the one that is there, and writes the record; the file is
// synced before it returns. Failures raise vb::RuntimeError: 52 for an empty path, 75
// "Path/File access error" for a read-only file or folder or a path that names a folder, 70 for
// a file that is busy, 76 "Path not found" when the folder does not exist, 61 "Disk full" when
// the record does not fit, 57 for any other failure. A failure after the file was opened leaves
// it empty or partly written.
void WriteRecord(const std::string& path, const std::vector<RecordItem>& items);

// Writes the record to a new file in the same folder, then renames it over the old one, so that
// a reader (the web side reading status.dat) sees the old record or the new one, never an empty
// or partial file. The new file is synced before the rename and the folder after it: a power
// cut leaves the old record or the new one whole, and the new one once this has returned. The
// new file keeps the old file's owner, group and permissions; a link is followed and its target
// replaced. Where the old file cannot be replaced so (it belongs to someone we cannot give a
// file to, or its folder takes no new file), it is written in place as WriteRecord does.
// Failures raise as WriteRecord does; a read-only file still fails with 75 (it is not replaced
// behind its owner's back), and after a failure before the old file is written the old file is
// unchanged and no temporary file is left behind. A folder that cannot be synced after the
// rename raises 57 (61 for a full disk), the new record in place.
void WriteRecordReplacing(const std::string& path, const std::vector<RecordItem>& items);

}  // namespace pager
