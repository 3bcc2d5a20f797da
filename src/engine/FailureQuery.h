// The query of a company's waiting rows.
#pragma once

#include <string>

namespace pager {

// "Select * From Queue where [Status] = 'N' And [Modem] = '<modem>'", the number's single
// quotes doubled so that any number stays one literal.
std::string WaitingRowsQuery(const std::string& modem);

}  // namespace pager
