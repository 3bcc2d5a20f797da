#include "common/LogText.h"

#include "platform/vb/DateTime.h"

namespace pager {

namespace {

// The first n characters of a text; a character is a whole UTF-8 sequence, so a message in a
// language beyond ASCII is not cut inside a letter. A byte that only continues a sequence
// counts with the one before it.
std::string FirstCharacters(const std::string& text, std::size_t n) {
  std::size_t count = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    bool continuation = (static_cast<unsigned char>(text[i]) & 0xC0) == 0x80;
    if (!continuation) {
      if (count == n) return text.substr(0, i);
      ++count;
    }
  }
  return text;
}

}  // namespace

std::string LogHead(const forms::Clock& clock) {
  return vb::FormatShortDate(clock.Today()) + " - " + vb::TimeText(clock.TimeNow()) + " : " + "Message: ";
}

std::string SentSentence(const dao::Value& message, const dao::Value& unit) {
  return message.value_or("") + " for unit " + unit.value_or("") + " was sent successfully.";
}

std::string RejectedSentence(const std::string& strMessage, const std::string& strUnit) {
  return FirstCharacters(strMessage, 15) + "..." + " was not sent because paging unit " + strUnit + " is invalid.";
}

std::string FailedSentence(const dao::Value& message, const dao::Value& unit, const std::string& reason) {
  return message.value_or("") + " to unit " + unit.value_or("") + " was not sent because paging company " + reason;
}

}  // namespace pager
