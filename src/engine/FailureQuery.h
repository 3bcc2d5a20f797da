// The queries of the rows a company's failed call settles.
#pragma once

#include <string>

namespace pager {

// "Select * From Queue where [Status] = 'N' And [Modem] = '<modem>'", the number's single
// quotes doubled so that any number stays one literal.
std::string WaitingRowsQuery(const std::string& modem);

// The company's rows with a Status other than "N" (or none) that the server has not settled as
// sent (its mark makes the id negative), with their ids, in the queue's order: a failed call
// records their failure too, but does not offer them again.
std::string OtherStatusRowsQuery(const std::string& modem);

}  // namespace pager
