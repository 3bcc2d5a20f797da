// Run-time errors of the handlers.
//
// A handler that meets a failure it cannot go on from raises a RuntimeError: a number and a
// description, as the operator's error boxes show them ("Error: " number " - " description).
// The numbers are the well-known ones of the run-time library the code was written against;
// callers test the number (62 ends a short settings file, 8005 is a port in use), never the text.
#pragma once

#include <stdexcept>
#include <string>

namespace vb {

namespace err {
inline constexpr int kInvalidProcedureCall = 5;
inline constexpr int kOverflow = 6;
inline constexpr int kOutOfMemory = 7;
inline constexpr int kTypeMismatch = 13;
inline constexpr int kBadFileNameOrNumber = 52;
inline constexpr int kFileNotFound = 53;
inline constexpr int kFileAlreadyOpen = 55;
inline constexpr int kDeviceIOError = 57;
inline constexpr int kDiskFull = 61;
inline constexpr int kInputPastEndOfFile = 62;
inline constexpr int kPermissionDenied = 70;
inline constexpr int kPathFileAccessError = 75;
inline constexpr int kPathNotFound = 76;
inline constexpr int kObjectNotSet = 91;
inline constexpr int kInvalidUseOfNull = 94;
inline constexpr int kInvalidPropertyValue = 380;
// Serial-port control.
inline constexpr int kInvalidPortNumber = 8002;
inline constexpr int kPortAlreadyOpen = 8005;
inline constexpr int kHardwareNotAvailable = 8010;
inline constexpr int kDeviceNotOpen = 8012;
inline constexpr int kCouldNotSetCommState = 8015;
inline constexpr int kPortNotOpen = 8018;
inline constexpr int kErrorReadingCommDevice = 8020;
// Database engine.
inline constexpr int kNoCurrentRecord = 3021;
}  // namespace err

class RuntimeError : public std::runtime_error {
 public:
  RuntimeError(int number, std::string description);

  int Number() const { return number_; }
  const std::string& Description() const { return description_; }

 private:
  int number_;
  std::string description_;
};

// The standard description of a well-known number; "Application-defined or object-defined
// error" for any other.
std::string DescriptionOf(int number);

[[noreturn]] void Raise(int number);
[[noreturn]] void Raise(int number, std::string description);

// Runs one statement of a routine that skips failing statements: a run-time error is dropped
// and the routine goes on with its next statement. Other exceptions pass through.
template <class Statement>
void ResumeNext(Statement&& statement) {
  try {
    statement();
  } catch (const RuntimeError&) {
  }
}

}  // namespace vb
