// The six settings files in the program's folder: their names, and the writers that several
// handlers share. Each file holds one record of the text record convention (RecordWriter.h);
// the handlers read and write the items themselves.
#pragma once

#include <string>

namespace pager {

inline constexpr const char* kModemCfg = "modem.cfg";        // the modem settings, 11 items
inline constexpr const char* kMyOwnDat = "MyOwn.dat";        // own company, own modem, Other File switch
inline constexpr const char* kOwnCfg = "own.cfg";            // the Other File's path
inline constexpr const char* kInternetCfg = "internet.cfg";  // the submissions file's path
inline constexpr const char* kInterDat = "Inter.dat";        // "ENABLED" or "DISABLED"
inline constexpr const char* kStatusDat = "status.dat";      // "AVAILABLE" or "NOT AVAILABLE"

// The upper-case names of the name test (FileTests.h).
inline constexpr const char* kModemCfgUpper = "MODEM.CFG";
inline constexpr const char* kOwnCfgUpper = "OWN.CFG";
inline constexpr const char* kInternetCfgUpper = "INTERNET.CFG";
inline constexpr const char* kFeedbackTxtUpper = "FEEDBACK.TXT";

// The status texts published to the web side.
inline constexpr const char* kAvailable = "AVAILABLE";
inline constexpr const char* kNotAvailable = "NOT AVAILABLE";

// folder + "/" + name.
std::string SettingsPath(const std::string& programFolder, const std::string& name);

// Publishes the server's status: status.dat holds the one quoted item `status`, replaced in one
// step so that the web side never reads it empty (WriteRecordReplacing). Raises as that does.
void WriteStatus(const std::string& programFolder, const std::string& status);

// Writes a settings file of one quoted text item (own.cfg, internet.cfg, Inter.dat), replaced in
// one step as status.dat is, so that a failed write never leaves it empty. Raises as
// WriteRecordReplacing does.
void WriteTextSetting(const std::string& programFolder, const std::string& name, const std::string& text);

}  // namespace pager
