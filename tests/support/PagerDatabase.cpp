#include "support/PagerDatabase.h"

#include <stdexcept>

#include "PagerDatabaseFile.h"

namespace testing_support {

void MakePagerDatabase(const std::string& path) {
  std::string error;
  switch (pagerdb::CreatePagerDatabase(path, &error)) {
    case pagerdb::CreateResult::kCreated:
      return;
    case pagerdb::CreateResult::kAlreadyExists:
      throw std::runtime_error("cannot create " + path + ": a file stands there already");
    case pagerdb::CreateResult::kFailed:
      break;
  }
  throw std::runtime_error("cannot create " + error);
}

}  // namespace testing_support
