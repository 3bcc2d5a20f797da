// make-pager-db <path/to/pager.mdb>: creates an empty pager database when none exists there.
//
// Exit status: 0 when the file was created or already existed (it is then left as it is),
// 1 when it could not be created, 2 on wrong usage.
#include <iostream>

#include "PagerDatabaseFile.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: make-pager-db <path/to/pager.mdb>\n";
    return 2;
  }
  std::string error;
  switch (pagerdb::CreatePagerDatabase(argv[1], &error)) {
    case pagerdb::CreateResult::kCreated:
      std::cout << argv[1] << ": created\n";
      return 0;
    case pagerdb::CreateResult::kAlreadyExists:
      std::cout << argv[1] << ": exists, left unchanged\n";
      return 0;
    case pagerdb::CreateResult::kFailed:
      break;
  }
  std::cerr << "make-pager-db: " << error << "\n";
  return 1;
}
