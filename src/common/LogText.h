// The Message texts of the log records: a common head with the date and time of the event,
// then the sentence of the writer. A Null field adds nothing to a sentence.
#pragma once

#include <string>

#include "platform/dao/Value.h"
#include "platform/forms/Clock.h"

namespace pager {

// Today's date "mm/dd/yy", " - ", the time of day as vb::TimeText gives it, " : ", "Message: ":
// "12/07/26 - 2:30:05 PM : Message: ".
std::string LogHead(const forms::Clock& clock);

// A message sent: message + " for unit " + unit + " was sent successfully."
std::string SentSentence(const dao::Value& message, const dao::Value& unit);

// A unit the terminal refused: the first 15 characters of the message (a multi-byte UTF-8
// character is never cut in two) + "..." + " was not sent because paging unit " + unit +
// " is invalid."
std::string RejectedSentence(const std::string& strMessage, const std::string& strUnit);

// A call that failed: message + " to unit " + unit + " was not sent because paging company " +
// reason ("was busy.").
std::string FailedSentence(const dao::Value& message, const dao::Value& unit, const std::string& reason);

}  // namespace pager
