// One unit of work in one transaction of the database engine.
#pragma once

#include "platform/dao/DBEngine.h"

namespace pager {

// Runs `work` between BeginTrans and CommitTrans. When `work` (or the commit) raises, whatever it
// wrote is rolled back and the error goes on to the caller, so the unit is stored whole or not
// at all.
template <class Work>
void InOneTransaction(dao::DBEngine& engine, Work&& work) {
  engine.BeginTrans();
  try {
    work();
    engine.CommitTrans();
  } catch (...) {
    // A failed commit has already rolled back and ended the transaction.
    if (engine.Workspaces(0).InTransaction()) engine.Rollback();
    throw;
  }
}

}  // namespace pager
