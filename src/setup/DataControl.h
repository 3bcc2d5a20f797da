// The data control under the message-log grid: it knows which database file and which table
// the grid shows, and reads them again when refreshed.
//
// What callers may rely on:
//  - Refresh fixes what the grid shows: the records of RecordSource as they stand now, in the
//    table's order, one row per record and one value per grid column, each column's caption
//    naming the field it shows (Null stays Null). The rows are read as the grid draws them, a
//    block at a time, through the engine's first workspace on read-only connections of their
//    own that are closed again after each read (see DataControlRows.h): a refresh costs the
//    same on ten records as on a million, and neither the server's own connection nor outside
//    writers are ever held up by the grid.
//  - A failure of the refresh (no such file, no such table or field) raises the engine's
//    vb::RuntimeError; the grid then keeps what it showed and no connection is left open.
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
