// The data control under the message-log grid: it knows which database file and which table
// the grid shows, and reads them again when refreshed.
//
// What callers may rely on:
//  - Refresh opens DatabaseName through the engine's first workspace on a connection of its
//    own, read-only, reads every record of RecordSource in the table's order, closes that
//    connection again and only then hands the rows to the bound grid: one row per record, one
//    value per grid column, each column's caption naming the field it shows (Null stays Null).
//    No connection stays open between refreshes, so the server's own connection and outside
//    writers are never held up by the grid.
//  - A failure (no such file, no such table or field, a lock held too long) raises the
//    engine's vb::RuntimeError; the grid then keeps what it showed and no connection is left
//    open.
//  - The grid's caption and columns are the grid's own; Refresh replaces only its rows.
#pragma once

#include <string>

#include "platform/dao/DBEngine.h"
#include "platform/forms/Controls.h"
#include "platform/forms/TabsAndGrid.h"

namespace pager {

class DataControl : public forms::Control {
 public:
  // The engine and the grid must outlive the control.
  DataControl(std::string name, forms::Rect position, dao::DBEngine& engine, forms::Grid& grid);

  forms::Property<std::string> Caption;
  forms::Property<std::string> DatabaseName;  // full path of the database file
  forms::Property<std::string> Connect;       // the kind of database; informational
  forms::Property<std::string> RecordSource;  // the table shown

  void Refresh();

 private:
  dao::DBEngine& engine_;
  forms::Grid& grid_;
};

}  // namespace pager
