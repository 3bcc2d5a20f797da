// A fresh pager.mdb for a test's program folder, made as the build's layout step makes it
// (make-pager-db, from schema/pager.sql).
#pragma once

#include <string>

namespace testing_support {

// Creates an empty pager.mdb (the tables of the schema) at `path`; throws std::runtime_error
// when it cannot, a file already standing there included.
void MakePagerDatabase(const std::string& path);

}  // namespace testing_support
