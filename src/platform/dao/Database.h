// An open pager database.
//
// What callers may rely on:
//   - OpenRecordset takes a table name (any letter case: "Queue", "queue", "TranLog") or one of
//     the query texts the program uses ("Select * From Queue where Queue.[Modem] = '...'",
//     "Select * From Scheadule", "Select Distinct [Modem] from [Queue] Order by [Modem]") and
//     always returns a dynaset (see Recordset.h). A missing table raises 3078; a missing column
//     raises 3265 ... with the column named in the description.
//   - Execute runs a statement as given, with the program's delete form
//     "Delete T.* From T" understood. A failed statement changes nothing.
//   - Close closes the database and every recordset opened from it; any later call on either
//     raises 3420 "Object invalid or no longer set." Close twice is harmless. Closing inside a
//     transaction rolls the transaction back.
//   - A recordset keeps its database object alive; dropping the last reference to an open
//     database closes it.
#pragma once

#include <memory>
#include <string>
#include <vector>

namespace dao {

class Recordset;
class Workspace;
namespace detail {
class Connection;
}

class Database : public std::enable_shared_from_this<Database> {
 public:
  // Use Workspace::OpenDatabase; the connection is already open and set up.
  Database(std::string path, std::unique_ptr<detail::Connection> connection);
  ~Database();
  Database(const Database&) = delete;
  Database& operator=(const Database&) = delete;

  // Table name or query text; always a dynaset.
  std::shared_ptr<Recordset> OpenRecordset(const std::string& source);
  void Execute(const std::string& statement);
  void Close();  // closes its recordsets too; later calls on them raise an error
  bool IsOpen() const;
  const std::string& Path() const;

  // Transaction control for the workspace; each raises 3420 on a closed database.
  void BeginTransaction();
  void CommitTransaction();
  void RollbackTransaction();

  // The open connection, for the recordsets of this database; raises 3420 once closed.
  detail::Connection& Connection();

 private:
  std::string path_;
  std::unique_ptr<detail::Connection> connection_;
  std::vector<std::weak_ptr<Recordset>> recordsets_;
};

}  // namespace dao
