#include "core/FileClaim.h"

#include <cerrno>
#include <cstdio>
#include <unistd.h>

#include "platform/vb/RuntimeError.h"

namespace pager {

FileClaim::FileClaim(std::string path) : path_(std::move(path)), aside_(path_ + ".taken") {
  if (std::rename(path_.c_str(), aside_.c_str()) != 0) {
    vb::Raise(errno == ENOENT ? vb::err::kFileNotFound : vb::err::kPathFileAccessError);
  }
}

FileClaim::~FileClaim() {
  if (released_) return;
  // link() never replaces an existing name, so a file written meanwhile is not overwritten.
  if (::link(aside_.c_str(), path_.c_str()) == 0) ::unlink(aside_.c_str());
}

void FileClaim::Release() {
  released_ = true;
  ::unlink(aside_.c_str());
}

}  // namespace pager
