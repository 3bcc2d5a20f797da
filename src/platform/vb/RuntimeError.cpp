#include "platform/vb/RuntimeError.h"

#include <utility>

namespace vb {

RuntimeError::RuntimeError(int number, std::string description)
    : std::runtime_error(std::to_string(number) + " - " + description),
      number_(number),
      description_(std::move(description)) {}

std::string DescriptionOf(int number) {
  switch (number) {
    case err::kInvalidProcedureCall: return "Invalid procedure call or argument";
    case err::kOverflow: return "Overflow";
    case err::kOutOfMemory: return "Out of memory";
    case err::kTypeMismatch: return "Type mismatch";
    case err::kBadFileNameOrNumber: return "Bad file name or number";
    case err::kFileNotFound: return "File not found";
    case err::kFileAlreadyOpen: return "File already open";
    case err::kDeviceIOError: return "Device I/O error";
    case err::kDiskFull: return "Disk full";
    case err::kInputPastEndOfFile: return "Input past end of file";
    case err::kPermissionDenied: return "Permission denied";
    case err::kPathFileAccessError: return "Path/File access error";
    case err::kPathNotFound: return "Path not found";
    case err::kObjectNotSet: return "Object variable or With block variable not set";
    case err::kInvalidUseOfNull: return "Invalid use of Null";
    case err::kInvalidPropertyValue: return "Invalid property value";
    case err::kInvalidPortNumber: return "Invalid port number";
    case err::kPortAlreadyOpen: return "Port already open";
    case err::kHardwareNotAvailable: return "The hardware is not available (locked by another device)";
    case err::kDeviceNotOpen: return "The device is not open";
    case err::kCouldNotSetCommState: return "Could not set comm state";
    case err::kPortNotOpen: return "Operation valid only when the port is open";
    case err::kErrorReadingCommDevice: return "Error reading comm device";
    case err::kNoCurrentRecord: return "No current record.";
    default: return "Application-defined or object-defined error";
  }
}

void Raise(int number) { throw RuntimeError(number, DescriptionOf(number)); }

void Raise(int number, std::string description) { throw RuntimeError(number, std::move(description)); }

}  // namespace vb
