// The query and statement texts the program uses, read into a form the dao layer runs itself.
//
// Recognised record sources (keywords in any letter case, names bare or in [brackets], an
// optional trailing semicolon):
//   T                                              a table
//   Select * From T                                the same table
//   Select * From T Where [T.]C = 'text' [And ...] its rows whose column C holds the text
//                                                  ('' inside the quotes is one quote)
//   Select Distinct C From T [Order By C [Asc]]    the distinct values of one column
// Recognised statements:
//   Delete T.* From T | Delete * From T | Delete From T   every row of the table
// Any other text is not recognised (nullopt): the caller decides what to do with it.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace dao::detail {

struct Condition {
  std::string column;
  std::string text;  // the literal's value, quotes undone
};

struct RecordSource {
  enum class Kind { kTable, kDistinct };
  Kind kind = Kind::kTable;
  std::string table;
  std::vector<Condition> where;  // kTable: all must hold
  std::string column;            // kDistinct: the column read
  bool ordered = false;          // kDistinct: ascending by the column
};

std::optional<RecordSource> ParseRecordSource(std::string_view text);

// The table of a delete-all statement, or nullopt for any other statement.
std::optional<std::string> ParseDeleteAll(std::string_view text);

}  // namespace dao::detail
