#include "engine/FailureQuery.h"

namespace pager {

std::string WaitingRowsQuery(const std::string& modem) {
  std::string query = "Select * From Queue where [Status] = 'N' And [Modem] = '";
  for (char c : modem) {
    query += c;
    if (c == '\'') query += '\'';
  }
  return query + "'";
}

}  // namespace pager
