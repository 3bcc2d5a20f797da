// UUCP lock files: the convention by which dial-out programs tell each other that a serial
// device is in use. A file "LCK..<device name>" in a lock folder holds the owner's process id,
// as ASCII text or as a binary int.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace comm::detail {

// The process id a lock file's content names; nothing for content that names none (empty,
// garbage, zero or negative).
std::optional<int> LockOwner(const std::string& content);

// True when one of the folders holds "LCK..<deviceName>" whose owner is a live process. A lock
// of a dead process (stale) or an unreadable one counts as no lock.
bool HeldByUucpLock(const std::vector<std::string>& folders, const std::string& deviceName);

}  // namespace comm::detail
