// The open-file dialog's filter, from the "description|pattern|" form into Qt's.
//
// Each description and pattern pair becomes one Qt name filter, "description (patterns)":
// "FEEDBACK.TXT (Submmit) |FEEDBACK.TXT|" gives "FEEDBACK.TXT (Submmit) (FEEDBACK.TXT)".
// Patterns separated by ";" are separated by blanks, and "*.*" becomes "*" (every file,
// with or without an extension). A description without a pattern offers every file.
#pragma once

#include <QStringList>
#include <string>

namespace qtui {

QStringList ToQtNameFilters(const std::string& filter);

}  // namespace qtui
