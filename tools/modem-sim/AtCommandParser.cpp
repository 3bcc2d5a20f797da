#include "modem-sim/AtCommandParser.h"

#include <cctype>

namespace modemsim {

namespace {

char Upper(char c) { return static_cast<char>(std::toupper(static_cast<unsigned char>(c))); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Reads a decimal value at text[i]; -1 when there is none. Values above 255 are refused with -2.
int ReadValue(std::string_view text, std::size_t& i) {
  if (i >= text.size() || !IsDigit(text[i])) return -1;
  int value = 0;
  while (i < text.size() && IsDigit(text[i])) {
    value = value * 10 + (text[i] - '0');
    if (value > 255) value = 256;
    ++i;
  }
  return value > 255 ? -2 : value;
}

}  // namespace

AtCommandLine ParseAtCommandLine(std::string_view line) {
  AtCommandLine result;
  if (std::size_t plus = line.find("+++"); plus != std::string_view::npos) line = line.substr(0, plus);
  if (line.size() < 2 || Upper(line[0]) != 'A' || Upper(line[1]) != 'T') return result;
  result.isAt = true;

  std::size_t i = 2;
  while (i < line.size()) {
    char c = Upper(line[i]);
    if (c == ' ') {
      ++i;
      continue;
    }
    AtCommand command;
    command.name = c;
    ++i;
    if (c == 'D') {
      command.kind = AtCommand::Kind::Dial;
      std::string_view rest = line.substr(i);
      while (!rest.empty() && rest.front() == ' ') rest.remove_prefix(1);
      if (!rest.empty() && (Upper(rest.front()) == 'T' || Upper(rest.front()) == 'P')) {
        command.pulse = Upper(rest.front()) == 'P';
        rest.remove_prefix(1);
      }
      while (!rest.empty() && rest.back() == ' ') rest.remove_suffix(1);
      command.dial = std::string(rest);
      result.commands.push_back(command);
      return result;
    }
    if (c == '&') {
      if (i >= line.size() || !std::isalpha(static_cast<unsigned char>(line[i]))) {
        result.malformed = true;
        return result;
      }
      command.kind = AtCommand::Kind::Ampersand;
      command.name = Upper(line[i++]);
      command.value = ReadValue(line, i);
    } else if (c == 'S') {
      command.reg = ReadValue(line, i);
      if (command.reg < 0 || i >= line.size()) {
        result.malformed = true;
        return result;
      }
      if (line[i] == '?') {
        command.kind = AtCommand::Kind::RegisterQuery;
        ++i;
      } else if (line[i] == '=') {
        command.kind = AtCommand::Kind::RegisterSet;
        ++i;
        command.value = ReadValue(line, i);
        if (command.value == -1) command.value = 0;
      } else {
        result.malformed = true;
        return result;
      }
    } else if (std::isalpha(static_cast<unsigned char>(c))) {
      command.value = ReadValue(line, i);
    } else {
      result.malformed = true;
      return result;
    }
    if (command.value == -2) {
      result.malformed = true;
      return result;
    }
    result.commands.push_back(command);
  }
  return result;
}

}  // namespace modemsim
