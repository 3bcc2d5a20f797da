// The existence tests made before a settings or input file is read, and deleting a file.
//
// The name test finds a file whatever the case of its name: it lists the folder and compares
// each regular file's name, upper-cased, with a fixed upper-case name ("MODEM.CFG"). The
// presence test only asks whether a path names an existing file. Neither raises: a folder that
// cannot be listed, an empty path or a path naming a folder simply finds nothing.
#pragma once

#include <optional>
#include <string>

namespace pager {

// The name test in a folder: the path (folder + "/" + listed name) of a regular file, or a link
// to one, whose name upper-cased equals upperName; nullopt when there is none. When several
// match (modem.cfg and MODEM.CFG), the one named exactly `preferredName` wins, by default the
// lower-case form of upperName (the name the program writes); then the one named exactly
// upperName; else the first in byte order.
std::optional<std::string> FindByName(const std::string& folder, const std::string& upperName,
                                      const std::string& preferredName = "");

// The name test on a full path: the file at `path`, found whatever the case of its base name,
// whose listed name upper-cased equals upperName ("FEEDBACK.TXT"). Returns the path of the file
// as listed (the folder part unchanged; a bare name is looked for in the working folder and
// returned bare), or nullopt. When several names match, the one spelled as in `path` wins.
std::optional<std::string> FindPathByName(const std::string& path, const std::string& upperName);

// The presence test: the path names a regular file or a link to one. False for "", a folder or
// a dangling link.
bool FileExists(const std::string& path);

// Deletes the file and syncs its folder, so that the file stays deleted after a power cut.
// Raises 53 "File not found" when there is no file at the path (also for a folder or ""), 75
// "Path/File access error" when it cannot be deleted, 57 when the folder cannot be synced (the
// file is deleted).
void DeleteFile(const std::string& path);

}  // namespace pager
