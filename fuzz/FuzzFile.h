// The fuzzers' file: one in-memory file that each input is written into, so that the readers
// under test open it by name, as they open a settings or input file. A failing check aborts,
// which libFuzzer reports as a crash with the input that caused it.
#pragma once

#include <sys/mman.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace fuzz_support {

inline void Check(bool condition) {
  if (!condition) std::abort();
}

// The file's name, the same for every input.
inline const std::string& FilePath() {
  static const std::string path = [] {
    const int fd = ::memfd_create("fuzz-input", 0);
    Check(fd >= 0);
    return "/proc/self/fd/" + std::to_string(fd);
  }();
  return path;
}

// Replaces what the file holds with `bytes`.
inline void SetFile(const std::string& bytes) {
  std::FILE* file = std::fopen(FilePath().c_str(), "wb");
  Check(file != nullptr);
  Check(std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size());
  std::fclose(file);
}

}  // namespace fuzz_support
