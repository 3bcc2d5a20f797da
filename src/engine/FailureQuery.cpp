#include "engine/FailureQuery.h"

namespace pager {

namespace {
// The number between single quotes, every quote inside it doubled.
std::string Quoted(const std::string& modem) {
  std::string text = "'";
  for (char c : modem) {
    text += c;
    if (c == '\'') text += '\'';
  }
  return text + "'";
}
}  // namespace

std::string WaitingRowsQuery(const std::string& modem) {
  return "Select * From Queue where [Status] = 'N' And [Modem] = " + Quoted(modem);
}

std::string OtherStatusRowsQuery(const std::string& modem) {
  return "Select id, * From Queue Where [Modem] = " + Quoted(modem) +
         " And id > 0 And ([Status] Is Null Or [Status] <> 'N') Order By id";
}

}  // namespace pager
